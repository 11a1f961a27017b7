#include "app/cmdline.h"

#include "core/options.h"

#include <QCoreApplication>

#include <cstdio>

namespace korvell {

namespace {

const char* const Usage = "Usage: korvell [--record=FILE]\n"
                          "       korvell --print-test=FILE.pdf [--seed=N]\n"
                          "       korvell --progress=FILE\n"
                          "       korvell -h | --help | -v | --version\n";

const char* const Help =
    "Study aid and exam simulator for the amateur radio Technician license.\n"
    "\n"
    "Started without arguments, Korvell opens its main window on the question pool\n"
    "found beside the program and offers simulated license tests and study of the\n"
    "whole pool or of one chapter and page of a study text.\n"
    "\n"
    "Options:\n"
    "  --record=FILE          keep answers, tests and marks in the study record FILE\n"
    "                         (made there when there is no file) from run to run\n"
    "  --progress=FILE        print the summary of the study record FILE, and exit\n"
    "  --print-test=FILE.pdf  write a practice test on paper (one question of each\n"
    "                         exam group, then the answer key) to FILE.pdf, and exit\n"
    "  --seed=N               draw test number N (a whole number): the same number\n"
    "                         and pool give the same test; without it a number is\n"
    "                         chosen and printed on the test\n"
    "  -h, --help             show this help and exit\n"
    "  -v, --version          show the version and the data directory, and exit\n"
    "\n"
    "See korvell(1) for the windows, the keys and the data files.\n";

} // namespace

int RunCommandLine(int argc, char** argv, std::string& RecordFile) {
    const Arguments args = ScanArguments({argv + 1, argv + argc}, {{"help", 'h', false},
                                                                   {"version", 'v', false},
                                                                   {"print-test", 0, true},
                                                                   {"seed", 0, true},
                                                                   {"record", 0, true},
                                                                   {"progress", 0, true}});
    std::string problem = args.Problem;
    if (problem.empty() && !args.Operands.empty())
        problem = "unexpected argument '" + args.Operands.front() + "'";
    const std::optional<std::uint64_t> number =
        args.Has("seed") ? WholeNumber(args.Value("seed")) : std::nullopt;
    if (problem.empty() && args.Has("seed") && !number)
        problem = "option '--seed' takes a whole number, not '" + args.Value("seed") + "'";
    if (problem.empty() && args.Has("seed") && !args.Has("print-test"))
        problem = "option '--seed' goes with '--print-test'";
    if (problem.empty() && args.Has("record") && (args.Has("print-test") || args.Has("progress")))
        problem = "option '--record' goes with no '--print-test' or '--progress'";
    if (problem.empty() && args.Has("progress") && args.Has("print-test"))
        problem = "option '--progress' goes with no '--print-test'";
    if (!problem.empty()) {
        std::fprintf(stderr, "korvell: %s\nTry 'korvell --help'.\n", problem.c_str());
        return 2;
    }
    if (args.Has("help")) {
        std::printf("%s\n%s", Usage, Help);
        return 0;
    }
    RecordFile = args.Value("record");
    if (!args.Has("version")) {
        if (args.Has("progress")) return RunProgress(argc, argv, args.Value("progress"));
        return args.Has("print-test") ? RunPrintTest(argc, argv, args.Value("print-test"), number)
                                      : -1;
    }
    // A core application only: it knows the program's directory and never
    // contacts a display.
    const QCoreApplication app(argc, argv);
    std::printf("korvell " KORVELL_VERSION "\nData directory: %s\n",
                QCoreApplication::applicationDirPath().toLocal8Bit().constData());
    return 0;
}

} // namespace korvell
