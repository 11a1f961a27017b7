// korvell-pool check, the pool: each line through the program's own parser,
// and each finding placed at the line that causes it.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <map>

namespace korvell::pool {

namespace {

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

std::size_t FindNoCase(const std::string& Text, const std::string& Marker, std::size_t From = 0) {
    for (std::size_t i = From; i + Marker.size() <= Text.size(); ++i) {
        std::size_t k = 0;
        while (k < Marker.size() && (Text[i + k] | 0x20) == Marker[k])
            ++k;
        if (k == Marker.size()) return i;
    }
    return std::string::npos;
}

// A decimal whole number 0..Max (blanks around it allowed), or -1.
int WholeNumber(const std::string& Text, int Max) {
    const std::string t = Trim(Text);
    if (t.empty() || t.size() > 3) return -1;
    for (const char c : t)
        if (!IsDigitChar(c)) return -1;
    const int n = std::stoi(t);
    return n <= Max ? n : -1;
}

std::string Letter(int Choice) {
    return std::string(1, static_cast<char>('A' + Choice));
}

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& Items) {
    std::string text;
    for (std::size_t i = 0; i < Items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == Items.size() ? " and " : ", ") + Items[i];
    return text;
}

// The field the reader appends a text line to in each state of a question.
std::string FieldOf(int State) {
    return State == 3 ? "the question text" : "choice " + Letter(State - 4);
}

// What the program's reader would make of a line in another state than the
// one it meets the line in: the parser run on a scratch bank.
class Probe {
public:
    explicit Probe(Platform& Sys) : B(std::make_unique<Bank>(Sys)) {}

    bool IsHeader(const std::string& Line) { return After(0, Line) == 3; }
    // The choice (0 for A .. 3 for D) whose line this is, or -1.
    int Choice(const std::string& Line) {
        for (int k = 0; k < 4; ++k)
            if (After(3 + k, Line) == 4 + k) return k;
        return -1;
    }

private:
    int After(int State, std::string Line) {
        B->ParseState = static_cast<int16_t>(State);
        B->Npool = -1;
        B->ParsePoolLine(Line);
        return B->ParseState;
    }
    std::unique_ptr<Bank> B;
};

// The question being read: where its lines are.
struct Reading {
    bool Open = false;
    bool Lost = false; // a header met inside it: the lines after it are that question's
    int Header = 0;
    std::array<int, 4> Choices{}; // the line of each choice
};

} // namespace

bool WellFormedId(const std::string& Id) {
    return Id.size() == 5 && Id[0] == 'T' && IsDigitChar(Id[1]) && IsDigitChar(Id[3]) &&
           IsDigitChar(Id[4]);
}

void ProgramView::ReadPool(Diags& Problems) {
    const auto add = [&](int Line, bool Error, const std::string& Text) {
        Problems.push_back({PoolFile, Line, Error, Text});
    };
    SeqFile file;
    if (!file.Open(PoolFile)) {
        add(0, true,
            "cannot open the pool (" + file.ErrDescription + "): the program ends at start-up");
        return;
    }
    Bank& b = *B;
    b.AppDir = Sys.Dir + "/";
    b.ParseState = 0;
    b.Npool = -1;
    Probe probe(Sys);
    Reading q;
    bool overflow = false;
    std::map<std::string, int> seen;
    std::string line;
    for (int nr = 1; !file.Eof() && file.LineInput(line); ++nr) {
        if (CharCount(line) < 2) {
            if (line == "~")
                add(nr, true, "a lone \"~\" is skipped: the question does not end here");
            continue;
        }
        if (line.size() > MaxTextBytes) { // the reader keeps this much of a line
            std::size_t cut = MaxTextBytes;
            while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
                --cut;
            line.resize(cut);
        }
        line += ' ';
        const int before = b.Npool, state = b.ParseState;
        const std::string id = Trim(b.CurQue.QueNr);
        b.ParsePoolLine(line);
        if (line[0] == '~') {
            if (b.Npool == before) {
                if (!overflow) add(nr, true, "more than 430 questions: the rest is lost");
                overflow = true;
            } else if (!q.Open) {
                add(nr, true,
                    b.Npool == 0 ? "a record end line before any question stores an empty one"
                                 : "a record end line with no question since the previous one "
                                   "repeats " +
                                       id);
                Headers.push_back(nr);
            } else {
                Headers.push_back(q.Header);
                const QueRec& r = b.QuePool[b.Npool];
                std::vector<std::string> missing;
                for (int k = state - 3; k < 4; ++k)
                    missing.push_back("\"" + Letter(k) + ".\"");
                if (!missing.empty())
                    add(nr, true,
                        id + ": no " + Listed(missing) + (missing.size() > 1 ? " lines" : " line") +
                            " before the record end: the program shows what the question before "
                            "it had there");
                if (Trim(r.Question).empty()) add(q.Header, true, id + " has no question text");
                const std::string* choices[] = {&r.ChoiceA, &r.ChoiceB, &r.ChoiceC, &r.ChoiceD};
                for (int k = 0; k < state - 3 && k < 4; ++k)
                    if (Trim(*choices[k]).empty())
                        add(q.Choices[k], true, id + ": choice " + Letter(k) + " has no text");
            }
            q.Open = false;
        } else if (state == 0 && b.ParseState == 3) {
            q = Reading{true, false, nr, {}};
            Header(nr, line, seen, Problems);
        } else if (state >= 3 && b.ParseState == state + 1) {
            q.Choices[state - 3] = nr;
        } else if (state >= 3 && !q.Lost) {
            // A line taken as text that the reader would take for something else.
            const std::string into = ": the program takes it as part of " + FieldOf(state);
            if (const int k = probe.Choice(line); k >= 0)
                add(nr, true,
                    id + ": choice " + Letter(k) + " line " +
                        (state == 7 ? "after choice D"
                                    : "where " + Letter(state - 3) + " belongs") +
                        into);
            else if ((q.Lost = probe.IsHeader(line))) {
                const std::string lost = Trim(line.substr(0, line.find('(')));
                add(nr, true,
                    id + " has no record end line before the header of " + lost +
                        ": the program takes " + lost + " and its lines as part of " +
                        FieldOf(state) + " of " + id);
            }
        }
    }
    file.Close();
    if (q.Open)
        add(q.Header, true,
            Trim(b.CurQue.QueNr) + " has no record end line: the program never lists it");
    ++b.Npool;
    if (b.Npool < 2)
        add(0, true,
            "fewer than 2 questions: the program reports \"Unable to parse question pool file\"");
}

// Headers the reader takes apart: answer, identifier, "Fig" and "Pg".
void ProgramView::Header(int Nr, const std::string& Line, std::map<std::string, int>& Seen,
                         Diags& Problems) {
    const auto add = [&](bool Error, const std::string& Text) {
        Problems.push_back({PoolFile, Nr, Error, Text});
    };
    const QueRec& q = B->CurQue;
    const std::string id = Trim(q.QueNr);
    if (q.Answer.size() != 1 || q.Answer[0] < 'A' || q.Answer[0] > 'D')
        add(true, id + ": answer \"" + q.Answer + "\" is not A, B, C or D");
    if (!WellFormedId(id))
        add(false, "identifier \"" + id + "\" is not of the form T1A01: no test draws it");
    else if (const auto [it, fresh] = Seen.emplace(id, Nr); !fresh)
        add(true, id + " again (first at line " + std::to_string(it->second) +
                      "): a test and the study lists find only the first");
    const std::size_t f = FindNoCase(Line, "fig");
    const std::size_t pg = FindNoCase(Line, "pg");
    if (f != std::string::npos && FindNoCase(Line, "pg", f + 3) == std::string::npos)
        return add(true, id + ": \"Fig\" without a later \"Pg\"");
    if (pg == std::string::npos)
        return add(false, id + ": no \"Pg\": the question is in no chapter");
    const std::size_t d = q.ChPg.find('-');
    if (d == std::string::npos || WholeNumber(q.ChPg.substr(0, d), MaxChapter) < 0 ||
        WholeNumber(q.ChPg.substr(d + 1), MaxPage) < 0)
        add(true,
            id + ": \"Pg " + Trim(q.ChPg) + "\" is not a chapter 0..10, \"-\" and a page 0..35");
}

} // namespace korvell::pool
