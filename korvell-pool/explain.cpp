// The explanation file of a data directory: what check finds in it, and the
// stamp that marks explanations as written for the pool's current wording.
#include "korvell-pool/check.h"

#include "core/explain.h"
#include "core/logic.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace korvell::pool {

namespace {

namespace fs = std::filesystem;

const char* const ExplainName = "Tech_Explain.txt";

// Pool index of each identifier the pool lists (the first, as the program finds it).
std::map<std::string, int> PoolIndex(const Bank& B) {
    std::map<std::string, int> index;
    for (int k = 0; k < B.Npool && k <= MaxQue; ++k)
        index.emplace(Trim(B.QuePool[k].QueNr), k);
    return index;
}

} // namespace

void CheckExplain(const ProgramView& View, Diags& Problems) {
    const std::string path = View.Sys.Dir + "/" + ExplainName;
    std::error_code ec;
    if (!fs::exists(path, ec)) return; // the explanations are optional
    SeqFile file;
    if (!file.Open(path)) {
        Problems.push_back({path, 0, true, "cannot be read (" + file.ErrDescription + ")"});
        return;
    }
    std::vector<ExplainRec> recs;
    std::vector<ExplainProblem> unread;
    ReadExplainRecords(file, recs, &unread);
    for (const auto& p : unread)
        Problems.push_back({path, p.Line, true, p.Text});

    const Bank& b = *View.B;
    const auto index = PoolIndex(b);
    std::map<std::string, int> seen;
    for (const ExplainRec& e : recs) {
        const auto warn = [&](const std::string& Text) {
            Problems.push_back({path, e.Line, false, Text});
        };
        if (const auto [first, fresh] = seen.emplace(e.QueNr, e.Line); !fresh) {
            warn(e.QueNr + " again (first at line " + std::to_string(first->second) +
                 "): the program shows only the first");
            continue;
        }
        const auto at = index.find(e.QueNr);
        if (at == index.end()) {
            warn(e.QueNr + " is not a question of the pool");
            continue;
        }
        const QueRec& q = b.QuePool[at->second];
        if (e.Answer != Trim(q.Answer))
            warn("written for the answer (" + e.Answer + ") of " + e.QueNr + ", which is now (" +
                 Trim(q.Answer) + "): the program does not show it; review it, then stamp it");
        else if (e.Fp.empty())
            warn(e.QueNr + " has no fingerprint: review it against the question, then stamp it");
        else if (e.Fp != QueFingerprint(q))
            warn("written for another wording of " + e.QueNr +
                 ": the program does not show it; review it, then stamp it");
    }
    for (const auto& [id, k] : index)
        if (!seen.count(id))
            Problems.push_back({View.PoolFile, View.Headers[k], false,
                                id + " has no explanation in " + ExplainName});
}

int Stamp(const std::string& Dir, const std::string& File, const std::vector<std::string>& Ids,
          Diags& Problems, std::string& Summary) {
    ProgramView view(Dir);
    Diags poolProblems;
    view.ReadPool(poolProblems);
    const Bank& b = *view.B;
    const auto index = PoolIndex(b);
    const std::string path = File.empty() ? Dir + "/" + ExplainName : File;
    const bool all = Ids.empty();
    std::set<std::string> wanted(Ids.begin(), Ids.end());
    for (const auto& id : wanted)
        if (!index.count(id))
            Problems.push_back({path, 0, true, id + " is not a question of the pool"});

    std::ifstream in(path, std::ios::binary);
    if (!in) Problems.push_back({path, 0, true, "cannot be read"});
    if (HasErrors(Problems)) return 1;

    // Only header lines change; every other byte stays as it is.
    std::string out, line;
    int nr = 0, stamped = 0;
    std::set<std::string> found;
    while (std::getline(in, line)) {
        ++nr;
        const bool cr = !line.empty() && line.back() == '\r';
        if (cr) line.pop_back();
        ExplainRec rec;
        if (ParseExplainHeader(line, rec) && (all || wanted.count(rec.QueNr))) {
            const auto at = index.find(rec.QueNr);
            if (at != index.end()) {
                const QueRec& q = b.QuePool[at->second];
                rec.Answer = Trim(q.Answer);
                rec.Fp = QueFingerprint(q);
                const std::string header = ExplainHeader(rec);
                if (header != line) ++stamped;
                line = header;
                found.insert(rec.QueNr);
            } else if (!all) {
                Problems.push_back({path, nr, true, rec.QueNr + " is not a question of the pool"});
            }
        }
        out += line + (cr ? "\r" : "") + (in.eof() ? "" : "\n");
    }
    for (const auto& id : wanted)
        if (index.count(id) && !found.count(id))
            Problems.push_back({path, 0, true, id + " has no explanation to stamp"});
    if (HasErrors(Problems)) return 1;

    // Written beside the file and renamed over it, so that a failed write
    // leaves the file as it was.
    const std::string temp = path + ".stamp-tmp";
    {
        std::ofstream o(temp, std::ios::binary | std::ios::trunc);
        o << out;
        if (!o.flush()) {
            Problems.push_back({path, 0, true, "cannot write " + temp});
            std::error_code ec;
            fs::remove(temp, ec);
            return 1;
        }
    }
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        Problems.push_back({path, 0, true, "cannot replace the file: " + ec.message()});
        return 1;
    }
    Summary = std::to_string(found.size()) + " explanation" + (found.size() == 1 ? "" : "s") +
              " stamped as written for the current wording (" + std::to_string(stamped) +
              " changed)";
    return 0;
}

} // namespace korvell::pool
