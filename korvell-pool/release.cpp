// Understanding a release: which lines are questions, and whether they make a
// sound pool; and the two text files Korvell reads.
#include "korvell-pool/release.h"

#include "core/seqfile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace korvell::pool {

namespace fs = std::filesystem;

std::string Format(const Diag& D) {
    return D.File + (D.Line > 0 ? ":" + std::to_string(D.Line) : "") +
           (D.Error ? ": error: " : ": warning: ") + D.Text;
}

bool HasErrors(const Diags& All) {
    return std::any_of(All.begin(), All.end(), [](const Diag& D) { return D.Error; });
}

const std::array<std::string, 35>& ExamGroups() {
    static const std::array<std::string, 35> groups = [] {
        std::array<std::string, 35> g;
        const std::pair<char, int> sections[] = {{'1', 6}, {'2', 3}, {'3', 3}, {'4', 2}, {'5', 4},
                                                 {'6', 4}, {'7', 4}, {'8', 4}, {'9', 2}, {'0', 3}};
        std::size_t i = 0;
        for (const auto& [digit, count] : sections)
            for (int k = 0; k < count; ++k)
                g[i++] = std::string{'T', digit, static_cast<char>('A' + k)};
        return g;
    }();
    return groups;
}

int GroupIndex(const std::string& Code) {
    const auto& g = ExamGroups();
    const auto it = std::find(g.begin(), g.end(), Code);
    return it == g.end() ? -1 : static_cast<int>(it - g.begin());
}

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}

std::string TrimText(const std::string& Text) {
    std::size_t a = 0, b = Text.size();
    while (a < b && IsSpace(Text[a]))
        ++a;
    while (b > a && IsSpace(Text[b - 1]))
        --b;
    return Text.substr(a, b - a);
}

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool StartsNoCase(const std::string& Text, const std::string& Lead) {
    if (Text.size() < Lead.size()) return false;
    for (std::size_t i = 0; i < Lead.size(); ++i)
        if (Lower(Text[i]) != Lead[i]) return false;
    return true;
}

// A header: "T", a digit, up to six more characters, then "(", a letter or
// more, ")" and anything. Id and Letter come back as written, for checking.
bool MatchHeader(const std::string& Line, std::string& Id, std::string& Letter) {
    if (Line.size() < 4 || Line[0] != 'T' || !IsDigitChar(Line[1])) return false;
    std::size_t i = 2;
    while (i < Line.size() && i < 9 && !IsSpace(Line[i]) && Line[i] != '(')
        ++i;
    Id = Line.substr(0, i);
    while (i < Line.size() && IsSpace(Line[i]))
        ++i;
    if (i >= Line.size() || Line[i] != '(') return false;
    const std::size_t close = Line.find(')', i);
    if (close == std::string::npos || close - i > 4) return false;
    Letter = TrimText(Line.substr(i + 1, close - i - 1));
    return true;
}

bool WellFormedId(const std::string& Id) {
    return Id.size() == 5 && Id[0] == 'T' && IsDigitChar(Id[1]) && Id[2] >= 'A' && Id[2] <= 'Z' &&
           IsDigitChar(Id[3]) && IsDigitChar(Id[4]) && Id.substr(3) != "00";
}

// "A. text": a capital letter, a full stop and a blank (or nothing).
int ChoiceLetter(const std::string& Line) {
    if (Line.size() < 2 || Line[0] < 'A' || Line[0] > 'Z' || Line[1] != '.') return -1;
    if (Line.size() > 2 && !IsSpace(Line[2])) return -1;
    return Line[0] - 'A';
}

// "figure T-1" or "figure T1", any case: "T1"; else empty.
std::string FigureNamed(const std::string& Text) {
    std::string lower(Text.size(), ' ');
    std::transform(Text.begin(), Text.end(), lower.begin(), Lower);
    for (std::size_t at = lower.find("figure"); at != std::string::npos;
         at = lower.find("figure", at + 1)) {
        std::size_t i = at + 6;
        if (i >= lower.size() || !IsSpace(lower[i])) continue;
        while (i < lower.size() && IsSpace(lower[i]))
            ++i;
        if (i >= lower.size() || lower[i] != 't') continue;
        if (++i < lower.size() && lower[i] == '-') ++i;
        int n = 0, digits = 0;
        for (; i < lower.size() && IsDigitChar(lower[i]) && digits < 3; ++i, ++digits)
            n = n * 10 + (lower[i] - '0');
        if (digits > 0 && n > 0) return "T" + std::to_string(n);
    }
    return {};
}

// The question being read and what it still expects.
struct Reading {
    Question Q;
    bool Open = false;
    bool BadHeader = false;
    int Next = 0;   // the choice letter expected next (0 = A)
    int Field = -1; // -1: the question text, 0..3: a choice
};

class Parser {
public:
    Parser(const Release& Source, Diags& Problems) : Src(Source), Out(Problems) {}

    Pool Run() {
        int last = 1;
        for (const SourceLine& raw : Src.Lines) {
            last = raw.Nr;
            Line(raw.Nr, TrimText(raw.Text));
        }
        Finish(last);
        CheckOrder(last);
        return Result;
    }

private:
    void Error(int At, const std::string& Text) { Out.push_back({Src.Name, At, true, Text}); }

    void Line(int Nr, const std::string& Text) {
        if (Text.empty()) return;
        std::string id, letter;
        if (MatchHeader(Text, id, letter)) {
            Finish(Nr);
            Start(Nr, id, letter);
            // "T1A01 (C) [97.1]": the rule reference follows the letter.
            const std::size_t open = Text.find('[', Text.find(')'));
            const std::size_t close = Text.find(']', open);
            if (open != std::string::npos && close != std::string::npos)
                Cur.Q.Ref = TrimText(Text.substr(open + 1, close - open - 1));
            return;
        }
        if (Text[0] == '~') return Finish(Nr);
        if (!Cur.Open) {
            SyllabusHeading(Text, Result);
            if (Result.InForce.empty() && StartsNoCase(Text, "effective "))
                Result.InForce = TrimText(Text.substr(10));
            return;
        }
        const int c = ChoiceLetter(Text);
        if (c >= 0 && (Cur.Field >= 0 || c < 4)) return Choice(Nr, c, TrimText(Text.substr(2)));
        std::string& field = Cur.Field < 0 ? Cur.Q.Text : Cur.Q.Choices[Cur.Field];
        field += (field.empty() ? "" : " ") + Text;
    }

    void Start(int Nr, const std::string& Id, const std::string& Letter) {
        Cur = Reading{};
        Cur.Open = true;
        Cur.Q.Line = Nr;
        Cur.Q.Id = Id;
        Cur.Q.Answer = Letter;
        if (!WellFormedId(Id)) {
            Error(Nr, "malformed question identifier \"" + Id + "\" (expected the form T1A01)");
            Cur.BadHeader = true;
        } else if (GroupIndex(Id.substr(0, 3)) < 0) {
            Error(Nr, Id + ": there is no exam group " + Id.substr(0, 3));
            Cur.BadHeader = true;
        }
        if (Letter.size() != 1 || Letter[0] < 'A' || Letter[0] > 'D')
            Error(Nr, Id + ": answer letter \"" + Letter + "\" is not A, B, C or D");
    }

    void Choice(int Nr, int C, const std::string& Text) {
        const std::string id = Cur.Q.Id;
        const auto name = [](int k) { return std::string("choice ") + static_cast<char>('A' + k); };
        if (C > 3) {
            Error(Nr, id + ": extra " + name(C));
        } else if (C < Cur.Next) {
            Error(Nr, id + ": " + name(C) + " again or out of order");
        } else {
            for (int k = Cur.Next; k < C; ++k)
                Error(Nr, id + ": " + name(k) + " is missing before " + name(C));
            Cur.Q.Choices[C] = Text;
            Cur.Next = C + 1;
        }
        Cur.Field = std::min(C, 3);
    }

    // Closes the question being read, at line Nr.
    void Finish(int Nr) {
        if (!Cur.Open) return;
        Cur.Open = false;
        Question& q = Cur.Q;
        const int line = q.Line;
        if (q.Text.empty()) Error(line, q.Id + ": the question has no text");
        for (int k = Cur.Next; k < 4; ++k)
            Error(Nr, q.Id + ": choice " + static_cast<char>('A' + k) + " is missing");
        for (int k = 0; k < Cur.Next && k < 4; ++k)
            if (q.Choices[k].empty())
                Error(line, q.Id + ": choice " + static_cast<char>('A' + k) + " has no text");
        if (Cur.BadHeader) return;
        std::string all = q.Text;
        for (const auto& c : q.Choices)
            all += " " + c;
        q.Fig = FigureNamed(all);
        if (const auto [it, fresh] = Seen.emplace(q.Id, line); !fresh) {
            Error(line, q.Id + " appears twice (first at line " + std::to_string(it->second) + ")");
            return;
        }
        const int digit = q.Id[1] - '0';
        q.ChPg = std::to_string(digit == 0 ? 10 : digit) + "-" + std::to_string(q.Id[2] - 'A' + 1);
        if (Result.Questions.size() == 430)
            Error(line, "more than 430 questions: the program holds at most 430");
        Result.Questions.push_back(q);
    }

    // Groups in exam order, none missing, each numbered 01 upward without gaps.
    void CheckOrder(int LastLine) {
        if (Result.Questions.empty() && !HasErrors(Out))
            return Error(LastLine, "no questions found (a header looks like \"T1A01 (C)\")");
        const auto& groups = ExamGroups();
        std::array<int, 35> next{}, firstLine{};
        std::set<int> reported;
        int previous = -1;
        for (const Question& q : Result.Questions) {
            const int g = GroupIndex(q.Id.substr(0, 3));
            if (g < previous && reported.insert(g).second)
                Error(q.Line, "group " + groups[g] + " is out of exam order (after " +
                                  groups[previous] + ")");
            previous = g;
            if (!firstLine[g]) firstLine[g] = q.Line;
            const int n = std::stoi(q.Id.substr(3));
            const auto id = [&](int k) {
                return groups[g] + (k < 10 ? "0" : "") + std::to_string(k);
            };
            if (n > next[g] + 1)
                Error(q.Line, id(next[g] + 1) +
                                  (n == next[g] + 2 ? " is" : " to " + id(n - 1) + " are") +
                                  " missing before " + q.Id);
            else if (n <= next[g])
                Error(q.Line, q.Id + " is out of order (after " + id(next[g]) + ")");
            next[g] = std::max(next[g], n);
            ++Result.Counts[g];
        }
        if (Result.Questions.empty()) return;
        for (int g = 0; g < 35; ++g) {
            if (Result.Counts[g]) continue;
            int at = LastLine;
            for (int h = g + 1; h < 35; ++h)
                if (firstLine[h]) {
                    at = firstLine[h];
                    break;
                }
            Error(at, "group " + groups[g] + " is missing");
        }
    }

    const Release& Src;
    Diags& Out;
    Pool Result;
    Reading Cur;
    std::map<std::string, int> Seen; // identifier -> header line
};

} // namespace

Pool ParseRelease(const Release& Source, Diags& Problems) {
    return Parser(Source, Problems).Run();
}

bool ReadTextRelease(const std::string& Path, const Limits& Bounds, Release& Out, Diags& Problems) {
    const auto fail = [&](const std::string& Text) {
        Problems.push_back({Path, 0, true, Text});
        return false;
    };
    std::error_code ec;
    const auto size = fs::file_size(Path, ec);
    if (ec) return fail("cannot read the release: " + ec.message());
    if (size > Bounds.Document)
        return fail("the release is too large (" + std::to_string(size) + " bytes, at most " +
                    std::to_string(Bounds.Document) + ")");
    SeqFile file;
    if (!file.Open(Path)) return fail("cannot read the release: " + file.ErrDescription);
    std::string line;
    for (int nr = 1; !file.Eof() && file.LineInput(line); ++nr)
        if (!line.empty()) Out.Lines.push_back({nr, line});
    // Pictures beside it: T1.jpg, t2.JPEG and so on.
    fs::path dir = fs::path(Path).parent_path();
    if (dir.empty()) dir = ".";
    std::map<int, std::string> found;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), Lower);
        const std::size_t dot = name.rfind('.');
        if (name.size() < 2 || name[0] != 't' || dot == std::string::npos || dot < 2 || dot > 4)
            continue;
        const std::string ext = name.substr(dot);
        const std::string digits = name.substr(1, dot - 1);
        if ((ext != ".jpg" && ext != ".jpeg") ||
            !std::all_of(digits.begin(), digits.end(), IsDigitChar) || digits[0] == '0')
            continue;
        found.emplace(std::stoi(digits), entry.path().string());
    }
    for (const auto& [k, path] : found)
        Out.Pictures[k] = {path, 0};
    return true;
}

void ApplyStudyMap(const std::string& Path, Pool& Into, Diags& Problems) {
    SeqFile file;
    if (!file.Open(Path)) {
        Problems.push_back({Path, 0, true, "cannot read the study map: " + file.ErrDescription});
        return;
    }
    std::map<std::string, Question*> byId;
    for (Question& q : Into.Questions)
        byId[q.Id] = &q;
    std::string line;
    for (int nr = 1; !file.Eof() && file.LineInput(line); ++nr) {
        const auto bad = [&](const std::string& Text) {
            Problems.push_back({Path, nr, true, Text});
        };
        if (TrimText(line).empty()) continue;
        const std::size_t comma = line.find(',');
        const std::string id = TrimText(line.substr(0, comma));
        const std::string ref = comma == std::string::npos ? "" : TrimText(line.substr(comma + 1));
        const std::size_t dash = ref.find('-');
        const auto number = [](const std::string& T) {
            if (T.empty() || T.size() > 3 || !std::all_of(T.begin(), T.end(), IsDigitChar))
                return -1;
            return std::stoi(T);
        };
        const int ch = dash == std::string::npos ? -1 : number(ref.substr(0, dash));
        const int pg = dash == std::string::npos ? -1 : number(ref.substr(dash + 1));
        const auto it = byId.find(id);
        if (dash == std::string::npos || ch < 0 || pg < 0)
            bad("expected identifier,chapter-page (such as T1A01,2-4), not \"" + line + "\"");
        else if (it == byId.end())
            bad("\"" + id + "\" names no question of the release");
        else if (ch > 10)
            bad(id + ": chapter " + std::to_string(ch) + " is outside 0..10");
        else if (pg > 35)
            bad(id + ": page " + std::to_string(pg) + " is outside 0..35");
        else
            it->second->ChPg = std::to_string(ch) + "-" + std::to_string(pg);
    }
}

std::string PoolText(const Pool& From) {
    std::string t;
    for (const Question& q : From.Questions) {
        t += q.Id + " (" + q.Answer + ")" + (q.Fig.empty() ? "" : " Fig " + q.Fig) + " Pg " +
             q.ChPg + "\r\n" + q.Text + "\r\n";
        for (int k = 0; k < 4; ++k)
            t += std::string(1, static_cast<char>('A' + k)) + ". " + q.Choices[k] + "\r\n";
        t += "~~\r\n";
    }
    return t;
}

std::string SectionTable(const Pool& From) {
    std::string t;
    for (std::size_t g = 0; g < 35; ++g)
        t += "\"" + ExamGroups()[g] + "\"," + std::to_string(From.Counts[g]) + "\r\n";
    return t;
}

} // namespace korvell::pool
