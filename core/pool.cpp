#include "bank.h"
#include "logic.h"

#include <optional>
#include <string_view>

namespace korvell {

namespace {

constexpr auto npos = std::string_view::npos;

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset of the character N characters after the one at byte From, or
// the text's size when the text ends first. Texts are UTF-8.
std::size_t CharOffset(std::string_view Text, std::size_t N, std::size_t From = 0) {
    std::size_t i = From;
    for (; N > 0 && i < Text.size(); --N) {
        ++i;
        while (i < Text.size() && IsContinuation(Text[i]))
            ++i;
    }
    return i;
}

// Byte offset of the character that ends just before byte At.
std::size_t PrevChar(std::string_view Text, std::size_t At) {
    std::size_t i = At;
    while (i > 0) {
        --i;
        if (!IsContinuation(Text[i])) break;
    }
    return i;
}

bool HasChars(std::string_view Text, std::size_t N) {
    return N == 0 || CharOffset(Text, N - 1) < Text.size();
}

// First occurrence of an ASCII marker (given in lower case), letter case ignored.
std::size_t FindNoCase(std::string_view Text, std::string_view Marker, std::size_t From = 0) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    for (std::size_t i = From; i + Marker.size() <= Text.size(); ++i) {
        std::size_t k = 0;
        while (k < Marker.size() && lower(Text[i + k]) == Marker[k])
            ++k;
        if (k == Marker.size()) return i;
    }
    return npos;
}

// A text of decimal digits (blanks around it allowed) whose value is 0..Max.
std::optional<int> WholeNumber(std::string_view Text, int Max) {
    const std::string t = Trim(Text);
    if (t.empty()) return std::nullopt;
    int value = 0;
    for (const char c : t) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > Max) return std::nullopt;
    }
    return value;
}

// Cuts Text to at most MaxTextBytes, at the start of a character.
void Bound(std::string& Text) {
    if (Text.size() <= MaxTextBytes) return;
    std::size_t cut = MaxTextBytes;
    while (cut > 0 && IsContinuation(Text[cut]))
        --cut;
    Text.resize(cut);
}

// Appends a line to a record field, keeping the field within its bound.
void Append(std::string& Field, const std::string& Line) {
    if (Field.size() >= MaxTextBytes) return;
    Field += Line;
    Bound(Field);
}

bool IsChoiceLine(const std::string& Line, char Letter) {
    return Line.size() > 1 && Line[0] == Letter && Line[1] == '.';
}

// The line without its first three characters.
std::string ChoiceText(const std::string& Line) {
    return Line.substr(CharOffset(Line, 3));
}

} // namespace

bool IsDigit(const std::string& Text) {
    return !Text.empty() && Text[0] >= '0' && Text[0] <= '9';
}

void Bank::LoadPool() {
    ReadPoolFile();
    ++Npool;
    if (PoolOverflow) {
        Sys.MsgBox("The question pool file holds more than " + std::to_string(MaxQue) +
                       " questions.\nOnly the first " + std::to_string(MaxQue) +
                       " questions were loaded; the rest were ignored.",
                   "Question pool too large");
    }
    if (Npool > 1) {
        if (Npool <= MaxQue) QuePool[Npool] = CurQue;
        File1.Close();
        PoolLoaded();
        QueIdx = 0;
    } else {
        Sys.MsgBox("Unable to parse question pool file", "Failed!");
        File1.Close();
    }
}

void Bank::ReadPoolFile() {
    OpenPoolFile();
    ParseState = 0;
    Npool = -1;
    PoolOverflow = false;
    std::string line;
    while (!File1.Eof()) {
        if (!File1.LineInput(line)) break;
        if (HasChars(line, 2)) {
            Bound(line);
            line += ' ';
            ParsePoolLine(line);
        }
    }
    File1.Close();
}

void Bank::ParsePoolLine(std::string& Line) {
    // Entry MaxQue is kept for the record LoadPool stores after the file
    // ends, so at most MaxQue questions are taken.
    const bool full = Npool >= MaxQue - 1;
    if (!Line.empty() && Line[0] == '~') {
        ParseState = 0;
        if (full) {
            PoolOverflow = true;
            return;
        }
        ++Npool;
        QuePool[Npool] = CurQue;
        return;
    }
    if (!HasChars(Line, 4)) Line += "    ";

    switch (ParseState) {
    case 0: {
        const char c1 = Line[0];
        const bool candidate = (c1 == 'T' || c1 == 'G' || c1 == 'E') &&
                               IsDigit(Line.substr(1, 1)) &&
                               IsDigit(Line.substr(CharOffset(Line, 3), 1));
        if (!candidate) return;
        std::size_t p = npos;
        for (std::size_t n = 0, at = 0; n < 10 && at < Line.size();
             ++n, at = CharOffset(Line, 1, at)) {
            if (Line[at] == '(') {
                p = at;
                break;
            }
        }
        if (p == npos) return;
        if (full) {
            PoolOverflow = true;
            return;
        }
        CurQue.QueNr = Line.substr(0, p);
        const std::size_t answer = CharOffset(Line, 1, p);
        CurQue.Answer = Line.substr(answer, CharOffset(Line, 1, answer) - answer);
        CurQue.Question.clear();

        const std::size_t q = FindNoCase(Line, "pg");
        CurQue.ChPg = q == npos ? std::string() : Line.substr(CharOffset(Line, 1, q + 2));

        const std::size_t f = FindNoCase(Line, "fig");
        if (f == npos) {
            CurQue.Fig.clear();
        } else {
            // The name ends before the character in front of the next "Pg",
            // or at the end of the line when no "Pg" follows.
            const std::size_t start = f + 3;
            const std::size_t pg = FindNoCase(Line, "pg", start);
            const std::size_t end = pg == npos ? Line.size() : PrevChar(Line, pg);
            CurQue.Fig = end > start ? Trim(std::string_view(Line).substr(start, end - start))
                                     : std::string();
        }

        if (q != npos) {
            const std::string_view ref = CurQue.ChPg;
            const std::size_t d = ref.find('-');
            if (d != npos) {
                const auto ch = WholeNumber(ref.substr(0, d), MaxChapter);
                const auto pg = WholeNumber(ref.substr(d + 1), MaxPage);
                if (ch && pg && ChPgCount[*ch][*pg] < INT16_MAX) ++ChPgCount[*ch][*pg];
            }
        }
        ParseState = 3;
        return;
    }
    case 3:
        if (IsChoiceLine(Line, 'A')) {
            CurQue.ChoiceA = ChoiceText(Line);
            ParseState = 4;
        } else {
            Append(CurQue.Question, Line);
        }
        return;
    case 4:
        if (IsChoiceLine(Line, 'B')) {
            CurQue.ChoiceB = ChoiceText(Line);
            ParseState = 5;
        } else {
            Append(CurQue.ChoiceA, Line);
        }
        return;
    case 5:
        if (IsChoiceLine(Line, 'C')) {
            CurQue.ChoiceC = ChoiceText(Line);
            ParseState = 6;
        } else {
            Append(CurQue.ChoiceB, Line);
        }
        return;
    case 6:
        if (IsChoiceLine(Line, 'D')) {
            CurQue.ChoiceD = ChoiceText(Line);
            ParseState = 7;
        } else {
            Append(CurQue.ChoiceC, Line);
        }
        return;
    default:
        Append(CurQue.ChoiceD, Line);
        return;
    }
}

} // namespace korvell
