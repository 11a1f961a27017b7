// korvell-pool check: a data directory read through the program's own readers
// (the pool parser, the section table reader and its start-up comparison),
// with each finding placed at the line that causes it.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <fstream>
#include <set>

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

bool WellFormedId(const std::string& Id) {
    return Id.size() == 5 && Id[0] == 'T' && IsDigitChar(Id[1]) && IsDigitChar(Id[3]) &&
           IsDigitChar(Id[4]);
}

} // namespace

ProgramView::ProgramView(const std::string& Dir)
    : Sys(Dir), B(std::make_unique<Bank>(Sys)), PoolFile(Dir + "/Tech_Pool.txt"),
      TableFile(Dir + "/SecCntTbl.txt") {}

void ProgramView::Load(Diags& Problems) {
    const auto add = [&](const std::string& File, int Line, bool Error, const std::string& Text) {
        Problems.push_back({File, Line, Error, Text});
    };
    SeqFile file;
    if (!file.Open(PoolFile)) {
        add(PoolFile, 1, true,
            "cannot open the pool (" + file.ErrDescription + "): the program ends at start-up");
        return;
    }
    Bank& b = *B;
    b.AppDir = Sys.Dir + "/";
    b.ParseState = 0;
    b.Npool = -1;
    int header = 0;
    bool open = false, overflow = false;
    std::map<std::string, int> seen;
    std::string line;
    for (int nr = 1; !file.Eof() && file.LineInput(line); ++nr) {
        if (CharCount(line) < 2) {
            if (line == "~")
                add(PoolFile, nr, true, "a lone \"~\" is skipped: the question does not end here");
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
        b.ParsePoolLine(line);
        if (line[0] == '~') {
            if (b.Npool == before) {
                if (!overflow) add(PoolFile, nr, true, "more than 430 questions: the rest is lost");
                overflow = true;
            } else {
                if (!open)
                    add(PoolFile, nr, true,
                        b.Npool == 0 ? "a record end line before any question stores an empty one"
                                     : "a record end line with no question since the previous one "
                                       "repeats " +
                                           Trim(b.QuePool[b.Npool].QueNr));
                Headers.push_back(open ? header : nr);
            }
            open = false;
        } else if (state == 0 && b.ParseState == 3) {
            header = nr;
            open = true;
            Header(nr, line, seen, Problems);
        }
    }
    file.Close();
    if (open)
        add(PoolFile, header, true,
            Trim(b.CurQue.QueNr) + " has no record end line: the program never lists it");
    ++b.Npool;
    if (b.Npool < 2)
        add(PoolFile, 1, true,
            "fewer than 2 questions: the program reports \"Unable to parse question pool file\"");
    b.BuildSecGroups();
    b.ReadSecCntTbl();
    for (const auto& m : Sys.Messages)
        add(TableFile, 1, true,
            m.Title + ": " + m.Text.substr(0, m.Text.find('\n')) + ", " +
                m.Text.substr(m.Text.find('\n') + 1));
    Sys.Messages.clear();
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
        add(false, id + " again (first at line " + std::to_string(it->second) +
                       "): the program finds only the first");
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

bool ProgramView::TableMatches() const {
    return B->FirstSecCntMismatch() < 0;
}

void Check(const std::string& Dir, Diags& Problems) {
    for (const char* name : {"Vellkor-Help.txt", "Disclaimer.txt"})
        if (!std::ifstream(Dir + "/" + name))
            Problems.push_back({Dir + "/" + name, 1, false,
                                "missing: the program does not start from this directory"});
    ProgramView view(Dir);
    view.Load(Problems);
    const Bank& b = *view.B;
    if (b.Npool < 0) return;

    // Figures named in the pool, each checked once.
    std::set<std::string> figures;
    for (int k = 0; k < b.Npool && k <= MaxQue; ++k) {
        const std::string& fig = b.QuePool[k].Fig;
        if (fig.empty() || !figures.insert(fig).second) continue;
        std::string head(4, '\0');
        std::ifstream in(b.AppDir + fig + ".jpg", std::ios::binary);
        in.read(head.data(), 4);
        if (!in || !IsJpeg(head))
            Problems.push_back({view.PoolFile, view.Headers[k], true,
                                "figure " + fig + ": " + fig + ".jpg is missing or not a JPEG"});
    }

    CheckSyllabus(view, Problems);
    const int bad = b.FirstSecCntMismatch();
    if (bad >= 0) {
        Problems.push_back({view.TableFile, bad + 1, true,
                            "record " + std::to_string(bad + 1) + " is \"" + b.SecCntIds[bad] +
                                "\" where the program expects \"" + b.SecGroups[bad] +
                                "\": the program ends at start-up"});
        return;
    }
    for (int g = 0; g < b.NrSecGroups; ++g) {
        const std::string& code = b.SecGroups[g];
        const int count = b.SecCnt[g];
        const auto at = [&](const std::string& Text) {
            Problems.push_back({view.TableFile, g + 1, true, Text});
        };
        if (count < 1) at(code + ": a count of " + std::to_string(count) + " gives a test nothing");
        for (int16_t n = 1; n <= count && n < 100; ++n)
            if (b.FindQuestionIndex(QuestionId(code, TwoDigits(n))) < 0) {
                at(code + " counts " + std::to_string(count) + " questions but the pool has no " +
                   QuestionId(code, TwoDigits(n)) + ": a test that draws it ends the program");
                break;
            }
    }
    for (int k = 0; k < b.Npool && k <= MaxQue; ++k) {
        const std::string id = Trim(b.QuePool[k].QueNr);
        const int g = GroupIndex(id.substr(0, 3));
        if (g >= 0 && WellFormedId(id) && std::stoi(id.substr(3)) > b.SecCnt[g])
            Problems.push_back({view.PoolFile, view.Headers[k], false,
                                id + " lies beyond the count of " + id.substr(0, 3) +
                                    " in SecCntTbl.txt: no test draws it"});
    }
}

} // namespace korvell::pool
