// korvell-pool: makes Korvell's data files from a publisher's release of the
// question pool, and checks a data directory.
#include "korvell-pool/release.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const Usage = "usage: korvell-pool import RELEASE OUTDIR [--study-map FILE]\n"
                          "       korvell-pool check DIR\n"
                          "       korvell-pool --help | --version\n";

const char* const Help =
    "\n"
    "import  reads RELEASE (the publisher's .docx, or its text as UTF-8 or Windows-1252\n"
    "        with T1.jpg ... beside it) and writes Tech_Pool.txt, SecCntTbl.txt, the\n"
    "        syllabus Tech_Syllabus.txt (when the release has one) and the figures\n"
    "        T1.jpg ... into OUTDIR, or, if the release has problems, lists them\n"
    "        and writes nothing. Chapter and page of each question are its subelement\n"
    "        (T1..T9: 1..9, T0: 10) and group (A: 1, B: 2, ...), unless the study map\n"
    "        FILE, rows of identifier,chapter-page such as T1A01,2-4, says otherwise.\n"
    "check   reads a Korvell data directory as the program does and lists what would\n"
    "        go wrong in use.\n"
    "\n"
    "Exit status: 0 done, 1 problems found, 2 usage error.\n";

int UsageError(const char* What) {
    std::fprintf(stderr, "korvell-pool: %s\n%s", What, Usage);
    return 2;
}

int Report(const korvell::pool::Diags& Problems) {
    for (const auto& d : Problems)
        std::fprintf(stderr, "%s\n", korvell::pool::Format(d).c_str());
    return korvell::pool::HasErrors(Problems) ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::printf("%s%s", Usage, Help);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("korvell-pool %s\n", KORVELL_VERSION);
        return 0;
    }
    korvell::pool::Diags problems;
    if (!args.empty() && args[0] == "check") {
        if (args.size() != 2) return UsageError("check takes one directory");
        korvell::pool::Check(args[1], problems);
        return Report(problems);
    }
    if (args.empty() || args[0] != "import") return UsageError("no command");
    std::vector<std::string> operands;
    std::string map;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--study-map") {
            if (++i == args.size() || !map.empty()) return UsageError("--study-map takes one FILE");
            map = args[i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(("unknown option " + args[i]).c_str());
        } else {
            operands.push_back(args[i]);
        }
    }
    if (operands.size() != 2) return UsageError("import takes RELEASE and OUTDIR");
    std::string summary;
    const int status = korvell::pool::Import(operands[0], operands[1], map, {}, problems, summary);
    Report(problems);
    if (status == 0) std::printf("korvell-pool: %s\n", summary.c_str());
    return status;
}
