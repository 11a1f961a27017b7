// Answering a question: the marks on the choice boxes, the verdict, the score
// panel of a test, and the guards against a second answer or no question.
#include "core/logic.h"
#include "support/fixtures.h"
#include "ui/widgets.h"

#include <QTest>
#include <gtest/gtest.h>

#include <limits>

using namespace korvell;
using namespace korvell::testing;

namespace {

QPushButton* LetterButton(frmShowQue& W, const QString& Letter) {
    if (Letter == "A") return W.cmdA;
    if (Letter == "B") return W.cmdB;
    if (Letter == "C") return W.cmdC;
    return W.cmdD;
}

QPlainTextEdit* ChoiceBox(frmShowQue& W, const QString& Letter) {
    if (Letter == "A") return W.txtA;
    if (Letter == "B") return W.txtB;
    if (Letter == "C") return W.txtC;
    return W.txtD;
}

void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}

// A letter other than the given one.
QString OtherLetter(const QString& Letter) {
    return Letter == "A" ? "B" : "A";
}

// Picks the right or a wrong letter for the question on display; the correct
// letter is what the window holds (hidden) in its answer box.
QString Answer(frmShowQue& W, bool Right) {
    const QString correct = W.txtAnswer->text();
    const QString pick = Right ? correct : OtherLetter(correct);
    Click(LetterButton(W, pick));
    return pick;
}

const QColor MarkYellow{255, 255, 0};
const QColor MarkRed{255, 0, 0};
const QColor MarkGreen{0, 255, 0};

bool Bold(const QWidget* Box) {
    return Box->font().bold();
}

// The window's plain background, as a display leaves the choice boxes.
QColor PlainBack() {
    return QPalette().color(QPalette::Base);
}

class AnswerTest : public ::testing::Test {
protected:
    void SetUp() override {
        run.Data.WriteStandard(2);
        run.Start();
        ASSERT_FALSE(run.Mod.Ended);
    }
    frmShowQue& W() { return run.Win(); }

    Program run;
};

} // namespace

TEST_F(AnswerTest, RightThenWrongAnswerInATestMarkTheBoxesAndKeepTheScore) {
    auto& w = W();
    Click(w.cmdNewTest);
    const QString firstRow = w.lstTestQue->item(0)->text();

    const QString right = Answer(w, true);
    EXPECT_EQ(w.txtQueAns->text(), "1");
    EXPECT_EQ(w.txtNrRight->text(), "1");
    EXPECT_EQ(w.txtPercent->text(), "100.00%");
    EXPECT_EQ(w.txtRightWrong->text(), "Right!");
    EXPECT_FALSE(w.txtRightWrong->isHidden());
    EXPECT_EQ(BackColor(w.txtRightWrong), MarkGreen);
    EXPECT_TRUE(Bold(ChoiceBox(w, right)));
    EXPECT_EQ(BackColor(ChoiceBox(w, right)), MarkYellow);
    EXPECT_FALSE(w.lblAnswer->isHidden());
    EXPECT_FALSE(w.txtAnswer->isHidden());
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_EQ(w.lstTestQue->item(0)->text(), firstRow + "  Correct");
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.cmdNext);
    EXPECT_EQ(run.Mod.AnsState, -1);

    Click(w.cmdNext);
    const QString secondRow = w.lstTestQue->item(1)->text();
    const QString correct = w.txtAnswer->text();
    const QString wrong = Answer(w, false);
    EXPECT_EQ(w.txtQueAns->text(), "2");
    EXPECT_EQ(w.txtNrRight->text(), "1");
    EXPECT_EQ(w.txtPercent->text(), "50.00%");
    EXPECT_EQ(w.txtRightWrong->text(), "Wrong!");
    EXPECT_EQ(BackColor(w.txtRightWrong), MarkRed);
    EXPECT_TRUE(Bold(ChoiceBox(w, wrong)));
    EXPECT_EQ(BackColor(ChoiceBox(w, wrong)), MarkRed);
    EXPECT_TRUE(Bold(ChoiceBox(w, correct)));
    EXPECT_EQ(BackColor(ChoiceBox(w, correct)), MarkYellow);
    for (const QString other : {"A", "B", "C", "D"}) {
        if (other == wrong || other == correct) continue;
        EXPECT_FALSE(Bold(ChoiceBox(w, other))) << other.toStdString();
        EXPECT_EQ(BackColor(ChoiceBox(w, other)), PlainBack()) << other.toStdString();
    }
    EXPECT_EQ(w.lstTestQue->item(1)->text(), secondRow + "  Wrong");
    EXPECT_EQ(w.lstTestQue->item(0)->text(), firstRow + "  Correct");
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST_F(AnswerTest, PercentCorrectIsShownWithTwoDecimals) {
    const struct {
        int Right, Answered;
        const char* Percent;
    } cases[] = {
        {1, 3, "33.33%"}, {2, 3, "66.67%"}, {3, 32, "9.38%"}, {0, 1, "0.00%"}, {1, 1, "100.00%"}};
    auto& w = W();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Right) + " of " + std::to_string(c.Answered));
        Click(w.cmdNewTest);
        for (int q = 0; q < c.Answered; ++q) {
            if (q > 0) Click(w.cmdNext);
            Answer(w, q < c.Right);
        }
        EXPECT_EQ(w.txtQueAns->text(), QString::number(c.Answered));
        EXPECT_EQ(w.txtNrRight->text(), QString::number(c.Right));
        EXPECT_EQ(w.txtPercent->text(), c.Percent);
    }
}

TEST_F(AnswerTest, StudyModeMarksWithoutScoringAndMovesTheFocus) {
    auto& w = W();
    // Whole-pool study is on after start-up, at the first question.
    ASSERT_EQ(run.Mod.OpMode, 0);
    const QString correct = w.txtAnswer->text();

    Click(w.cmdShowAns);
    EXPECT_FALSE(w.lblAnswer->isHidden());
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_TRUE(Bold(ChoiceBox(w, correct)));
    EXPECT_EQ(BackColor(ChoiceBox(w, correct)), MarkYellow);
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        EXPECT_FALSE(b->isEnabled());
    EXPECT_TRUE(w.txtRightWrong->isHidden());
    EXPECT_EQ(run.Mod.NrRight, 0);
    EXPECT_EQ(w.focusWidget(), w.cmdNext);
    // Show Answer again only repeats the reveal.
    Click(w.cmdShowAns);
    EXPECT_TRUE(run.Fake.Messages.empty());

    Click(w.cmdNext);
    const QString rowBefore = w.lstTestQue->item(1)->text();
    const QString correct2 = w.txtAnswer->text();
    const QString wrong = Answer(w, false);
    EXPECT_EQ(w.txtRightWrong->text(), "Wrong!");
    EXPECT_EQ(BackColor(ChoiceBox(w, wrong)), MarkRed);
    EXPECT_EQ(BackColor(ChoiceBox(w, correct2)), MarkYellow);
    EXPECT_EQ(w.lstTestQue->item(1)->text(), rowBefore);
    EXPECT_TRUE(w.txtQueAns->isHidden());
    EXPECT_EQ(run.Mod.AnsState, 0);
    EXPECT_EQ(run.Mod.NrQueAns, 0);
    EXPECT_EQ(w.focusWidget(), w.cmdNext);

    // At the last entry the focus goes to "Previous Question".
    while (w.cmdNext->isEnabled())
        Click(w.cmdNext);
    Answer(w, true);
    EXPECT_EQ(run.Mod.NrRight, 1);
    EXPECT_EQ(w.txtRightWrong->text(), "Right!");
    EXPECT_EQ(w.focusWidget(), w.cmdPrevious);
}

TEST_F(AnswerTest, SecondAnswerInATestIsRefused) {
    auto& w = W();
    Click(w.cmdNewTest);
    Answer(w, true);
    const QString row = w.lstTestQue->item(0)->text();

    for (const char* pick : {"A", "B", " "}) {
        run.Mod.AnsPicked = pick;
        run.Mod.Handle([&] { run.Mod.AnswerQuestion(); });
    }
    ASSERT_EQ(run.Fake.Messages.size(), 3u);
    for (const auto& m : run.Fake.Messages) {
        EXPECT_EQ(m.Text, "You already answered this Question!");
        EXPECT_EQ(m.Title, "Can't cheat");
    }
    EXPECT_EQ(run.Mod.NrQueAns, 1);
    EXPECT_EQ(run.Mod.NrRight, 1);
    EXPECT_EQ(w.txtPercent->text(), "100.00%");
    EXPECT_EQ(w.txtRightWrong->text(), "Right!");
    EXPECT_EQ(w.lstTestQue->item(0)->text(), row);
}

TEST_F(AnswerTest, NoQuestionOnDisplayIsJudgedWrongAndReported) {
    auto& w = W();
    Click(w.cmdNewTest);
    run.Mod.QueIdx = -1;
    Click(w.cmdC);
    ASSERT_EQ(run.Fake.Messages.size(), 1u);
    EXPECT_EQ(run.Fake.Messages[0].Text, "No Question Selected");
    EXPECT_EQ(run.Fake.Messages[0].Title, "Error");
    EXPECT_EQ(w.txtRightWrong->text(), "Wrong!");
    EXPECT_EQ(BackColor(w.txtC), MarkRed);
    for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtD})
        EXPECT_NE(BackColor(box), MarkYellow);
    // The answer still counts in the test.
    EXPECT_EQ(w.txtQueAns->text(), "1");
    EXPECT_EQ(w.txtPercent->text(), "0.00%");
    EXPECT_TRUE(w.lstTestQue->item(0)->text().endsWith("  Wrong"));
}

TEST_F(AnswerTest, CountersStopAtTheLargest16BitValue) {
    constexpr int16_t top = std::numeric_limits<int16_t>::max();
    auto& w = W();
    // Study mode: right picks keep counting without a limit of their own.
    run.Mod.NrRight = top - 1;
    for (int i = 0; i < 3; ++i) {
        Click(w.cmdAll);
        Answer(w, true);
        EXPECT_EQ(w.txtRightWrong->text(), "Right!");
    }
    EXPECT_EQ(run.Mod.NrRight, top);

    // Test mode with counters already at the limit.
    Click(w.cmdNewTest);
    run.Mod.NrQueAns = top;
    run.Mod.NrRight = top;
    Answer(w, true);
    EXPECT_EQ(run.Mod.NrQueAns, top);
    EXPECT_EQ(run.Mod.NrRight, top);
    EXPECT_EQ(w.txtQueAns->text(), "32767");
    EXPECT_EQ(w.txtPercent->text(), "100.00%");
}
