// Picking from the list: a jump when studying, refused in a test, which only goes forward.
#include "support/drive.h"
#include "ui/test/frmtestcomplete.h"

using namespace korvell::testing;

// C<row> a click, D or U the key Down or Up where the focus is, P<row> the program's selection.
static void Pick(QListWidget* List, const QString& Step) {
    if (Step[0] == 'C') ClickRow(List, Step.mid(1).toInt());
    if (Step[0] == 'P') List->setCurrentRow(Step.mid(1).toInt());
    if (Step[0] == 'D' || Step[0] == 'U')
        QTest::keyClick(QApplication::focusWidget(), Step[0] == 'D' ? Qt::Key_Down : Qt::Key_Up);
}
// The position, the current row and the selected row.
static QString Rows(Session& Run) {
    const QListWidget* l = Run.Win().lstTestQue;
    const int selected = l->selectedItems().isEmpty() ? -1 : l->row(l->selectedItems()[0]);
    return QString::asprintf("%d %d %d", int(Run.Mod.ListPos), l->currentRow(), selected);
}

TEST(ListPick, StudyModeFocusKeysAndClicks) {
    Session run(1);
    auto& w = run.Win();
    Answer(w, false);
    w.lstTestQue->setFocus(Qt::TabFocusReason); // makes row 0 current by itself: no pick
    EXPECT_EQ(Rows(run) + Flags({w.txtAnswer}), "0 0 -11");
    // Every pick (also of the row on display) shows its question afresh; the list keeps focus.
    for (const QString& step : QString("D1 D2 U1 U0 C9 C34 C34 C0").split(' ')) {
        if (step[0] == 'C') Answer(w, false);
        Pick(w.lstTestQue, step);
        const QString r = step.mid(1);
        EXPECT_EQ(run.Shown() + " " + Rows(run) + Flags({w.txtAnswer, w.txtRightWrong}),
                  Q(QuestionIdOf(GroupCodes()[r.toInt()], 1)) + " " + r + " " + r + " " + r + "00");
    }
    EXPECT_EQ(Said(run.Fake), "");
}

TEST(ListPick, TestModeRefusesAnyOtherRowAndGoesOnlyForward) {
    Session run(1);
    auto& w = run.Win();
    auto& result = run.Mod.frmTestComplete;
    Click(w.cmdNewTest);
    const std::string refused = "Invalid Request: Random selection of questions\nis not allowed \n"
                                "in test simulator mode\n";
    for (const QString step : {"C0", "C7", "C34", "D", "P3"}) { // C0: the row on display
        Pick(w.lstTestQue, step);
        EXPECT_EQ(Said(run.Fake), step == "C0" ? "" : refused);
        EXPECT_EQ(Rows(run) + run.Shown(), "0 0 0T1A01") << step.toStdString();
    }
    for (int q = 0; q < 35; ++q) {
        const QString before = Flags({w.cmdNext, w.cmdPrevious}, true);
        Click(w.cmdNext); // disabled: nothing moves
        ASSERT_TRUE(run.Mod.ListPos == q && run.Shown().startsWith(Q(GroupCodes()[q])));
        Answer(w, q % 2);
        EXPECT_EQ(before + Flags({w.cmdNext, w.cmdPrevious}, true), "0010") << q;
        EXPECT_FALSE(result.Loaded()) << q;
        Click(w.cmdNext); // the program's own selection of the next row is silent
        ClickRow(w.lstTestQue, std::min(q + 1, 34)); // and so is a click on it
        EXPECT_EQ(Said(run.Fake), "") << q;
    }
    EXPECT_TRUE(result.Loaded() && result->isVisible() && run.Mod.ListPos == 34);
}
