// korvell-pool check: a data directory read through the program's own readers
// (the pool parser, the section table reader and its start-up comparison), the
// figures decoded in full, each finding placed at the line that causes it.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace korvell::pool {

namespace fs = std::filesystem;

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

bool WellFormedId(const std::string& Id) {
    return Id.size() == 5 && Id[0] == 'T' && IsDigitChar(Id[1]) && IsDigitChar(Id[3]) &&
           IsDigitChar(Id[4]);
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

ProgramView::ProgramView(const std::string& Dir)
    : Sys(Dir), B(std::make_unique<Bank>(Sys)), PoolFile(Dir + "/Tech_Pool.txt"),
      TableFile(Dir + "/SecCntTbl.txt") {}

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

void ProgramView::ReadTable(Diags& Problems) {
    Bank& b = *B;
    b.AppDir = Sys.Dir + "/";
    b.BuildSecGroups();
    b.ReadSecCntTbl();
    // The same reads again, to learn where each record starts and where the
    // reader stopped if it failed.
    SeqFile file;
    int stop = 0;
    if (file.Open(TableFile)) {
        std::string id;
        int16_t count = 0;
        while (!file.Eof()) {
            stop = file.Line();
            if (Records.size() > MaxSecTbl) break;
            Records.push_back(stop);
            if (!file.InputField(id)) break;
            stop = file.Line();
            if (!file.InputInt(count)) break;
        }
    }
    for (const auto& m : Sys.Messages)
        Problems.push_back({TableFile, stop, true,
                            "the program reports \"" + m.Title + "\" (" +
                                m.Text.substr(0, m.Text.find('\n')) + ": " +
                                m.Text.substr(m.Text.find('\n') + 1) + ") and reads no further"});
    Sys.Messages.clear();
}

bool ProgramView::TableMatches() const {
    return B->FirstSecCntMismatch() < 0;
}

namespace {

// The directory itself.
bool CheckDirectory(const std::string& Dir, Diags& Problems) {
    std::error_code ec;
    const fs::file_status st = fs::status(Dir, ec);
    if (fs::is_directory(st)) return true;
    Problems.push_back({Dir, 0, true, fs::exists(st) ? "not a directory" : "no such directory"});
    return false;
}

// The help and disclaimer texts, read a field at a time as the program reads
// them: each field is a row of the window's list.
void CheckTexts(const std::string& Dir, Diags& Problems) {
    for (const char* name : {"Vellkor-Help.txt", "Disclaimer.txt"}) {
        const std::string path = Dir + "/" + name;
        SeqFile file;
        if (!file.Open(path)) {
            Problems.push_back({path, 0, false,
                                "cannot be opened (" + file.ErrDescription +
                                    "): the program does not start without it"});
            continue;
        }
        std::string field;
        for (int last = 0, warned = 0; !file.Eof();) {
            const int line = file.Line();
            if (!file.InputField(field)) break;
            if (line == last && line != warned)
                Problems.push_back({path, warned = line, false,
                                    "a comma outside double quotes makes this line two or more "
                                    "rows of the window"});
            last = line;
        }
    }
}

void CheckPool(ProgramView& View, Diags& Problems) {
    View.ReadPool(Problems);
}

// The table against the built-in groups, and its counts against the pool.
void CheckSectionTable(ProgramView& View, Diags& Problems) {
    View.ReadTable(Problems);
    const Bank& b = *View.B;
    const auto at = [&](int Record, bool Error, const std::string& Text) {
        const int line = Record < static_cast<int>(View.Records.size()) ? View.Records[Record] : 0;
        Problems.push_back({View.TableFile, line, Error, Text});
    };
    const int records = static_cast<int>(View.Records.size());
    if (const int bad = b.FirstSecCntMismatch(); bad >= records) {
        return at(bad, true,
                  std::to_string(records) + " records where the program expects one for each of " +
                      "the 35 groups T1A to T0C: the program ends at start-up");
    } else if (bad >= 0) {
        return at(bad, true,
                  "record " + std::to_string(bad + 1) + " is \"" + b.SecCntIds[bad] +
                      "\" where the program expects \"" + b.SecGroups[bad] +
                      "\": the program ends at start-up");
    }
    for (int r = b.NrSecGroups; r < records && r <= MaxSecTbl; ++r)
        at(r, false,
           "record " + std::to_string(r + 1) + " (\"" + b.SecCntIds[r] +
               "\") lies beyond the 35 groups: the program reads it and uses it nowhere");

    // The highest number and the identifiers of each group in the pool.
    std::map<std::string, std::set<int>> numbers;
    for (int k = 0; k < b.Npool && k <= MaxQue; ++k)
        if (const std::string id = Trim(b.QuePool[k].QueNr); WellFormedId(id))
            numbers[id.substr(0, 3)].insert(std::stoi(id.substr(3)));
    for (int g = 0; g < b.NrSecGroups; ++g) {
        const std::string& code = b.SecGroups[g];
        const int count = b.SecCnt[g];
        const std::set<int>& have = numbers[code];
        const std::string counts =
            code + " counts " + std::to_string(count) + (count == 1 ? " question" : " questions");
        const auto id = [&](int N) { return QuestionId(code, TwoDigits(static_cast<int16_t>(N))); };
        if (count < 1)
            at(g, true, code + ": a count of " + std::to_string(count) + " gives a test nothing");
        for (int n = 1; n <= count && n < 100; ++n)
            if (!have.count(n)) {
                at(g, true,
                   counts + " but the pool has no " + id(n) +
                       ": a test that draws it ends the program");
                break;
            }
        if (const auto above = have.upper_bound(std::max(count, 0)); above != have.end()) {
            const bool one = *above == *have.rbegin();
            at(g, false,
               counts + " but the pool has " + id(*above) +
                   (one ? "" : " to " + id(*have.rbegin())) + " as well: no test draws " +
                   (one ? "it" : "them"));
        }
    }
}

// The figures the pool names, decoded in full, and pictures no question names.
void CheckFigures(ProgramView& View, Diags& Problems) {
    const Bank& b = *View.B;
    std::set<std::string> named;
    for (int k = 0; k < b.Npool && k <= MaxQue; ++k) {
        const std::string& fig = b.QuePool[k].Fig;
        if (fig.empty() || !named.insert(fig).second) continue;
        const auto at = [&](const std::string& Text) {
            Problems.push_back(
                {View.PoolFile, View.Headers[k], true, "figure " + fig + ": " + Text});
        };
        if (fig.find('/') != std::string::npos) {
            at("a name with \"/\" names no file beside the program");
            continue;
        }
        const std::string path = b.AppDir + fig + ".jpg";
        std::error_code ec;
        const auto size = fs::file_size(path, ec);
        if (ec) {
            at(fig + ".jpg cannot be read (" + ec.message() + ")");
            continue;
        }
        std::string data, why = "larger than " + std::to_string(Limits{}.Picture) + " bytes";
        if (size <= Limits{}.Picture) {
            data.resize(size);
            std::ifstream(path, std::ios::binary)
                .read(data.data(), static_cast<std::streamsize>(data.size()));
        }
        if (size > Limits{}.Picture || !DecodeJpeg(data, why))
            Problems.push_back({path, 0, true, "not a picture the program can show: " + why});
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(View.Sys.Dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".jpg") == 0 &&
            !named.count(name.substr(0, name.size() - 4)))
            Problems.push_back({entry.path().string(), 0, false,
                                "no question names this figure: import leaves such a picture in "
                                "place, so it may be left from an earlier pool"});
    }
}

} // namespace

void Check(const std::string& Dir, Diags& Problems) {
    if (!CheckDirectory(Dir, Problems)) return;
    CheckTexts(Dir, Problems);
    ProgramView view(Dir);
    CheckPool(view, Problems);
    if (view.B->Npool < 0) return;
    CheckSectionTable(view, Problems);
    CheckSyllabus(view, Problems);
    CheckFigures(view, Problems);
    CheckExplain(view, Problems);
}

} // namespace korvell::pool
