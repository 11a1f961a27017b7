// The help, About and disclaimer windows and the texts read into them.
#include "support/fixtures.h"
#include "ui/info/infowindows.h"

#include <QApplication>
#include <functional>
#include <gtest/gtest.h>

namespace korvell::testing {
namespace {

QStringList Rows(const QListWidget* List) {
    QStringList rows;
    for (int i = 0; i < List->count(); ++i)
        rows << List->item(i)->text();
    return rows;
}

int TopLevelWindowsNamed(const QString& Name) {
    int n = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        n += w->objectName() == Name;
    return n;
}

// Each field of a text becomes one row: a comma splits a line unless the line
// is quoted, blanks before a field go, and an empty line keeps its empty row.
TEST(InfoTexts, OneRowPerField) {
    const std::vector<std::string> lines = {
        "First line",       "",          "Left part, right part", "\"Quoted, with commas, inside\"",
        "   Indented line", "Last line",
    };
    const QStringList rows = {
        "First line",    "",         "Left part", "right part", "Quoted, with commas, inside",
        "Indented line", "Last line"};
    Program run;
    run.Data.WriteStandard(1);
    run.Data.WriteHelp(lines);
    run.Data.WriteDisclaimer(lines);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    EXPECT_EQ(Rows(run.Mod.frmShowHelp->lstHelpText), rows);
    EXPECT_EQ(Rows(run.Mod.frmDisclaimer->lstDisclaimer), rows);
}

// Opening shows the window as it was filled at start-up; closing, by its
// button or its frame, hides it and keeps it. Nothing is doubled.
TEST(InfoWindows, OpenAndCloseWithoutDoubling) {
    Program run;
    run.Data.WriteStandard(1);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    auto& w = run.Win();
    auto& help = *run.Mod.frmShowHelp;
    auto& about = *run.Mod.frmAbout;
    auto& disclaimer = *run.Mod.frmDisclaimer;
    const QStringList helpRows = Rows(help.lstHelpText);
    const QStringList disclaimerRows = Rows(disclaimer.lstDisclaimer);
    ASSERT_EQ(helpRows.size(), 3);
    ASSERT_EQ(disclaimerRows.size(), 2);

    const struct {
        const char* Step;
        std::function<void()> Act;
        bool Help, About, Disclaimer; // visible afterwards
    } steps[] = {
        {"Program Help", [&] { w.pgmHelp->trigger(); }, true, false, false},
        {"Program Help again", [&] { w.pgmHelp->trigger(); }, true, false, false},
        {"Close Help", [&] { help.cmdClose->click(); }, false, false, false},
        {"Program Help after closing", [&] { w.pgmHelp->trigger(); }, true, false, false},
        {"help frame", [&] { help.close(); }, false, false, false},
        {"About", [&] { w.pgmAbout->trigger(); }, false, true, false},
        {"View Disclaimer", [&] { about.cmdDisclaimer->click(); }, false, true, true},
        {"Close Disclaimer", [&] { disclaimer.cmdClose->click(); }, false, true, false},
        {"View Disclaimer again", [&] { about.cmdDisclaimer->click(); }, false, true, true},
        {"Program Help with both open", [&] { w.pgmHelp->trigger(); }, true, true, true},
        {"disclaimer frame", [&] { disclaimer.close(); }, true, true, false},
        {"Close About", [&] { about.cmdClose->click(); }, true, false, false},
        {"About again", [&] { w.pgmAbout->trigger(); }, true, true, false},
        {"About frame", [&] { about.close(); }, true, false, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Step);
        s.Act();
        EXPECT_EQ(!help.isHidden(), s.Help);
        EXPECT_EQ(!about.isHidden(), s.About);
        EXPECT_EQ(!disclaimer.isHidden(), s.Disclaimer);
        EXPECT_EQ(Rows(help.lstHelpText), helpRows);
        EXPECT_EQ(Rows(disclaimer.lstDisclaimer), disclaimerRows);
        EXPECT_FALSE(w.isHidden());
        EXPECT_FALSE(run.Mod.Ended);
    }
    for (const char* name : {"frmShowHelp", "frmAbout", "frmDisclaimer"})
        EXPECT_EQ(TopLevelWindowsNamed(name), 1) << name;
    EXPECT_TRUE(run.Fake.Messages.empty());

    // The main window goes on working beside them.
    run.Mod.ListPos = 5;
    w.cmdAll->click();
    EXPECT_EQ(run.Mod.ListPos, 0);
    EXPECT_FALSE(run.Mod.Ended);
}

} // namespace
} // namespace korvell::testing
