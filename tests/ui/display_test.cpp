// Putting a question on the main window: the font rule, the answer marks, the
// figure, the navigation buttons and the chapter list.
#include "support/fixtures.h"
#include "ui/widgets.h"

#include <gtest/gtest.h>

namespace korvell::testing {
using F = frmShowQue;
using R = QueRec;

// Every threshold of every box, in characters (18: the standard font, txtQueNr's
// at the display; else "Arial"); a short text brings the standard font back.
TEST(Display, FontRuleAtEveryThreshold) {
    const std::tuple<QPlainTextEdit * F::*, std::string R::*, int, int> cases[] = {
        {&F::txtQuestion, &R::Question, 150, 18}, {&F::txtQuestion, &R::Question, 151, 16},
        {&F::txtA, &R::ChoiceA, 90, 18},          {&F::txtA, &R::ChoiceA, 91, 14},
        {&F::txtB, &R::ChoiceB, 90, 18},          {&F::txtB, &R::ChoiceB, 91, 16},
        {&F::txtB, &R::ChoiceB, 120, 16},         {&F::txtB, &R::ChoiceB, 121, 14},
        {&F::txtC, &R::ChoiceC, 100, 18},         {&F::txtC, &R::ChoiceC, 101, 14},
        {&F::txtD, &R::ChoiceD, 100, 18},         {&F::txtD, &R::ChoiceD, 101, 16}};
    Program run(1);
    auto& w = run.Win();
    for (const char* standard : {"MS Sans Serif", "Liberation Serif"})
        for (QChar piece : {QChar('x'), QChar(0xE9)})
            for (const auto& [box, field, length, size] : cases)
                for (const QString& text : {QString(length, piece), QString("short")}) {
                    SCOPED_TRACE(text.left(1).toStdString() + std::to_string(length) + standard);
                    w.txtQueNr->setFont(QFont(standard, 12));
                    run.Mod.QuePool[0].*field = text.toStdString();
                    run.Show(0);
                    const bool long_ = size != 18 && text != "short";
                    EXPECT_EQ((w.*box)->toPlainText(), text);
                    EXPECT_EQ((w.*box)->font().family(), long_ ? "Arial" : standard);
                    EXPECT_EQ((w.*box)->font().pointSize(), long_ ? size : 18);
                }
}

// Every display clears the marks of an answer, hides the figure window and sets
// "Previous"/"Next" by position; the figure is loaded for a question that has
// one and "Show Figure" follows whether it could be; "Close " and the frame hide it.
TEST(Display, EveryDisplayStartsAfresh) {
    Program run;
    std::vector<FixtureQuestion> qs = StandardQuestions(1);
    const char* figs[] = {"F1", "", "F2", "MISSING", "BAD", "sub/F3"};
    for (int i = 0; i < 6; ++i)
        qs[i].Fig = figs[i];
    run.Data.WriteStandard(qs);
    QDir(Q(run.Data.Path())).mkdir("sub");
    run.Data.WriteFigure("F1", 40);
    run.Data.WriteFigure("F2", 60);
    run.Data.WriteFigure("sub/F3", 70);
    run.Data.Write("BAD.jpg", "not a picture at all");
    run.Start();
    auto& w = run.Win();
    auto& fig = *run.Mod.frmShowFig;
    QPlainTextEdit* boxes[] = {w.txtA, w.txtB, w.txtC, w.txtD};
    QPushButton* buttons[] = {w.cmdA, w.cmdB, w.cmdC, w.cmdD};
    // Position displayed; "Show Figure" enabled; width of the picture held.
    const std::tuple<int, bool, int> cases[] = {{1, false, 40}, {0, true, 40},   {1, false, 40},
                                                {2, true, 60},  {3, false, 60},  {4, false, 60},
                                                {5, false, 60}, {34, false, 60}, {0, true, 40}};
    for (const auto& [pos, enabled, width] : cases) {
        SCOPED_TRACE(qs[pos].Fig);
        (w.txtAnswer->text() == "A" ? w.cmdB : w.cmdA)->click(); // a wrong answer marks two boxes
        run.Mod.AnsState = -1;
        fig.show();
        run.Show(pos);
        EXPECT_EQ(w.txtQuestion->toPlainText() + w.txtAnswer->text(),
                  Q(qs[pos].Question + " " + qs[pos].Answer));
        EXPECT_TRUE(w.txtRightWrong->isHidden() && fig.isHidden());
        EXPECT_EQ(run.Mod.AnsState, 0);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FALSE(boxes[i]->font().bold());
            EXPECT_EQ(BackColor(boxes[i]), QPalette().color(QPalette::Base));
            EXPECT_TRUE(buttons[i]->isEnabled());
        }
        EXPECT_EQ(w.cmdShowFig->isEnabled(), enabled);
        EXPECT_EQ(fig.imgFig->Picture().width(), width);
        EXPECT_EQ(w.cmdPrevious->isEnabled(), pos > 0);
        EXPECT_EQ(w.cmdNext->isEnabled(), pos < 34);
    }
    for (bool button : {true, false}) {
        w.cmdShowFig->click();
        EXPECT_FALSE(fig.isHidden());
        button ? fig.cmdClose->click() : void(fig.close());
        EXPECT_TRUE(fig.isHidden());
    }
    // In a test the display leaves the navigation, "Show Answer" and the focus alone.
    run.Mod.OpMode = -1;
    for (QWidget* b : {w.cmdShowAns, w.cmdPrevious, w.cmdNext})
        b->setEnabled(false);
    w.cmdB->setFocus();
    run.Show(1);
    EXPECT_FALSE(w.cmdShowAns->isEnabled() || w.cmdPrevious->isEnabled() || w.cmdNext->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.cmdB);
    EXPECT_TRUE(!run.Mod.Ended && run.Fake.Messages.empty());
}

// The chapter rows are rebuilt, not added to, and the text stays; the question
// list shows the 35 group codes.
TEST(Sections, ChapterListAfterRepeatedInitSections) {
    Program run(1);
    auto& w = run.Win();
    for (const char* text : {"2", "7", "Pg"}) {
        w.cboCh->setEditText(text);
        run.Mod.Handle([&] { run.Mod.InitSections(); });
        QString rows;
        for (int i = 0; i < w.cboCh->count(); ++i)
            rows += w.cboCh->itemText(i);
        EXPECT_EQ(rows + w.cboCh->currentText(), QString("23456789") + text);
        EXPECT_EQ((ListRows(w.lstTestQue).join('\n') + '\n').toStdString(),
                  JoinLines(GroupCodes()));
    }
}

} // namespace korvell::testing
