// The help, About and disclaimer windows and the texts read into them.
#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace korvell::testing {

// A comma splits an unquoted line into rows, blanks before a field go, an empty
// line is an empty row; opening and closing by button or frame never doubles a row.
TEST(InfoWindows, RowsPerFieldAndOpenCloseWithoutDoubling) {
    const std::string text =
        JoinLines({"First", "", "Left, right", "\"Quoted, with, commas\"", " Last"});
    const QStringList rows = {"First", "", "Left", "right", "Quoted, with, commas", "Last"};
    Program run;
    run.Data.WriteStandard(1);
    run.Data.Write("Vellkor-Help.txt", text);
    run.Data.Write("Disclaimer.txt", text);
    run.Start();
    auto& w = run.Win();
    auto& help = *run.Mod.frmShowHelp;
    auto& about = *run.Mod.frmAbout;
    auto& disclaimer = *run.Mod.frmDisclaimer;
    // What the user works (menu item, button, window frame), then the windows open.
    // clang-format off
    const std::pair<QObject*, QString> steps[] = {
        {w.pgmHelp, "H"}, {w.pgmHelp, "H"}, {help.cmdClose, ""}, {w.pgmHelp, "H"}, {&help, ""},
        {w.pgmAbout, "A"}, {about.cmdDisclaimer, "AD"}, {disclaimer.cmdClose, "A"},
        {about.cmdDisclaimer, "AD"}, {w.pgmHelp, "HAD"}, {&disclaimer, "HA"},
        {about.cmdClose, "H"}, {w.pgmAbout, "HA"}, {&about, "H"}};
    // clang-format on
    for (const auto& [used, open] : steps) {
        if (auto* item = qobject_cast<QAction*>(used))
            item->trigger();
        else if (auto* button = qobject_cast<QAbstractButton*>(used))
            button->click();
        else
            static_cast<QWidget*>(used)->close();
        EXPECT_EQ(QString(help.isHidden() ? "" : "H") + (about.isHidden() ? "" : "A") +
                      (disclaimer.isHidden() ? "" : "D"),
                  open)
            << used->objectName().toStdString();
        EXPECT_EQ(ListRows(help.lstHelpText), rows);
        EXPECT_EQ(ListRows(disclaimer.lstDisclaimer), rows);
    }
    EXPECT_TRUE(!run.Mod.Ended && run.Fake.Messages.empty());
}

} // namespace korvell::testing
