// Start-up, the state the main window opens in, every window's controls, the ending points.
#include "support/fixtures.h"

#include <QAccessible>
#include <gtest/gtest.h>
#include <optional>

namespace korvell::testing {

// A missing file or a table unlike the exam groups ends start-up with its report,
// nothing after is read; a pool of fewer than 2 questions is reported, the window opens.
TEST(StartUp, ReportsAndEndingPoints) {
    std::vector<std::string> swapped = GroupCodes();
    std::swap(swapped[3], swapped[4]);
    // File (no text: removed), kind missing or part of the report, how far start-up came.
    const std::tuple<const char*, std::optional<std::string>, std::string, int> cases[] = {
        {"Vellkor-Help.txt", {}, "Help File", 0},
        {"Disclaimer.txt", {}, "Disclaimer File", 1},
        {"Tech_Pool.txt", {}, "Question Pool File", 2},
        {"SecCntTbl.txt", SecCntTblText(1, swapped), "\"T1D\"", 3},
        {"SecCntTbl.txt", SecCntTblText(1, {GroupCodes().begin(), GroupCodes().end() - 1}),
         "\"T0C\"", 3},
        {"Tech_Pool.txt", PoolText({}), "Unable to parse question pool file", 4},
        {"Tech_Pool.txt", PoolText({MakeQuestion("T1A01")}), "Unable to parse question pool", 4}};
    for (const auto& [file, text, report, reached] : cases) {
        SCOPED_TRACE(report);
        Program run;
        run.Data.WriteStandard(1);
        text ? void(run.Data.Write(file, *text)) : run.Data.Remove(file);
        run.Mod.Npool = 99; // untouched unless the pool is read
        run.Start();
        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        const std::string expected =
            text ? report
                 : "\nAttempt to open " + report + " file failed\nExpected to find file \"" + file +
                       "\" in \nSub-directory \"" + run.Data.Path() + "/\".";
        EXPECT_NE(run.Fake.Messages[0].Text.find(expected), std::string::npos)
            << run.Fake.Messages[0].Text;
        EXPECT_EQ(run.Mod.Ended && run.Fake.Ended, reached < 4);
        EXPECT_EQ(run.Mod.frmShowHelp.Loaded(), reached >= 1);
        EXPECT_EQ(run.Mod.frmDisclaimer.Loaded(), reached >= 2);
        EXPECT_EQ(run.Mod.Npool != 99, reached >= 3);
        EXPECT_EQ(run.Mod.frmShowQue.Loaded(), reached >= 3);
        EXPECT_TRUE(reached < 3 || run.Win().isHidden() == (reached == 3));
        if (reached == 4) {
            EXPECT_EQ(run.Win().txtNpool->text(), QString::number(run.Mod.Npool));
            EXPECT_EQ(run.Win().lstTestQue->count(), run.Mod.Npool);
            EXPECT_FALSE(run.Win().cmdNext->isEnabled() || run.Win().cmdPrevious->isEnabled());
        }
    }
}

// The first thing the user sees: the whole pool from its first question.
TEST(StartUp, OpensInWholePoolBrowsing) {
    Program run(2);
    auto& w = run.Win();
    EXPECT_TRUE(!run.Mod.Ended && !w.isHidden() && run.Fake.Messages.empty());
    EXPECT_EQ(w.lblMode->text(), "Pick Any Technician Question from Pool");
    EXPECT_EQ(w.txtNpool->text(), "70");
    for (QWidget* c : std::initializer_list<QWidget*>{
             w.lblQueAns, w.txtQueAns, w.lblCorrect, w.txtNrRight, w.lblPercent, w.txtPercent,
             w.lblChapter, w.cboCh, w.lblPage, w.cboPage, w.lblAnswer, w.txtAnswer})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    QStringList ids;
    for (const auto& q : StandardQuestions(2))
        ids << Q(q.Id + " ");
    EXPECT_EQ(ListRows(w.lstTestQue), ids);
    EXPECT_TRUE(w.lstTestQue->currentRow() == -1 && w.lstTestQue->selectedItems().isEmpty());
    EXPECT_EQ(w.txtQueNr->text() + w.txtQuestion->toPlainText(), "T1A01 Question T1A01? ");
}

// "objectName=caption or initial text[=accessible name]"; no name: the window,
// "?": not checked here.
TEST(Windows, EveryControlHasItsCaptionAndAccessibleName) {
    FakePlatform fake;
    modKorvell mod(fake);
    const std::pair<QWidget*, const char*> windows[] = {
        {&*mod.frmShowQue,
         "=Technician Examination Questions;lblQuestion=Question Number;"
         "txtQueNr=Que Nr=Question Number;txtQuestion=Question statement=Question;"
         "txtA=Choice A;txtB=Choice B;txtC=Choice C;txtD=Choice D;cmdA=A;cmdB=B;cmdC=C;cmdD=D;"
         "lblAnswer=Answer;txtAnswer=Right Choice=Answer;txtRightWrong=Check=Verdict;"
         "cmdShowAns=Show Answer;cmdShowFig=Show Figure;lblChPage=Text Book Page;"
         "txtPage=N/A=Text Book Page;lblQueNrs=Question Numbers;lstTestQue==Question Numbers;"
         "cmdNext=Next Question;cmdPrevious=Previous Question;lblMode=Program Operating Mode;"
         "cmdAll=Show Pool;cmdNewTest=Begin New Test;cmdStudy=Study Text;lblChapter=Chapter;"
         "cboCh=2=Chapter;lblPage=Page;cboPage=Pg=Page;lblQueAns=Questions Answered;"
         "txtQueAns=Answered=Questions Answered;lblCorrect=Correct Answers;"
         "txtNrRight=Right=Correct Answers;lblPercent=Percent Correct;"
         "txtPercent=Percent=Percent Correct;lblNpool=Questions in Pool;"
         "txtNpool=0=Questions in Pool;cmdExit=Quit;mnuHelp=Help;pgmHelp=Program Help=?;"
         "pgmAbout=About=?"},
        {&*mod.frmShowFig, "=Figure ;imgFig==Figure;cmdClose=Close "},
        {&*mod.frmShowHelp, "=View Help;lblHelp=Technician Test Simulator Program Help;"
                            "lstHelpText==Help text;cmdClose=Close Help"},
        {&*mod.frmAbout,
         "=About This Program;lblAbout1=Korvell.exe;lblAbout2=Beta Test Version 10.100;"
         "lblAbout3=?;lblAbout4=?;lblAbout6=Please Read;cmdDisclaimer=View Disclaimer;"
         "lblAbout5=An Amateur Radio Technician License Examination Test Simulator;"
         "cmdClose=Close About"},
        {&*mod.frmDisclaimer, "=Disclaimer;lblRead=Please Read Disclaimer;"
                              "lstDisclaimer==Disclaimer text;cmdClose=Close Disclaimer;"
                              "cmdQuit=Quit Program"},
        {&*mod.frmTestComplete,
         "=Test Complete;txtPassFail=?=Greeting;lblYou=You;lblPassFail=?;lblPercent=Percent;"
         "lblCorrect=Correct answers;txtAnsOK=?=Correct answers;txtPercent=?=Percent;"
         "cmdTakeTest=Take another Test;cmdPick=Pick from whole Pool;cmdQuit=Quit"}};
    for (const auto& [window, controls] : windows) {
        for (const QString& control : QString(controls).split(';')) {
            SCOPED_TRACE(control.toStdString());
            const QStringList f = control.split('=');
            const QString text = f[1], name = f.value(2, text);
            QObject* c = f[0].isEmpty() ? window : window->findChild<QObject*>(f[0]);
            ASSERT_NE(c, nullptr);
            QVariant shown;
            for (const char* property :
                 {"plainText", "currentText", "title", "text", "windowTitle"})
                shown = shown.isValid() ? shown : c->property(property);
            EXPECT_EQ(text == "?" ? text : shown.toString(), text);
            EXPECT_EQ(c->property("readOnly").isValid(), c->property("readOnly").toBool());
            // A combo box is named by its current text; its edit part carries the name.
            auto* cb = qobject_cast<QComboBox*>(c);
            QObject* named = cb ? cb->lineEdit() : c;
            EXPECT_EQ(name == "?"
                          ? name
                          : QAccessible::queryAccessibleInterface(named)->text(QAccessible::Name),
                      name);
        }
        EXPECT_TRUE(window->isHidden());
    }
}

// Each ending point ends the program at once; no handler runs after it.
TEST(Shutdown, EndingPointsEndTheProgram) {
    for (const char* way : {"Quit", "frame", "Quit Program"}) {
        Program run(1);
        if (way == std::string("Quit")) run.Win().cmdExit->click();
        if (way == std::string("frame")) run.Win().close();
        if (way == std::string("Quit Program")) {
            run.Win().pgmAbout->trigger();
            run.Mod.frmAbout->cmdDisclaimer->click();
            run.Mod.frmDisclaimer->cmdQuit->click();
        }
        EXPECT_TRUE(run.Fake.Ended && run.Mod.Ended && run.Fake.EndStatus == 0) << way;
        EXPECT_TRUE(run.Fake.Messages.empty());
        run.Win().pgmHelp->trigger(); // nothing reacts any more
        EXPECT_TRUE(run.Mod.frmShowHelp->isHidden());
    }
}

} // namespace korvell::testing
