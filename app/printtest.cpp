// korvell --print-test: a practice test written as a PDF file, with no window.
#include "app/cmdline.h"
#include "app/reportplatform.h"

#include "core/bank.h"
#include "core/practice.h"
#include "ui/print/papertest.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <vector>

namespace korvell {

int RunPrintTest(int argc, char** argv, const std::string& File,
                 std::optional<std::uint64_t> Number) {
    // The offscreen platform gives fonts and images without a display.
    std::vector<char*> args(argv, argv + argc);
    char platformOption[] = "-platform", offscreen[] = "offscreen";
    args.insert(args.begin() + 1, {platformOption, offscreen});
    int count = static_cast<int>(args.size());
    // The command reports its own errors; Qt's notes about its surroundings
    // (such as a missing runtime directory) are no concern of its user.
    qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Text) {
        if (Type == QtCriticalMsg || Type == QtFatalMsg)
            std::fprintf(stderr, "korvell: %s\n", Text.toLocal8Bit().constData());
    });
    const QGuiApplication app(count, args.data());

    const auto fail = [](const std::string& Path, const std::string& Message) {
        std::fprintf(stderr, "korvell: %s: error: %s\n", Path.c_str(), Message.c_str());
        return 1;
    };
    ReportPlatform sys;
    Bank bank(sys);
    if (const std::string failed = ReadPoolFiles(bank, sys); !failed.empty())
        return fail(failed, sys.Line());
    PaperSheet sheet;
    const auto problem = MakePaperSheet(bank, Number ? *Number : FreshTestNumber(sys), sheet);
    if (problem) return fail(problem->File, problem->Message);
    if (const auto written = WritePaperPdf(sheet, File))
        return fail(written->File, written->Message);
    return 0;
}

} // namespace korvell
