#include "app/cmdline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace korvell {

namespace {

const char* const Usage = "Usage: korvell [--help | --version]\n";

const char* const Help =
    "Study aid and exam simulator for the amateur radio Technician licence.\n"
    "\n"
    "Started without arguments, Korvell opens its main window on the question pool\n"
    "found beside the program and offers simulated licence tests and study of the\n"
    "whole pool or of one chapter and page of a study text.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and the data directory, and exit\n"
    "\n"
    "See korvell(1) for the windows, the keys and the data files.\n";

void Print(std::FILE* Stream, const QString& Text) {
    std::fputs(Text.toLocal8Bit().constData(), Stream);
}

} // namespace

int RunCommandLine(int argc, char** argv) {
    // A core application only: it gives the program's directory and the
    // arguments in the locale's encoding, and never contacts a display.
    QCoreApplication App(argc, argv);
    QCommandLineParser Parser;
    const QCommandLineOption HelpOption({"h", "help"}, "");
    const QCommandLineOption VersionOption({"v", "version"}, "");
    Parser.addOption(HelpOption);
    Parser.addOption(VersionOption);

    QString Problem;
    if (!Parser.parse(QCoreApplication::arguments())) {
        Problem = Parser.errorText();
    } else if (!Parser.positionalArguments().isEmpty()) {
        Problem = "unexpected argument '" + Parser.positionalArguments().first() + "'";
    }
    if (!Problem.isEmpty()) {
        Print(stderr, "korvell: " + Problem + "\n" + Usage +
                          "Try 'korvell --help' for more information.\n");
        return 2;
    }
    if (Parser.isSet(HelpOption)) {
        Print(stdout, QString(Usage) + "\n" + Help);
    } else {
        Print(stdout, "korvell " KORVELL_VERSION "\nData directory: " +
                          QCoreApplication::applicationDirPath() + "\n");
    }
    return 0;
}

} // namespace korvell
