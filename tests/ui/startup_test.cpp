// Start-up order, the state the main window opens in, and the ways the program ends.
#include "support/fixtures.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/test/frmtestcomplete.h"

#include <QAccessible>
#include <QMenuBar>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace korvell::testing {
namespace {

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t nl; (nl = Text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(Text.substr(start, nl - start));
    lines.push_back(Text.substr(start));
    return lines;
}

QStringList Rows(const QListWidget* List) {
    QStringList rows;
    for (int i = 0; i < List->count(); ++i)
        rows << List->item(i)->text();
    return rows;
}

// A data file that cannot be opened ends start-up with its report; nothing
// after the failed open is read and the main window never comes into being.
TEST(StartUp, MissingDataFileEndsWithItsReport) {
    const struct {
        const char* File;
        const char* Kind;
        bool HelpRead, DisclaimerRead;
    } cases[] = {
        {"Vellkor-Help.txt", "Help File", false, false},
        {"Disclaimer.txt", "Disclaimer File", true, false},
        {"Tech_Pool.txt", "Question Pool File", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.File);
        Program run;
        run.Data.WriteStandard(1);
        run.Data.Remove(c.File);
        run.Mod.Npool = 99; // untouched unless the pool is read
        run.Start();

        EXPECT_TRUE(run.Mod.Ended);
        EXPECT_TRUE(run.Fake.Ended);
        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        EXPECT_EQ(run.Fake.Messages[0].Title, "Problem in Opening file");
        const auto lines = Lines(run.Fake.Messages[0].Text);
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[1], std::string("Attempt to open ") + c.Kind + " file failed");
        EXPECT_EQ(lines[2], std::string("Expected to find file \"") + c.File + "\" in ");
        EXPECT_EQ(lines[3], "Sub-directory \"" + run.Data.Path() + "/\".");

        EXPECT_EQ(run.Mod.frmShowHelp.Loaded(), c.HelpRead);
        if (c.HelpRead) {
            EXPECT_EQ(run.Mod.frmShowHelp->lstHelpText->count(), 3);
        }
        EXPECT_EQ(run.Mod.frmDisclaimer.Loaded(), c.DisclaimerRead);
        if (c.DisclaimerRead) {
            EXPECT_EQ(run.Mod.frmDisclaimer->lstDisclaimer->count(), 2);
        }
        EXPECT_EQ(run.Mod.Npool, 99);
        EXPECT_FALSE(run.Mod.frmShowQue.Loaded());
    }
}

// A section table that differs from the exam groups ends start-up with a
// report naming the first entry that differs; the main window stays hidden.
TEST(StartUp, SectionTableThatDoesNotMatchEndsTheProgram) {
    std::vector<std::string> swapped = GroupCodes();
    std::swap(swapped[3], swapped[4]);
    std::vector<std::string> lower = GroupCodes();
    lower[0] = "T1a";
    const std::vector<std::string> short34(GroupCodes().begin(), GroupCodes().end() - 1);
    const struct {
        const char* Name;
        std::optional<std::string> Table; // no value: no table file
        std::string Expected;             // the group code the report names
        bool ReadFails;
    } cases[] = {
        {"order", SecCntTblText(1, swapped), "T1D", false},
        {"letter case", SecCntTblText(1, lower), "T1A", false},
        {"34 records", SecCntTblText(1, short34), "T0C", false},
        {"empty", std::string(), "T1A", false},
        {"missing", std::nullopt, "T1A", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Program run;
        run.Data.WriteStandard(1);
        if (c.Table)
            run.Data.Write("SecCntTbl.txt", *c.Table);
        else
            run.Data.Remove("SecCntTbl.txt");
        run.Start();

        EXPECT_TRUE(run.Mod.Ended);
        ASSERT_EQ(run.Fake.Messages.size(), c.ReadFails ? 2u : 1u);
        if (c.ReadFails) {
            EXPECT_EQ(run.Fake.Messages[0].Title, "Procedure Failed");
        }
        const Message& report = run.Fake.Messages.back();
        EXPECT_NE(report.Text.find("\"" + c.Expected + "\""), std::string::npos) << report.Text;
        EXPECT_TRUE(run.Win().isHidden());
        EXPECT_EQ(run.Win().lstTestQue->count(), 35); // groups listed, pool never listed
    }
}

// A pool of fewer than 2 questions is reported, and start-up goes on to show
// what was read.
TEST(StartUp, PoolOfFewerThanTwoQuestionsStillShowsTheMainWindow) {
    for (int n : {0, 1}) {
        SCOPED_TRACE(n);
        Program run;
        const std::vector<FixtureQuestion> all = StandardQuestions(1);
        run.Data.WriteStandard(std::vector<FixtureQuestion>(all.begin(), all.begin() + n));
        run.Start();

        EXPECT_FALSE(run.Mod.Ended);
        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        EXPECT_EQ(run.Fake.Messages[0].Text, "Unable to parse question pool file");
        EXPECT_EQ(run.Fake.Messages[0].Title, "Failed!");
        auto& w = run.Win();
        EXPECT_FALSE(w.isHidden());
        EXPECT_EQ(w.txtNpool->text(), QString::number(n));
        EXPECT_EQ(w.lstTestQue->count(), n);
        EXPECT_FALSE(w.cmdNext->isEnabled());
        EXPECT_FALSE(w.cmdPrevious->isEnabled());
    }
}

// The first thing the user sees: whole-pool browsing on the first question.
TEST(StartUp, OpensInWholePoolBrowsing) {
    Program run;
    std::vector<FixtureQuestion> qs = StandardQuestions(2);
    qs[0].Pg = "3-7";
    run.Data.WriteStandard(qs, 2);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    EXPECT_TRUE(run.Fake.Messages.empty());

    auto& w = run.Win();
    EXPECT_FALSE(w.isHidden());
    EXPECT_EQ(w.lblMode->text(), "Pick Any Technician Question from Pool");
    EXPECT_EQ(w.txtNpool->text(), "70");
    EXPECT_EQ(run.Mod.OpMode, 0);
    EXPECT_EQ(run.Mod.ListPos, 0);

    QStringList ids;
    for (const auto& q : qs)
        ids << Q(q.Id + " ");
    EXPECT_EQ(Rows(w.lstTestQue), ids);
    EXPECT_EQ(w.lstTestQue->currentRow(), -1);
    EXPECT_TRUE(w.lstTestQue->selectedItems().isEmpty());

    EXPECT_EQ(w.txtQueNr->text(), "T1A01 ");
    EXPECT_EQ(w.txtQuestion->toPlainText(), "Question T1A01? ");
    EXPECT_EQ(w.txtA->toPlainText(), "T1A01 choice A ");
    EXPECT_EQ(w.txtD->toPlainText(), "T1A01 choice D ");
    EXPECT_EQ(w.txtAnswer->text(), "A");
    EXPECT_EQ(w.txtPage->text(), "3-7 ");

    for (QWidget* c : std::initializer_list<QWidget*>{w.lblQueAns, w.txtQueAns, w.lblCorrect,
                                                      w.txtNrRight, w.lblPercent, w.txtPercent,
                                                      w.lblChapter, w.cboCh, w.lblPage, w.cboPage,
                                                      w.lblAnswer, w.txtAnswer, w.txtRightWrong})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    for (QWidget* c :
         std::initializer_list<QWidget*>{w.cmdShowAns, w.cmdNext, w.cmdA, w.cmdB, w.cmdC, w.cmdD,
                                         w.cmdAll, w.cmdNewTest, w.cmdStudy, w.cmdExit})
        EXPECT_TRUE(c->isEnabled()) << c->objectName().toStdString();
    EXPECT_FALSE(w.cmdPrevious->isEnabled());
    EXPECT_FALSE(w.cmdShowFig->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.cmdShowAns);

    EXPECT_TRUE(run.Mod.frmShowFig->isHidden());
    EXPECT_TRUE(run.Mod.frmShowHelp->isHidden());
    EXPECT_TRUE(run.Mod.frmDisclaimer->isHidden());
    EXPECT_FALSE(run.Mod.frmAbout.Loaded());
    EXPECT_FALSE(run.Mod.frmTestComplete.Loaded());
}

// Every control of the six windows, as designed: name, caption or initial
// text, and the name assistive technology reads.
TEST(Windows, EveryControlHasItsCaptionAndAccessibleName) {
    FakePlatform fake;
    modKorvell mod(fake);
    const struct {
        QWidget* Window;
        const char* Name;
        QString Text;       // caption or initial text
        QString Accessible; // empty: same as Text
    } controls[] = {
        {&*mod.frmShowQue, "lblQuestion", "Question Number", {}},
        {&*mod.frmShowQue, "txtQueNr", "Que Nr", "Question Number"},
        {&*mod.frmShowQue, "txtQuestion", "Question statement", "Question"},
        {&*mod.frmShowQue, "txtA", "Choice A", {}},
        {&*mod.frmShowQue, "txtB", "Choice B", {}},
        {&*mod.frmShowQue, "txtC", "Choice C", {}},
        {&*mod.frmShowQue, "txtD", "Choice D", {}},
        {&*mod.frmShowQue, "cmdA", "A", {}},
        {&*mod.frmShowQue, "cmdB", "B", {}},
        {&*mod.frmShowQue, "cmdC", "C", {}},
        {&*mod.frmShowQue, "cmdD", "D", {}},
        {&*mod.frmShowQue, "lblAnswer", "Answer", {}},
        {&*mod.frmShowQue, "txtAnswer", "Right Choice", "Answer"},
        {&*mod.frmShowQue, "txtRightWrong", "Check", "Verdict"},
        {&*mod.frmShowQue, "cmdShowAns", "Show Answer", {}},
        {&*mod.frmShowQue, "cmdShowFig", "Show Figure", {}},
        {&*mod.frmShowQue, "lblChPage", "Text Book Page", {}},
        {&*mod.frmShowQue, "txtPage", "N/A", "Text Book Page"},
        {&*mod.frmShowQue, "lblQueNrs", "Question Numbers", {}},
        {&*mod.frmShowQue, "lstTestQue", "", "Question Numbers"},
        {&*mod.frmShowQue, "cmdNext", "Next Question", {}},
        {&*mod.frmShowQue, "cmdPrevious", "Previous Question", {}},
        {&*mod.frmShowQue, "lblMode", "Program Operating Mode", {}},
        {&*mod.frmShowQue, "cmdAll", "Show Pool", {}},
        {&*mod.frmShowQue, "cmdNewTest", "Begin New Test", {}},
        {&*mod.frmShowQue, "cmdStudy", "Study Text", {}},
        {&*mod.frmShowQue, "lblChapter", "Chapter", {}},
        {&*mod.frmShowQue, "cboCh", "2", "Chapter"},
        {&*mod.frmShowQue, "lblPage", "Page", {}},
        {&*mod.frmShowQue, "cboPage", "Pg", "Page"},
        {&*mod.frmShowQue, "lblQueAns", "Questions Answered", {}},
        {&*mod.frmShowQue, "txtQueAns", "Answered", "Questions Answered"},
        {&*mod.frmShowQue, "lblCorrect", "Correct Answers", {}},
        {&*mod.frmShowQue, "txtNrRight", "Right", "Correct Answers"},
        {&*mod.frmShowQue, "lblPercent", "Percent Correct", {}},
        {&*mod.frmShowQue, "txtPercent", "Percent", "Percent Correct"},
        {&*mod.frmShowQue, "lblNpool", "Questions in Pool", {}},
        {&*mod.frmShowQue, "txtNpool", "0", "Questions in Pool"}, // written by Form_Load
        {&*mod.frmShowQue, "cmdExit", "Quit", {}},
        {&*mod.frmShowFig, "imgFig", "", "Figure"},
        {&*mod.frmShowFig, "cmdClose", "Close ", {}},
        {&*mod.frmShowHelp, "lblHelp", "Technician Test Simulator Program Help", {}},
        {&*mod.frmShowHelp, "lstHelpText", "", "Help text"},
        {&*mod.frmShowHelp, "cmdClose", "Close Help", {}},
        {&*mod.frmAbout, "lblAbout1", "Korvell.exe", {}},
        {&*mod.frmAbout, "lblAbout2", "Beta Test Version 10.100", {}},
        {&*mod.frmAbout,
         "lblAbout5",
         "An Amateur Radio Technician License Examination Test Simulator",
         {}},
        {&*mod.frmAbout, "lblAbout6", "Please Read", {}},
        {&*mod.frmAbout, "cmdDisclaimer", "View Disclaimer", {}},
        {&*mod.frmAbout, "cmdClose", "Close About", {}},
        {&*mod.frmDisclaimer, "lblRead", "Please Read Disclaimer", {}},
        {&*mod.frmDisclaimer, "lstDisclaimer", "", "Disclaimer text"},
        {&*mod.frmDisclaimer, "cmdClose", "Close Disclaimer", {}},
        {&*mod.frmDisclaimer, "cmdQuit", "Quit Program", {}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.Name);
        auto* w = c.Window->findChild<QWidget*>(c.Name);
        ASSERT_NE(w, nullptr);
        QString text;
        if (auto* l = qobject_cast<QLabel*>(w)) text = l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text();
        if (auto* e = qobject_cast<QLineEdit*>(w)) text = e->text();
        if (auto* p = qobject_cast<QPlainTextEdit*>(w)) text = p->toPlainText();
        if (auto* cb = qobject_cast<QComboBox*>(w)) text = cb->currentText();
        if (!qobject_cast<QListWidget*>(w) && w->objectName() != "imgFig") {
            EXPECT_EQ(text, c.Text);
        }
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            EXPECT_TRUE(e->isReadOnly());
        }
        if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
            EXPECT_TRUE(p->isReadOnly());
        }
        const QString accessible = c.Accessible.isEmpty() ? c.Text : c.Accessible;
        if (auto* cb = qobject_cast<QComboBox*>(w)) {
            // On this desktop a combo box's name is its text; the caption
            // comes through its label and its edit part.
            EXPECT_EQ(cb->accessibleName(), accessible);
            EXPECT_EQ(cb->lineEdit()->accessibleName(), accessible);
            continue;
        }
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(QAccessible::Name), accessible);
    }

    // The result window's controls (their texts come with the test).
    const std::pair<const char*, QString> result[] = {
        {"txtPassFail", "Greeting"},
        {"lblYou", "You"},
        {"txtAnsOK", "Correct answers"},
        {"txtPercent", "Percent"},
        {"cmdTakeTest", "Take another Test"},
        {"cmdPick", "Pick from whole Pool"},
        {"cmdQuit", "Quit"},
    };
    for (const auto& [name, accessible] : result) {
        auto* w = mod.frmTestComplete->findChild<QWidget*>(name);
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name), accessible)
            << name;
    }

    // A label is named by its caption as it stands, not as it was designed.
    mod.frmShowQue->lblMode->setText("Pick Any Technician Question from Pool");
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(mod.frmShowQue->lblMode)->text(QAccessible::Name),
        "Pick Any Technician Question from Pool");

    const struct {
        QWidget* Window;
        const char* Caption;
    } windows[] = {
        {&*mod.frmShowQue, "Technician Examination Questions"},
        {&*mod.frmShowFig, "Figure "},
        {&*mod.frmShowHelp, "View Help"},
        {&*mod.frmAbout, "About This Program"},
        {&*mod.frmDisclaimer, "Disclaimer"},
        {&*mod.frmTestComplete, "Test Complete"},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(w.Window->windowTitle(), w.Caption);
        EXPECT_TRUE(w.Window->isHidden()) << w.Caption;
    }

    // The one menu and its two items.
    auto& que = *mod.frmShowQue;
    EXPECT_EQ(que.mnuHelp->title(), "Help");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(que.mnuHelp)->text(QAccessible::Name), "Help");
    EXPECT_EQ(que.menuBar()->actions(), QList<QAction*>{que.mnuHelp->menuAction()});
    EXPECT_EQ(que.mnuHelp->actions(), (QList<QAction*>{que.pgmHelp, que.pgmAbout}));
    EXPECT_EQ(que.pgmHelp->text(), "Program Help");
    EXPECT_EQ(que.pgmAbout->text(), "About");

    // Designed states before any mode starts.
    EXPECT_TRUE(que.lblAnswer->isHidden());
    EXPECT_TRUE(que.txtAnswer->isHidden());
    EXPECT_FALSE(que.cmdPrevious->isEnabled());
    EXPECT_FALSE(que.cmdShowAns->isEnabled());
    EXPECT_TRUE(que.cmdShowFig->isEnabled()); // Form_Load
    EXPECT_TRUE(mod.frmShowFig.Loaded());     // Form_Load hid it, which loaded it
}

// Each ending point ends the program at once; no handler runs after it.
TEST(Shutdown, EndingPointsEndTheProgram) {
    const struct {
        const char* Name;
        std::function<void(Program&)> Act;
    } cases[] = {
        {"Quit", [](Program& r) { r.Win().cmdExit->click(); }},
        {"main window frame", [](Program& r) { r.Win().close(); }},
        {"Quit Program",
         [](Program& r) {
             r.Win().pgmAbout->trigger();
             r.Mod.frmAbout->cmdDisclaimer->click();
             r.Mod.frmDisclaimer->cmdQuit->click();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Program run;
        run.Data.WriteStandard(1);
        run.Start();
        ASSERT_FALSE(run.Mod.Ended);
        c.Act(run);
        EXPECT_TRUE(run.Fake.Ended);
        EXPECT_EQ(run.Fake.EndStatus, 0);
        EXPECT_TRUE(run.Mod.Ended);
        EXPECT_TRUE(run.Fake.Messages.empty());

        // Nothing reacts any more.
        run.Win().pgmHelp->trigger();
        EXPECT_TRUE(run.Mod.frmShowHelp->isHidden());
    }
}

} // namespace
} // namespace korvell::testing
