#include "studylists.h"

#include "logic.h"

#include <algorithm>

namespace korvell {

std::vector<std::string> SubelementCodes(std::span<const std::string> Groups) {
    std::vector<std::string> codes;
    for (const std::string& g : Groups) {
        const std::string code = g.substr(0, 2);
        if (!code.empty() && std::find(codes.begin(), codes.end(), code) == codes.end())
            codes.push_back(code);
    }
    return codes;
}

std::vector<int16_t> SubelementQuestions(std::span<const QueRec> Pool,
                                         std::span<const std::string> Groups,
                                         std::string_view Code) {
    // Run for every item of the Study menu as the program starts: no copies.
    std::vector<int16_t> found;
    for (std::size_t k = 0; k < Pool.size(); ++k) {
        std::string_view id = Pool[k].QueNr;
        const auto first = id.find_first_not_of(' ');
        if (first == std::string_view::npos) continue;
        id = id.substr(first, id.find_last_not_of(' ') - first + 1);
        if (id.size() < 3) continue;
        const std::string_view group = id.substr(0, id.size() - 2);
        if (group.substr(0, 2) == Code &&
            std::find(Groups.begin(), Groups.end(), group) != Groups.end())
            found.push_back(static_cast<int16_t>(k));
    }
    return found;
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The code point starting at Text[i] and its length in bytes; a byte that
// starts no well-formed sequence is its own "code point" of length 1, marked
// by a value above the Unicode range.
std::pair<char32_t, std::size_t> Decode(std::string_view Text, std::size_t i) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(Text[k]); };
    const unsigned char c = b(i);
    const std::size_t n = c < 0x80         ? 1
                          : (c >> 5) == 6  ? 2
                          : (c >> 4) == 14 ? 3
                          : (c >> 3) == 30 ? 4
                                           : 0;
    if (n == 1) return {c, 1};
    if (n == 0 || i + n > Text.size()) return {0x110000 + c, 1};
    char32_t cp = c & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return {0x110000 + c, 1};
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    return {cp, n};
}

void Encode(char32_t cp, std::string& Out) {
    if (cp < 0x80) {
        Out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        Out += static_cast<char>(0xC0 | (cp >> 6));
        Out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        Out += static_cast<char>(0xE0 | (cp >> 12));
        Out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (cp >> 18));
        Out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t Lower(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c == 0x178) return 0xFF;
    // Latin Extended-A: capitals and small letters alternate, the capital
    // first, with a shift of the pattern at U+0139 and U+0179.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c + (c & 1);
    if ((c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F)) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if ((c >= 0x2018 && c <= 0x201B) || c == 0x2032) return '\'';
    if ((c >= 0x201C && c <= 0x201F) || c == 0x2033) return '"';
    return c;
}

// A word sought in texts in time linear in their length (Knuth-Morris-Pratt).
class Needle {
public:
    explicit Needle(std::string W) : Word(std::move(W)), Fail(Word.size() + 1, 0) {
        std::size_t k = 0;
        for (std::size_t i = 1; i < Word.size(); ++i) {
            while (k > 0 && Word[i] != Word[k])
                k = Fail[k];
            if (Word[i] == Word[k]) ++k;
            Fail[i + 1] = k;
        }
    }
    bool In(std::string_view Text) const {
        std::size_t k = 0;
        for (char c : Text) {
            while (k > 0 && c != Word[k])
                k = Fail[k];
            if (c == Word[k] && ++k == Word.size()) return true;
        }
        return false;
    }

private:
    std::string Word;
    std::vector<std::size_t> Fail;
};

// Whether the folded word names the question of the folded identifier Id:
// the identifier itself, its group code or its subelement code.
bool Names(std::string_view Word, std::string_view Id) {
    if (Id.size() < 3 || !Id.starts_with(Word)) return false;
    return Word.size() == Id.size() || Word.size() == Id.size() - 2 || Word.size() == 2;
}

} // namespace

std::vector<std::string> FindWords(std::string_view Typed) {
    if (Typed.size() > MaxFindBytes) {
        std::size_t end = MaxFindBytes; // cut before a character, not inside one
        while (end > 0 && (static_cast<unsigned char>(Typed[end]) & 0xC0) == 0x80)
            --end;
        Typed = Typed.substr(0, end);
    }
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < Typed.size()) {
        while (i < Typed.size() && IsBlank(Typed[i]))
            ++i;
        const std::size_t start = i;
        while (i < Typed.size() && !IsBlank(Typed[i]))
            ++i;
        if (i > start) words.emplace_back(Typed.substr(start, i - start));
    }
    return words;
}

std::string FoldCase(std::string_view Text) {
    std::string out;
    out.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size();) {
        const auto [cp, n] = Decode(Text, i);
        if (cp > 0x10FFFF)
            out += Text[i];
        else
            Encode(Lower(cp), out);
        i += n;
    }
    return out;
}

std::vector<int16_t> FindQuestions(std::span<const QueRec> Pool, std::string_view Typed) {
    std::vector<std::string> ids;
    for (const QueRec& q : Pool)
        ids.push_back(FoldCase(Trim(q.QueNr)));
    // A word is a code when it names a question of the pool; any other word
    // is sought in the texts.
    std::vector<std::string> codes;
    std::vector<Needle> texts;
    for (std::string& w : FindWords(Typed)) {
        w = FoldCase(w);
        if (std::any_of(ids.begin(), ids.end(),
                        [&](const std::string& Id) { return Names(w, Id); }))
            codes.push_back(std::move(w));
        else
            texts.emplace_back(std::move(w));
    }
    std::vector<int16_t> found;
    if (codes.empty() && texts.empty()) return found;
    for (std::size_t k = 0; k < Pool.size(); ++k) {
        if (!std::all_of(codes.begin(), codes.end(),
                         [&](const std::string& w) { return Names(w, ids[k]); }))
            continue;
        const QueRec& q = Pool[k];
        const std::string fields[] = {FoldCase(q.Question), FoldCase(q.ChoiceA),
                                      FoldCase(q.ChoiceB), FoldCase(q.ChoiceC),
                                      FoldCase(q.ChoiceD)};
        if (std::all_of(texts.begin(), texts.end(), [&](const Needle& w) {
                return std::any_of(std::begin(fields), std::end(fields),
                                   [&](const std::string& f) { return w.In(f); });
            }))
            found.push_back(static_cast<int16_t>(k));
    }
    return found;
}

} // namespace korvell
