// One question on the main window: the font rule, a fresh display, the figure,
// answering and scoring, and moving through a study list.
#include "support/run.h"

namespace korvell::testing {

// Every threshold of every box, in characters (18: the standard font, read from
// txtQueNr at each display; else "Arial"); a short text brings the standard font back.
TEST(Display, FontRuleAtEveryThreshold) {
    using F = frmShowQue;
    using R = QueRec;
    const std::tuple<QPlainTextEdit * F::*, std::string R::*, int, int> cases[] = {
        {&F::txtQuestion, &R::Question, 150, 18},
        {&F::txtQuestion, &R::Question, 151, 16},
        {&F::txtA, &R::ChoiceA, 90, 18},
        {&F::txtA, &R::ChoiceA, 91, 14},
        {&F::txtB, &R::ChoiceB, 90, 18},
        {&F::txtB, &R::ChoiceB, 91, 16},
        {&F::txtB, &R::ChoiceB, 120, 16},
        {&F::txtB, &R::ChoiceB, 121, 14},
        {&F::txtC, &R::ChoiceC, 100, 18},
        {&F::txtC, &R::ChoiceC, 101, 14},
        {&F::txtD, &R::ChoiceD, 100, 18},
        {&F::txtD, &R::ChoiceD, 101, 16},
        {&F::txtD, &R::ChoiceD, MaxShownChars + 1, 16}};
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

TEST(Answer, MarksVerdictScoreAndGuards) {
    Session run(2);
    auto& w = run.Win();
    Click(w.cmdShowAns); // T1A01, right: A; nothing judged, Next takes the focus
    EXPECT_EQ(Marks(w) + Flags({w.txtAnswer, w.lblAnswer, w.txtRightWrong}) +
                  Flags({w.cmdA, w.cmdD}, true),
              "Ywww11000");
    EXPECT_EQ(w.focusWidget(), w.cmdNext);
    Click(w.cmdNext); // T1A02, right: B
    Answer(w, false); // marked, not counted, the list row stays
    EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + w.lstTestQue->item(1)->text().trimmed() +
                  QString::number(run.Mod.NrQueAns + run.Mod.NrRight),
              "RYwwWrong!T1A020");
    Click(w.cmdPrevious); // at the first question the focus goes to Next, at the last to Previous
    Answer(w, true);
    EXPECT_EQ(w.focusWidget(), w.cmdNext);
    ClickRow(w.lstTestQue, 69);
    Answer(w, true);
    EXPECT_EQ(w.focusWidget(), w.cmdPrevious);

    Click(w.cmdNewTest); // T1A01 (right: A), then T1B01 (right: C)
    const std::tuple<bool, const char*, QColor, const char*, const char*> steps[] = {
        {true, "YwwwRight!11", Green, "1|1|100.00%", "  Correct"},
        {false, "RwYwWrong!11", Red, "2|1|50.00%", "  Wrong"}};
    for (const auto& [right, marks, colour, panel, suffix] : steps) {
        if (!right) Click(w.cmdNext);
        const QString row = w.lstTestQue->item(run.Mod.ListPos)->text();
        Answer(w, right);
        EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Flags({w.txtRightWrong, w.txtAnswer}),
                  marks);
        EXPECT_EQ(BackColor(w.txtRightWrong), colour);
        EXPECT_EQ(Flags({w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdNext}, true), "00001");
        EXPECT_EQ(w.focusWidget(), w.cmdNext);
        EXPECT_EQ(Panel(w) + w.lstTestQue->item(run.Mod.ListPos)->text(), panel + row + suffix);
    }
    for (const QString panel : {"3|1|33.33%", "32|3|9.38%", "1|0|0.00%"}) {
        AnswerTest(w, panel.section('|', 1, 1).toInt(), panel.section('|', 0, 0).toInt());
        EXPECT_EQ(Panel(w), panel);
    }
    // A second answer is refused and changes nothing.
    Click(w.cmdNewTest);
    Answer(w, true);
    for (const char* pick : {"B", " "}) {
        run.Mod.AnsPicked = pick;
        run.Mod.Handle([&] { run.Mod.AnswerQuestion(); });
        EXPECT_EQ(run.Said(), "Can't cheat: You already answered this Question!\n");
    }
    EXPECT_EQ(Panel(w) + w.lstTestQue->item(0)->text().right(9), "1|1|100.00%  Correct");
    Click(w.cmdNext);
    run.Mod.QueIdx = -1; // no question on display: reported, judged wrong and counted
    Click(w.cmdC);
    EXPECT_EQ(run.Said(), "Error: No Question Selected\n");
    EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Panel(w), "wwRwWrong!2|1|50.00%");
    Click(w.cmdNext);
    run.Mod.NrQueAns = run.Mod.NrRight = 32767; // counters stop at their largest value
    Answer(w, true);
    EXPECT_EQ(Panel(w), "32767|32767|100.00%");
}

// Next and Previous move one entry through a study list and refuse to pass
// either end; the moved-to row is current and the revealed answer hidden again.
TEST(Navigation, StudyListToBothEnds) {
    Session run({{"T1A01"}, {"T1A02", "B"}, {"T1A03", "C"}});
    auto& w = run.Win();
    // Next (N) or Previous (P), also where its button is disabled; then the
    // question on display, the current row, answer shown, Previous and Next enabled.
    const std::tuple<char, const char*, const char*> steps[] = {
        {'P', "T1A01 0 00 01", "Can not go before first question"},
        {'N', "T1A02 1 00 11", ""},
        {'N', "T1A03 2 00 10", ""},
        {'N', "T1A03 2 11 10", "Can not go past last question"},
        {'P', "T1A02 1 00 11", ""},
        {'P', "T1A01 0 00 01", ""}};
    for (auto [button, state, message] : steps) {
        Click(w.cmdShowAns);
        QPushButton* b = button == 'N' ? w.cmdNext : w.cmdPrevious;
        b->isEnabled()
            ? Click(b)
            : run.Mod.Handle([&] { button == 'N' ? w.cmdNext_Click() : w.cmdPrevious_Click(); });
        EXPECT_EQ(run.Said(),
                  *message ? "Invalid Increment Request: " + std::string(message) + "\n" : "");
        EXPECT_EQ(run.Shown() + " " + QString::number(w.lstTestQue->currentRow()) + " " +
                      Flags({w.txtAnswer, w.lblAnswer}) + " " +
                      Flags({w.cmdPrevious, w.cmdNext}, true),
                  state);
    }
}

} // namespace korvell::testing
