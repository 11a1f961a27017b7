// korvell-pool check: a data directory read through the program's own readers,
// each finding placed at the line that causes it. Here the directory, the help
// and disclaimer texts, the figures decoded in full, and the order of the
// checks; the pool (check_pool.cpp), the section table (check_table.cpp), the
// syllabus (syllabus.cpp) and the explanations (explain.cpp) have files of their own.
#include "korvell-pool/check.h"

#include "core/logic.h"

#include <filesystem>
#include <fstream>
#include <set>

namespace korvell::pool {

namespace fs = std::filesystem;

ProgramView::ProgramView(const std::string& Dir)
    : Sys(Dir), B(std::make_unique<Bank>(Sys)), PoolFile(Dir + "/Tech_Pool.txt"),
      TableFile(Dir + "/SecCntTbl.txt") {}

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
    view.ReadPool(Problems);
    if (view.B->Npool < 0) return;
    CheckSectionTable(view, Problems);
    CheckSyllabus(view, Problems);
    CheckFigures(view, Problems);
    CheckExplain(view, Problems);
}

} // namespace korvell::pool
