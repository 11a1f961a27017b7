// korvell-pool check, the section table: read as the program reads it, then
// held against the built-in groups and against the pool's questions.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <set>

namespace korvell::pool {

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

} // namespace korvell::pool
