// One question on the main window: the font rule, a fresh display, the figure,
// answering and scoring, and moving through a study list.
#include "support/run.h"

namespace korvell::testing {

// Every threshold of every box, in characters (18: the standard font, read from
// txtQueNr at each display; else "Arial"); a short text brings the standard font back.
TEST(Display, FontRuleAtEveryThreshold) {
    using F = frmShowQue;
    using R = QueRec;
    // clang-format off
    const std::tuple<QPlainTextEdit * F::*, std::string R::*, int, int> cases[] = {
        {&F::txtQuestion, &R::Question, 150, 18}, {&F::txtQuestion, &R::Question, 151, 16},
        {&F::txtA, &R::ChoiceA, 90, 18},  {&F::txtA, &R::ChoiceA, 91, 14},
        {&F::txtB, &R::ChoiceB, 90, 18},  {&F::txtB, &R::ChoiceB, 91, 16},
        {&F::txtB, &R::ChoiceB, 120, 16}, {&F::txtB, &R::ChoiceB, 121, 14},
        {&F::txtC, &R::ChoiceC, 100, 18}, {&F::txtC, &R::ChoiceC, 101, 14},
        {&F::txtD, &R::ChoiceD, 100, 18}, {&F::txtD, &R::ChoiceD, 101, 16},
        {&F::txtD, &R::ChoiceD, MaxShownChars + 1, 16}};
    // clang-format on
    Session run(1);
    auto& w = run.Win();
    for (const auto& [box, field, length, size] : cases)
        for (const QString& text : {QString(length, QChar(0xE9)), QString("short")}) {
            SCOPED_TRACE(length);
            w.txtQueNr->setFont(QFont("Liberation Serif", 12));
            run.Mod.QuePool[0].*field = text.toStdString();
            Click(w.cmdAll);
            const bool long_ = size != 18 && text != "short";
            // A text of megabytes would hold the window: it is shown cut.
            EXPECT_EQ((w.*box)->toPlainText(), text.size() > MaxShownChars
                                                   ? text.left(MaxShownChars) + QChar(0x2026)
                                                   : text);
            EXPECT_EQ((w.*box)->font().family(), long_ ? "Arial" : "Liberation Serif");
            EXPECT_EQ((w.*box)->font().pointSize(), long_ ? size : 18);
        }
}

// Every display clears the marks of an answer, hides the figure window and the
// answer, and sets "Previous"/"Next" by position; "Show Figure" follows whether
// the question's figure could be loaded, and opens the window with it.
TEST(Display, EveryDisplayStartsAfresh) {
    std::vector<Que> qs = Questions(1);
    const char* figs[] = {"F1", "", "F2", "MISSING", "BAD", "sub/F3"};
    for (int i = 0; i < 6; ++i)
        qs[i].Fig = figs[i];
    qs[0].Pg = "3-4";
    Program run;
    run.WriteAll(qs);
    QDir(run.Tmp.path()).mkdir("sub");
    run.WriteFigure("F1", 40);
    run.WriteFigure("F2", 60);
    run.WriteFigure("sub/F3", 70);
    run.Write("BAD.jpg", "not a picture at all");
    run.Start();
    auto& w = run.Win();
    auto& fig = *run.Mod.frmShowFig;
    // Row clicked; "Show Figure" enabled; width of the picture held.
    const std::tuple<int, bool, int> cases[] = {{1, false, 40}, {0, true, 40},  {2, true, 60},
                                                {3, false, 60}, {4, false, 60}, {5, false, 60},
                                                {34, false, 60}};
    for (const auto& [row, enabled, width] : cases) {
        SCOPED_TRACE(row);
        Answer(w, false); // marks two boxes, shows the answer and the verdict
        fig.show();
        ClickRow(w.lstTestQue, row);
        EXPECT_EQ(w.txtQuestion->toPlainText() + w.txtAnswer->text() + w.txtPage->text(),
                  Q("Question " + qs[row].Id + "? " + qs[row].Answer + (row ? "" : "3-4 ")));
        EXPECT_EQ(Marks(w) + Flags({w.txtRightWrong, w.txtAnswer, w.lblAnswer, &fig}), "wwww0000");
        EXPECT_EQ(Flags({w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdPrevious,
                         w.cmdNext},
                        true),
                  QString("11111") + (enabled ? "1" : "0") + (row > 0 ? "1" : "0") +
                      (row < 34 ? "1" : "0"));
        EXPECT_EQ(fig.imgFig->Picture().width(), width);
    }
    ClickRow(w.lstTestQue, 0);
    for (bool button : {true, false}) {
        Click(w.cmdShowFig);
        EXPECT_TRUE(fig.isVisible());
        button ? Click(fig.cmdClose) : void(fig.close());
        EXPECT_TRUE(fig.isHidden());
    }
    EXPECT_TRUE(!run.Mod.Ended && run.Fake.Messages.empty());
}

// The main window as a user sees it: the question on display, the choice marks, the
// verdict (with its colour) and the answer when shown, which of A B C D, Show Answer,
// Show Figure, Previous and Next are enabled, the score panel when shown, the current
// row, the control with the focus, and the messages shown.
QString State(Program& Run) {
    auto& w = Run.Win();
    const QString verdict =
        w.txtRightWrong->text() + (BackColor(w.txtRightWrong) == Red ? "r" : "g");
    return Run.Shown() + " " + Marks(w) + " " + (w.txtRightWrong->isHidden() ? "-" : verdict) +
           " " + (w.txtAnswer->isHidden() ? "-" : w.txtAnswer->text()) +
           (w.lblAnswer->isHidden() == w.txtAnswer->isHidden() ? "" : "!") + " " +
           Flags({w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdPrevious,
                  w.cmdNext},
                 true) +
           " " + (w.txtQueAns->isHidden() ? "-" : Panel(w)) + " " +
           QString::number(w.lstTestQue->currentRow()) + " " + w.focusWidget()->objectName() +
           Q(Run.Said());
}

// Steps of a user: a button by its name's end ("ShowAns", "Next", "A"), "key:<k>" a key
// where the focus is (a letter, a digit, "Down", "Return"), "row:<n>" a click on a
// list row, "next!"/"previous!" the handler of a disabled button.
void Do(Program& Run, const QString& Step) {
    auto& w = Run.Win();
    const QString arg = Step.section(':', 1);
    if (Step.startsWith("row:")) return ClickRow(w.lstTestQue, arg.toInt());
    if (Step.startsWith("key:")) {
        const QKeySequence k(arg);
        return QTest::keyClick(QApplication::focusWidget(), Qt::Key(k[0].key()));
    }
    if (Step == "next!") return Run.Mod.Handle([&] { w.cmdNext_Click(); });
    if (Step == "previous!") return Run.Mod.Handle([&] { w.cmdPrevious_Click(); });
    Click(w.findChild<QPushButton*>("cmd" + Step));
}

// Takes each step and compares the window's state after it.
template <std::size_t N> void Walk(Program& Run, const char* (&Steps)[N][2]) {
    for (const auto& [step, state] : Steps) {
        Do(Run, step);
        EXPECT_EQ(State(Run), state) << step;
    }
}

// Browsing: answers are judged and marked but not counted; Next and Previous move one
// entry and refuse to pass either end; a pick by click or key shows its question afresh.
TEST(Study, AnswerRevealMoveAndPick) {
    Session run({{"T1A01"}, {"T1A02", "B"}, {"T1A03", "C"}});
    const char* steps[][2] = {
        {"ShowAns", "T1A01 Ywww - A 00001001 - -1 cmdNext"},
        {"Next", "T1A02 wwww - - 11111011 - 1 cmdShowAns"},
        {"A", "T1A02 RYww Wrong!r B 00001011 - 1 cmdNext"},
        {"Next", "T1A03 wwww - - 11111010 - 2 cmdShowAns"},
        {"C", "T1A03 wwYw Right!g C 00001010 - 2 cmdPrevious"},
        {"next!", "T1A03 wwYw Right!g C 00001010 - 2 cmdPrevious"
                  "Invalid Increment Request: Can not go past last question\n"},
        {"Previous", "T1A02 wwww - - 11111011 - 1 cmdShowAns"},
        {"row:0", "T1A01 wwww - - 11111001 - 0 lstTestQue"},
        {"key:2", "T1A01 YRww Wrong!r A 00001001 - 0 cmdNext"},
        {"previous!", "T1A01 wwww - - 11111001 - 0 cmdShowAns"
                      "Invalid Increment Request: Can not go before first question\n"},
        {"row:0", "T1A01 wwww - - 11111001 - 0 lstTestQue"},
        {"key:Down", "T1A02 wwww - - 11111011 - 1 lstTestQue"},
        {"key:b", "T1A02 wYww Right!g B 00001011 - 1 cmdNext"},
        {"row:2", "T1A03 wwww - - 11111010 - 2 lstTestQue"},
        {"key:Up", "T1A02 wwww - - 11111011 - 1 lstTestQue"},
    };
    Walk(run, steps);
}

// A test counts every answer once; a second answer or one without a question on
// display is refused or reported; the counters stop at their largest value.
TEST(Test, ScoreAndGuards) {
    Session run(1);
    auto& w = run.Win();
    const char* steps[][2] = {
        {"NewTest", "T1A01 wwww - - 11110000 0|0| -1 cmdNewTest"},
        {"row:7", "T1A01 wwww - - 11110000 0|0| 0 lstTestQue"
                  "Invalid Request: Random selection of questions\nis not allowed \n"
                  "in test simulator mode\n"},
        {"Next", "T1A01 wwww - - 11110000 0|0| 0 lstTestQue"},
        {"A", "T1A01 Ywww Right!g A 00000001 1|1|100.00% 0 cmdNext"},
        {"key:Return", "T1B01 wwww - - 11110000 1|1|100.00% 1 cmdAll"},
        {"row:1", "T1B01 wwww - - 11110000 1|1|100.00% 1 lstTestQue"},
        {"key:c", "T1B01 wYRw Wrong!r B 00000001 2|1|50.00% 1 cmdNext"},
    };
    Walk(run, steps);
    EXPECT_EQ(Rows(w.lstTestQue).mid(0, 3).join('|'), "T1A  01  Correct|T1B  01  Wrong|T1C  01");
    for (const char* pick : {"B", " "}) {
        run.Mod.AnsPicked = pick;
        run.Mod.Handle([&] { run.Mod.AnswerQuestion(); });
        EXPECT_EQ(run.Said(), "Can't cheat: You already answered this Question!\n");
    }
    Click(w.cmdNext);
    run.Mod.QueIdx = -1; // no question on display: reported, judged wrong and counted
    Click(w.cmdC);
    EXPECT_EQ(run.Said(), "Error: No Question Selected\n");
    EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Panel(w), "wwRwWrong!3|1|33.33%");
    Click(w.cmdNext);
    run.Mod.NrQueAns = run.Mod.NrRight = 32767;
    Answer(w, true);
    EXPECT_EQ(Panel(w), "32767|32767|100.00%");
}

} // namespace korvell::testing
