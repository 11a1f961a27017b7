// Start-up, every window as made, the help, About and disclaimer windows, and the endings.
#include "support/run.h"

#include <QAccessible>
#include <QFile>
#include <QRawFont>
#include <QShortcut>
#include <QTimer>
#include <optional>
#include <set>

namespace korvell::testing {

// A missing file or a wrong table ends start-up at its report; a tiny pool is only reported.
TEST(StartUp, ReportsAndEndingPoints) {
    std::vector<std::string> swapped = GroupCodes;
    std::swap(swapped[0], swapped[1]);
    // File (no text: removed), the report or part of it, how far start-up came.
    const std::tuple<const char*, std::optional<std::string>, std::string, int> cases[] = {
        {"Vellkor-Help.txt", {}, "Help File", 0},
        {"Disclaimer.txt", {}, "Disclaimer File", 1},
        {"Tech_Pool.txt", {}, "Question Pool File", 2},
        {"SecCntTbl.txt", TableText(1, swapped), "Entry 1 is \"T1B\" where \"T1A\" is expected.",
         3},
        {"SecCntTbl.txt", TableText(1, {GroupCodes.begin(), GroupCodes.end() - 1}),
         "Entry 35 is missing where \"T0C\"", 3},
        {"Tech_Pool.txt", PoolText({{"T1A01"}}), "Unable to parse question pool file", 4}};
    for (const auto& [file, text, report, reached] : cases) {
        Program run;
        text ? run.Write(file, *text) : void(std::filesystem::remove(run.Tmp / file));
        run.Mod.Npool = 99; // untouched unless the pool is read
        run.Start();
        const std::string expected = text ? report
                                          : "\nAttempt to open " + report +
                                                " file failed\nExpected to find file \"" + file +
                                                "\" in \nSub-directory \"" + run.Fake.Dir + "/\".";
        ASSERT_EQ(run.Fake.Shown, 1) << report;
        EXPECT_NE(run.Fake.Said().find(expected), std::string::npos) << report;
        std::string reads; // what start-up came to, then whether it ended the program
        for (bool done : {run.Mod.frmShowHelp.Loaded(), run.Mod.frmDisclaimer.Loaded(),
                          run.Mod.Npool != 99, run.Mod.frmShowQue.Loaded() && run.Win().isVisible(),
                          run.Mod.Ended && run.Fake.EndStatus >= 0})
            reads += done ? '1' : '0';
        EXPECT_EQ(reads,
                  std::string(reached, '1') + std::string(4 - reached, '0') + "10"[reached / 4])
            << report;
    }
}

// "objectName=caption[=accessible name]" ("": the window; "?": unchecked). Made hidden,
// each button with its own Alt key; the main window with a long explanation laid out.
TEST(Windows, CaptionsNamesAccessKeysAndLayout) {
    Program run;
    auto& mod = run.Mod;
    const std::pair<QWidget*, const char*> windows[] = {
        {&*mod.frmShowQue,
         "=Technician Examination Questions;lblQuestion=Question Number;"
         "txtQueNr=Que Nr=Question Number;chkMark=Mark;txtQuestion=Question statement=Question;"
         "txtA=Choice A;txtB=Choice B;txtC=Choice C;txtD=Choice D;cmdA=A;cmdB=B;cmdC=C;cmdD=D;"
         "lblAnswer=Answer;txtAnswer=Right Choice=Answer;txtRightWrong=Check=Verdict;"
         "cmdShowAns=Show Answer;cmdShowFig=Show Figure;txtExplain==Explanation;"
         "lblChPage=Text Book Page;"
         "txtPage=N/A=Text Book Page;lblQueNrs=Question Numbers;lstTestQue==Question Numbers;"
         "cmdNext=Next Question;cmdPrevious=Previous Question;lblMode=Program Operating Mode;"
         "cmdAll=Show Pool;cmdNewTest=Begin New Test;cmdStudy=Study Text;lblChapter=Chapter;"
         "cboCh=2=Chapter;lblPage=Page;cboPage=Pg=Page;lblQueAns=Questions Answered;"
         "txtQueAns=Answered=Questions Answered;lblCorrect=Correct Answers;"
         "txtNrRight=Right=Correct Answers;lblPercent=Percent Correct;"
         "txtPercent=Percent=Percent Correct;lblNpool=Questions in Pool;"
         "txtNpool=0=Questions in Pool;cmdExit=Quit;mnuFile=File;"
         "pgmPrintTest=Print Practice Test...=?;mnuView=View;pgmLarger=Larger Text=?;"
         "pgmSmaller=Smaller Text=?;pgmNormalSize=Normal Text Size=?;mnuHelp=Help;"
         "pgmHelp=Program Help=?;"
         "pgmAbout=About=?"},
        {&*mod.frmShowFig, "=Figure ;imgFig==Figure;cmdClose=Close "},
        {&*mod.frmShowHelp, "=View Help;lblHelp=Technician Test Simulator Program Help;"
                            "lstHelpText==Help text;cmdClose=Close Help"},
        {&*mod.frmAbout,
         "=About This Program;lblAbout1=Korvell.exe;lblAbout2=Beta Test Version 10.100;"
         "lblAbout6=Please Read;cmdDisclaimer=View Disclaimer;"
         "lblAbout5=An Amateur Radio Technician License Examination Test Simulator;"
         "cmdClose=Close About"},
        {&*mod.frmDisclaimer, "=Disclaimer;lblRead=Please Read Disclaimer;"
                              "lstDisclaimer==Disclaimer text;cmdClose=Close Disclaimer;"
                              "cmdQuit=Quit Program"},
        {&*mod.frmTestComplete,
         "=Test Complete;txtPassFail=?=Greeting;lblYou=You;lblPercent=Percent;"
         "lblCorrect=Correct answers;txtAnsOK=?=Correct answers;txtPercent=?=Percent;"
         "txtMargin=?=Margin;grdResults=?=Results by subelement;"
         "cmdTakeTest=Take another Test;cmdPick=Pick from whole Pool;cmdReview=Review Misses;"
         "cmdStudySub=Study Subelement;cmdQuit=Quit"},
        {&*mod.frmFind, "=Find Questions;txtFind==Find;cmdFind=Find;lblNoMatch="}};
    for (const auto& [window, controls] : windows) {
        for (const QString& control : QString(controls).split(';')) {
            const QStringList f = control.split('=');
            const QString text = f[1], name = f.value(2, text);
            QObject* c = f[0].isEmpty() ? window : window->findChild<QObject*>(f[0]);
            ASSERT_NE(c, nullptr) << control.toStdString();
            QVariant shown;
            for (const char* property :
                 {"plainText", "currentText", "title", "text", "windowTitle"})
                shown = shown.isValid() ? shown : c->property(property);
            // A combo box is named by its current text; its edit part carries the name.
            auto* cb = qobject_cast<QComboBox*>(c);
            auto* a = QAccessible::queryAccessibleInterface(cb ? cb->lineEdit() : c);
            // Where there is one, it is on, but in the one field the user types into.
            const QVariant readOnly = c->property("readOnly");
            EXPECT_EQ((text == "?" ? text : shown.toString()) + "=" +
                          (name == "?" ? name : a->text(QAccessible::Name)) +
                          (readOnly.isValid() == readOnly.toBool() || f[0] == "txtFind" ? "" : "!"),
                      text + "=" + name);
        }
        EXPECT_TRUE(window->isHidden());
        std::set<QKeySequence> keys;
        for (auto* b : window->findChildren<KeyButton*>()) {
            EXPECT_EQ(PlainCaption(b->MarkedCaption()) + " " + b->shortcut().toString(),
                      b->text() + " " + QKeySequence::mnemonic(b->MarkedCaption()).toString());
            keys.insert(b->shortcut());
        }
        for (auto* s : window->findChildren<QShortcut*>())
            if (s->key()[0].keyboardModifiers() == Qt::AltModifier) keys.insert(s->key());
        EXPECT_EQ(keys.size(), window->findChildren<KeyButton*>().size() +
                                   window->findChildren<QMenu*>(QRegularExpression("^mnu")).size());
    }
    auto& w = *mod.frmShowQue;
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblMode, w.cmdA, w.cmdD}) // large, bold
        EXPECT_TRUE(c->font().bold() && c->font().pointSize() >= 14)
            << c->objectName().toStdString();
    // Laid out as after a wrong pick with its explanation: every control of the question.
    run.Write("Tech_Explain.txt", "T1A01 (A)\n" + std::string(400, 'x') + "\n~~\n");
    run.Start();
    Click(w.cmdB);
    EXPECT_TRUE(w.width() <= 1366 && w.height() <= 700 && w.txtExplain->isVisible())
        << w.width() << "x" << w.height();
    // Each sign of the shipped explanations has a glyph in the box's font and in the one the
    // package brings, whichever the window's family maps to, so none is drawn as a box.
    QFile shipped(KORVELL_SHIPPED_DATA "/Tech_Explain.txt");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QString signs = shipped.readAll();
    for (const QRawFont& f : {QRawFont::fromFont(w.txtExplain->font()),
                              QRawFont::fromFont(QFont("Liberation Sans", 12))}) {
        QString missing;
        for (const char32_t c : signs.toUcs4())
            if (c >= ' ' && !f.supportsCharacter(c)) missing += QString::fromUcs4(&c, 1);
        EXPECT_EQ(missing, QString()) << f.familyName().toStdString();
    }
    ExpectLaidOut(&w);              // the others, as the walks open them, in Walk
    auto& r = *mod.frmTestComplete; // Tab follows the result window's reading order
    QString order;
    for (QWidget* c = r.txtPassFail; order.count(' ') < 10; c = c->nextInFocusChain())
        if (c->focusPolicy() & Qt::TabFocus) order += c->objectName() + " ";
    EXPECT_EQ(order, "txtPassFail txtAnsOK txtPercent txtMargin grdResults cmdTakeTest cmdPick "
                     "cmdReview cmdStudySub cmdQuit ");
}

// A field per row; menus, keys, buttons and frames open and close the windows.
TEST(InfoWindows, RowsPerFieldOpenAndClose) {
    const QString wide = QString("word ").repeated(60).trimmed();
    const std::string text =
        "First\n\nLeft, right\n\"Quoted, with, commas\"\n Last\n" + wide.toStdString() + "\n";
    const QStringList rows = {"First", "", "Left", "right", "Quoted, with, commas", "Last", wide};
    auto qs = Questions(1);
    qs[0].Fig = "F1";
    Program run(qs);
    run.WriteFigure("F1");
    run.Write("Vellkor-Help.txt", text);
    run.Write("Disclaimer.txt", text);
    run.Start();
    // clang-format off
    const char* steps[][2] = {
        {"pgmHelp", "H"}, {"pgmHelp", "H"}, {"frmShowHelp.Close", ""}, {"win:frmShowQue/key:F1", "H"},
        {"frmShowHelp.close", ""}, {"pgmAbout", "A"}, {"frmAbout.Disclaimer", "AD"},
        {"frmDisclaimer.Close", "A"}, {"frmAbout.Disclaimer", "AD"}, {"pgmHelp", "ADH"},
        {"frmDisclaimer.close", "AH"}, {"frmAbout.Close", "H"}, {"pgmAbout", "AH"},
        {"frmAbout.close", "H"}, {"win:frmShowHelp/key:Escape", ""},
        {"win:frmShowQue/key:Alt+H/key:Down/key:Down/key:Return", "A"},
        {"win:frmAbout/key:Alt+D", "AD"}, {"win:frmDisclaimer/key:Escape", "A"},
        {"win:frmAbout/key:Escape", ""}, {"win:frmShowQue/key:Alt+F", "F"},
        {"win:frmShowFig/key:Escape", ""}};
    // clang-format on
    Walk(run, steps, [](Program& Run) { return Open(Run) + Q(Run.Fake.Said()); });
    // File > Print Practice Test... (Ctrl+P): the print dialog on a fresh test, or the report
    // of a drawn question the pool lacks; the window stays as it was either way.
    auto& w = run.Win();
    EXPECT_TRUE(w.mnuFile->actions().contains(w.pgmPrintTest) &&
                w.mnuFile->menuAction()->isVisible());
    const QString before = State(run);
    QString dialogs;
    for (int perGroup : {1, 50}) {
        run.Write("SecCntTbl.txt", TableText(perGroup));
        QTimer::singleShot(0, [&] {
            QWidget* d = QApplication::activeModalWidget();
            dialogs += d ? QString(d->metaObject()->className()) + " " + d->windowTitle() : "-";
            if (d) d->close();
        });
        for (const QString& step :
             QString(perGroup == 1 ? "pgmPrintTest" : "win:frmShowQue/key:Ctrl+P").split('/'))
            Do(run, step);
        QApplication::processEvents();
        const QString said = Q(run.Fake.Said());
        EXPECT_EQ(State(run), before);
        dialogs += ";" + said + ";";
    }
    EXPECT_EQ(dialogs,
              "QPrintDialog Print Practice Test;;-;Print Practice Test: The practice test "
              "cannot be made.\n" +
                  Q(run.Tmp / "Tech_Pool.txt") +
                  ": question T1A08 (number 8 of 50 in group T1A) not found in the pool\n;");
    EXPECT_EQ(Rows(run.Mod.frmShowHelp->lstHelpText) + Rows(run.Mod.frmDisclaimer->lstDisclaimer),
              rows + rows);
    for (QListWidget* l :
         {run.Mod.frmShowHelp->lstHelpText, run.Mod.frmDisclaimer->lstDisclaimer}) {
        l->window()->show(); // a long row wraps in the window's width
        QApplication::processEvents();
        EXPECT_GT(l->visualItemRect(l->item(6)).height(),
                  2 * l->visualItemRect(l->item(0)).height());
    }
}

// Each ending point ends the program at once; nothing reacts after it.
TEST(Shutdown, EndingPointsEndTheProgram) {
    for (const char* way : {"Exit", "close", "key:Ctrl+Q", "test:0/frmTestComplete.Quit",
                            "pgmAbout/frmAbout.Disclaimer/frmDisclaimer.Quit"}) {
        Session run(1);
        const char* steps[][2] = {{way, "ended 0"}, {"pgmHelp", "ended 0"}};
        Walk(run, steps, [](Program& Run) {
            return Q(Run.Fake.Said()) + (Open(Run).contains('H') ? "help " : "") +
                   (Run.Mod.Ended ? "ended " : "") + QString::number(Run.Fake.EndStatus);
        });
    }
}

} // namespace korvell::testing
