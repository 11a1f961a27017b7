#include "app/cmdline.h"
#include "app/qtplatform.h"
#include "ui/modkorvell.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Arguments are answered on the terminal, before a window system is touched.
    std::string record;
    if (argc > 1)
        if (const int status = korvell::RunCommandLine(argc, argv, record); status >= 0)
            return status;

    QApplication app(argc, argv);
    QApplication::setApplicationName("Korvell");
    QApplication::setDesktopFileName("org.korvell.Korvell");
    // The main window's Quit and close end the program; hidden windows must
    // not end it when the last visible one closes.
    QApplication::setQuitOnLastWindowClosed(false);
    korvell::QtPlatform platform;
    korvell::modKorvell mod(platform);
    mod.RecordFile = record;
    mod.Handle([&] { mod.Main(); });
    return QApplication::exec();
}
