// "Next Question" and "Previous Question" through a study list and through a
// simulated test, with the messages at the ends of a study list.
#include "support/fixtures.h"
#include "ui/test/frmtestcomplete.h"
#include "ui/widgets.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace korvell;
using namespace korvell::testing;

namespace {

void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}

// A pool of three questions (T1A01..T1A03) browsed as the whole-pool list.
class StudyNavigation : public ::testing::Test {
protected:
    void SetUp() override {
        run.Data.WriteStandard(
            {MakeQuestion("T1A01", "A"), MakeQuestion("T1A02", "B"), MakeQuestion("T1A03", "C")});
        run.Start();
        ASSERT_FALSE(run.Mod.Ended);
        ASSERT_EQ(run.Win().lstTestQue->count(), 3);
    }

    // Position, highlighted row, number box and question text agree.
    void ExpectAt(int Pos) {
        auto& w = run.Win();
        const std::string id = "T1A0" + std::to_string(Pos + 1);
        EXPECT_EQ(run.Mod.ListPos, Pos);
        EXPECT_EQ(w.lstTestQue->currentRow(), Pos);
        EXPECT_EQ(w.txtQueNr->text().trimmed(), Q(id));
        EXPECT_EQ(w.txtQuestion->toPlainText(), Q("Question " + id + "? "));
    }

    // The question on display is unanswered: answer hidden, no marks.
    void ExpectUnanswered() {
        auto& w = run.Win();
        EXPECT_TRUE(w.txtAnswer->isHidden());
        EXPECT_TRUE(w.lblAnswer->isHidden());
        EXPECT_TRUE(w.txtRightWrong->isHidden());
        for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
            EXPECT_TRUE(b->isEnabled());
        for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtC, w.txtD})
            EXPECT_FALSE(box->font().bold());
    }

    Program run;
};

} // namespace

TEST_F(StudyNavigation, NextAndPreviousMoveOneEntryAndHideTheAnswer) {
    auto& w = run.Win();
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_FALSE(w.cmdPrevious->isEnabled());

    Click(w.cmdShowAns);
    Click(w.cmdNext);
    ExpectAt(1);
    ExpectUnanswered();
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_TRUE(w.cmdPrevious->isEnabled());

    Click(w.cmdB); // a right pick, then move on
    Click(w.cmdNext);
    ExpectAt(2);
    ExpectUnanswered();
    EXPECT_FALSE(w.cmdNext->isEnabled());
    EXPECT_TRUE(w.cmdPrevious->isEnabled());

    Click(w.cmdShowAns);
    Click(w.cmdPrevious);
    ExpectAt(1);
    ExpectUnanswered();
    Click(w.cmdPrevious);
    ExpectAt(0);
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_FALSE(w.cmdPrevious->isEnabled());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST_F(StudyNavigation, ClicksPastEitherEndAreRefusedWithAMessage) {
    // The buttons are disabled at the ends; these are clicks that reach the
    // handler all the same.
    const struct {
        const char* Name;
        int Pos;
        void (frmShowQue::*Handler)();
        const char* Text;
        bool ShownAfresh; // the entry is shown again, unanswered
    } cases[] = {
        {"next at the last entry", 2, &frmShowQue::cmdNext_Click, "Can not go past last question",
         false},
        {"previous at the first entry", 0, &frmShowQue::cmdPrevious_Click,
         "Can not go before first question", true},
    };
    auto& w = run.Win();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        run.Fake.Messages.clear();
        Click(w.cmdAll);
        for (int i = 0; i < c.Pos; ++i)
            Click(w.cmdNext);
        Click(w.cmdShowAns);
        run.Mod.Handle([&] { (w.*c.Handler)(); });

        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        EXPECT_EQ(run.Fake.Messages[0].Text, c.Text);
        EXPECT_EQ(run.Fake.Messages[0].Title, "Invalid Increment Request");
        ExpectAt(c.Pos);
        if (c.ShownAfresh) {
            ExpectUnanswered();
        } else {
            EXPECT_FALSE(w.txtAnswer->isHidden());
            EXPECT_FALSE(w.cmdA->isEnabled());
        }
    }
}

TEST(TestNavigation, NextComesOnlyAfterAnAnswerAndPreviousNever) {
    Program run;
    run.Data.WriteStandard(2);
    run.Start();
    auto& w = run.Win();
    Click(w.cmdNewTest);

    for (int q = 0; q < 35; ++q) {
        SCOPED_TRACE(q);
        EXPECT_FALSE(w.cmdNext->isEnabled());
        EXPECT_FALSE(w.cmdPrevious->isEnabled());
        EXPECT_TRUE(w.txtAnswer->isHidden());
        Click(w.cmdNext); // disabled: nothing moves
        ASSERT_EQ(run.Mod.ListPos, q);

        Click(w.cmdA);
        EXPECT_TRUE(w.cmdNext->isEnabled());
        EXPECT_FALSE(w.cmdPrevious->isEnabled());
        if (q == 34) break;

        Click(w.cmdNext);
        ASSERT_EQ(run.Mod.ListPos, q + 1);
        EXPECT_EQ(w.lstTestQue->currentRow(), q + 1);
        EXPECT_EQ(w.txtQueNr->text(), Q(run.Mod.ListQueIds[q + 1]));
        EXPECT_TRUE(w.txtQueNr->text().startsWith(Q(GroupCodes()[q + 1])));
        EXPECT_FALSE(run.Mod.frmTestComplete.Loaded());
    }
    EXPECT_EQ(w.txtQueAns->text(), "35");

    Click(w.cmdNext);
    ASSERT_TRUE(run.Mod.frmTestComplete.Loaded());
    EXPECT_TRUE(run.Mod.frmTestComplete->isVisible());
    EXPECT_EQ(run.Mod.ListPos, 34);
    EXPECT_TRUE(run.Fake.Messages.empty());
}
