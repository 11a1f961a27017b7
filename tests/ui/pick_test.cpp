// Picking a question from the list: a jump in the study modes, refused in a
// test; the mouse, the keyboard and the program's own selection.
#include "support/fixtures.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace korvell::testing {
namespace {

const std::string Refusal = "Random selection of questions\n"
                            "is not allowed \n"
                            "in test simulator mode";

struct PickRun : Program {
    PickRun() {
        for (const auto& q : StandardQuestions(1))
            Ids.push_back(QString::fromStdString(q.Id));
        Data.WriteStandard(1);
        Start();
        Win().activateWindow();
        QApplication::setActiveWindow(&Win());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Win()));
    }

    QListWidget* List() { return Win().lstTestQue; }
    void ClickRow(int Row) {
        QListWidgetItem* item = List()->item(Row);
        ASSERT_NE(item, nullptr);
        List()->scrollToItem(item);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(item).center());
    }
    int SelectedRow() {
        const auto selected = List()->selectedItems();
        return selected.isEmpty() ? -1 : List()->row(selected.first());
    }
    QString Shown() { return Win().txtQueNr->text().trimmed(); }
    QString QuestionText() { return Win().txtQuestion->toPlainText().trimmed(); }
    void RevealAnswer() {
        Win().cmdShowAns->click();
        ASSERT_FALSE(Win().txtAnswer->isHidden());
    }

    QStringList Ids;
};

TEST(ListPick, StudyModeClickShowsThePickedQuestion) {
    PickRun run;
    ASSERT_FALSE(run.Mod.Ended);
    auto& w = run.Win();
    for (int row : {9, 0, 34, 1}) {
        SCOPED_TRACE(row);
        run.RevealAnswer();
        run.ClickRow(row);
        EXPECT_EQ(run.Mod.ListPos, row);
        EXPECT_EQ(run.SelectedRow(), row);
        EXPECT_EQ(run.Shown(), run.Ids[row]);
        EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[row] + "?");
        EXPECT_TRUE(w.txtAnswer->isHidden());
        EXPECT_TRUE(w.lblAnswer->isHidden());
        EXPECT_EQ(w.cmdPrevious->isEnabled(), row > 0);
        EXPECT_EQ(w.cmdNext->isEnabled(), row < 34);
    }
    // Navigation goes on from the picked row.
    run.ClickRow(9);
    w.cmdNext->click();
    EXPECT_EQ(run.Shown(), run.Ids[10]);
    EXPECT_EQ(run.SelectedRow(), 10);
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(ListPick, StudyModeClickOnTheRowOnDisplayShowsItAgainUnanswered) {
    PickRun run;
    auto& w = run.Win();
    run.ClickRow(4);
    w.cmdB->click();
    run.RevealAnswer();
    ASSERT_FALSE(w.txtRightWrong->isHidden());

    run.ClickRow(4);
    EXPECT_EQ(run.Mod.ListPos, 4);
    EXPECT_EQ(run.SelectedRow(), 4);
    EXPECT_EQ(run.Shown(), run.Ids[4]);
    EXPECT_TRUE(w.txtAnswer->isHidden());
    EXPECT_TRUE(w.txtRightWrong->isHidden());
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(w.txtB->font().bold());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(ListPick, StudyModeArrowKeysShowEachQuestionPassed) {
    PickRun run;
    auto& w = run.Win();
    run.ClickRow(3);
    run.RevealAnswer();
    w.lstTestQue->setFocus(Qt::TabFocusReason);
    const struct {
        Qt::Key Key;
        int Row;
    } steps[] = {{Qt::Key_Down, 4}, {Qt::Key_Down, 5}, {Qt::Key_Up, 4}, {Qt::Key_Home, 0}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.Row);
        // The keys go where the keyboard focus is, which stays on the list.
        ASSERT_EQ(w.focusWidget(), w.lstTestQue);
        QTest::keyClick(w.focusWidget(), s.Key);
        EXPECT_EQ(run.Mod.ListPos, s.Row);
        EXPECT_EQ(run.SelectedRow(), s.Row);
        EXPECT_EQ(run.Shown(), run.Ids[s.Row]);
        EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[s.Row] + "?");
        EXPECT_TRUE(w.txtAnswer->isHidden());
    }
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(ListPick, KeyboardFocusOnTheListIsNoPick) {
    PickRun run;
    auto& w = run.Win();
    run.RevealAnswer();
    ASSERT_EQ(w.lstTestQue->currentRow(), -1);
    w.lstTestQue->setFocus(Qt::TabFocusReason);
    // The list makes its first row current on its own; that is not a pick.
    EXPECT_EQ(w.lstTestQue->currentRow(), 0);
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_EQ(run.SelectedRow(), -1);
    EXPECT_EQ(run.Mod.ListPos, 0);

    // The first key is the first pick.
    QTest::keyClick(w.lstTestQue, Qt::Key_Down);
    EXPECT_EQ(run.SelectedRow(), 1);
    EXPECT_EQ(run.Shown(), run.Ids[1]);
    EXPECT_TRUE(w.txtAnswer->isHidden());
}

TEST(ListPick, TestModeRefusesAnyOtherRow) {
    PickRun run;
    auto& w = run.Win();
    w.cmdNewTest->click();
    ASSERT_EQ(run.Mod.OpMode, -1);
    ASSERT_EQ(w.lstTestQue->count(), 35);
    const QString shown = run.Shown();
    const QString question = run.QuestionText();

    // The row on display: silent, also before any row is highlighted.
    run.ClickRow(0);
    EXPECT_TRUE(run.Fake.Messages.empty());
    EXPECT_EQ(run.SelectedRow(), 0);

    const struct {
        const char* Name;
        std::function<void()> Pick;
    } picks[] = {
        {"click", [&] { run.ClickRow(7); }},
        {"last row", [&] { run.ClickRow(34); }},
        {"arrow key", [&] { QTest::keyClick(w.lstTestQue, Qt::Key_Down); }},
        {"program", [&] { w.lstTestQue->setCurrentRow(3); }},
    };
    for (const auto& p : picks) {
        SCOPED_TRACE(p.Name);
        run.Fake.Messages.clear();
        p.Pick();
        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        EXPECT_EQ(run.Fake.Messages[0].Text, Refusal);
        EXPECT_EQ(run.Fake.Messages[0].Title, "Invalid Request");
        EXPECT_EQ(run.SelectedRow(), 0);
        EXPECT_EQ(w.lstTestQue->currentRow(), 0);
        EXPECT_EQ(run.Mod.ListPos, 0);
        EXPECT_EQ(run.Shown(), shown);
        EXPECT_EQ(run.QuestionText(), question);
    }

    // Answered and moved on: the new row is the only one that may be picked.
    run.Fake.Messages.clear();
    w.cmdA->click();
    const auto answered = run.Mod.NrQueAns;
    w.cmdNext->click();
    EXPECT_EQ(run.SelectedRow(), 1);
    run.ClickRow(1);
    EXPECT_TRUE(run.Fake.Messages.empty());
    run.ClickRow(0);
    ASSERT_EQ(run.Fake.Messages.size(), 1u);
    EXPECT_EQ(run.Fake.Messages[0].Text, Refusal);
    EXPECT_EQ(run.SelectedRow(), 1);
    EXPECT_EQ(run.Mod.ListPos, 1);
    EXPECT_EQ(run.Mod.NrQueAns, answered);
    EXPECT_TRUE(w.cmdA->isEnabled());
    EXPECT_FALSE(w.cmdNext->isEnabled());
}

} // namespace
} // namespace korvell::testing
