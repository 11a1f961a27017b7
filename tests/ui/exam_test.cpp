// The simulated test: its start, the draw of one question per group, a
// question missing from the pool, and the result window with its buttons.
#include "app/qtplatform.h"
#include "core/logic.h"
#include "support/fixtures.h"
#include "ui/test/frmtestcomplete.h"

#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

using namespace korvell;
using namespace korvell::testing;

namespace {

void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}

QPushButton* LetterButton(frmShowQue& W, const QString& Letter) {
    if (Letter == "A") return W.cmdA;
    if (Letter == "B") return W.cmdB;
    if (Letter == "C") return W.cmdC;
    return W.cmdD;
}

// Answers the question on display right or wrong (the window holds the
// correct letter, hidden, in its answer box).
void Answer(frmShowQue& W, bool Right) {
    const QString correct = W.txtAnswer->text();
    Click(LetterButton(W, Right ? correct : (correct == "A" ? "B" : "A")));
}

// A whole test through the buttons: the first Right questions answered right,
// the others wrong, and "Next Question" after each, the last one included.
void TakeTest(frmShowQue& W, int Right) {
    Click(W.cmdNewTest);
    for (int q = 0; q < 35; ++q) {
        Answer(W, q < Right);
        Click(W.cmdNext);
    }
}

// The number part of a list row "CODE  NN".
int RowNumber(const QString& Row) {
    return Row.mid(5, 2).toInt();
}

// A table with the given count for every group.
std::string TableText(const std::vector<int>& Counts) {
    std::string t;
    for (std::size_t i = 0; i < GroupCodes().size(); ++i)
        t += "\"" + GroupCodes()[i] + "\"," + std::to_string(Counts[i]) + "\n";
    return t;
}

// A pool with Counts[i] questions in group i, and the matching table.
void WriteCounts(const DataDir& Data, const std::vector<int>& Counts) {
    std::vector<FixtureQuestion> qs;
    for (std::size_t i = 0; i < GroupCodes().size(); ++i)
        for (int n = 1; n <= Counts[i]; ++n)
            qs.push_back(MakeQuestion(QuestionIdOf(GroupCodes()[i], n)));
    Data.WriteStandard(qs);
    Data.Write("SecCntTbl.txt", TableText(Counts));
}

// The recording platform with the desktop's random generator behind it.
class RealRandom : public FakePlatform {
public:
    void Randomize() override {
        FakePlatform::Randomize();
        Real.Randomize();
    }
    float Rnd() override { return Real.Rnd(); }

private:
    QtPlatform Real;
};

} // namespace

TEST(TestStart, ShowsTheFirstQuestionOfAFreshTest) {
    Program run;
    run.Data.WriteStandard(3);
    run.Fake.Values = {0.4f};
    run.Start();
    auto& w = run.Win();
    Click(w.cmdShowAns); // a revealed answer in study mode must not carry over
    Click(w.cmdNewTest);

    EXPECT_EQ(w.lblMode->text(), "Simulated Technician License Test");
    ASSERT_EQ(w.lstTestQue->count(), 35);
    for (int i = 0; i < 35; ++i) {
        const QString row = w.lstTestQue->item(i)->text();
        EXPECT_EQ(row.left(5), Q(GroupCodes()[i] + "  ")) << i;
        EXPECT_EQ(row.size(), 7) << i;
    }
    EXPECT_EQ(w.lstTestQue->item(0)->text(), "T1A  02");
    EXPECT_EQ(w.txtQueNr->text(), "T1A02");
    EXPECT_EQ(w.txtQuestion->toPlainText(), "Question T1A02? ");
    EXPECT_EQ(w.lstTestQue->currentRow(), -1);
    EXPECT_TRUE(w.lstTestQue->selectedItems().isEmpty());
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblQueAns, w.lblCorrect, w.lblPercent,
                                                      w.txtQueAns, w.txtNrRight, w.txtPercent})
        EXPECT_FALSE(c->isHidden()) << c->objectName().toStdString();
    EXPECT_EQ(w.txtQueAns->text(), "0");
    EXPECT_EQ(w.txtNrRight->text(), "0");
    EXPECT_EQ(w.txtPercent->text(), "");
    for (QWidget* c : std::initializer_list<QWidget*>{w.cmdNext, w.cmdPrevious, w.cmdShowAns})
        EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblAnswer, w.txtAnswer, w.lblChapter,
                                                      w.lblPage, w.cboCh, w.cboPage})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    EXPECT_EQ(run.Fake.Reseeds, 1);
    EXPECT_TRUE(run.Fake.Messages.empty());

    // Keyboard focus on the list does not highlight a row either.
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    w.lstTestQue->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(w.lstTestQue->currentRow(), -1);
}

TEST(TestDraw, RandomValuesMapToNumbersWithinTheGroup) {
    // Ten questions per group; one value per group in exam order.
    const struct {
        float R;
        int Nr;
    } draws[] = {
        {0.0f, 1},  {0.0999f, 1}, {0.1f, 2},
        {0.5f, 6},  {0.95f, 10},  {std::nextafter(1.0f, 0.0f), 10},
        {1.0f, 10}, // a generator that rounds up to 1 still stays within the group
    };
    Program run;
    run.Data.WriteStandard(10);
    run.Start();
    for (int i = 0; i < 35; ++i)
        run.Fake.Values.push_back(draws[i % std::size(draws)].R);
    Click(run.Win().cmdNewTest);
    ASSERT_FALSE(run.Mod.Ended);
    for (int i = 0; i < 35; ++i) {
        const auto& d = draws[i % std::size(draws)];
        const std::string id = QuestionIdOf(GroupCodes()[i], d.Nr);
        EXPECT_EQ(RowNumber(run.Win().lstTestQue->item(i)->text()), d.Nr) << i;
        EXPECT_EQ(run.Mod.ListQueIds[i], id);
        EXPECT_EQ(Trim(run.Mod.QuePool[run.Mod.ListQueIdx[i]].QueNr), id);
    }
}

TEST(TestDraw, RealGeneratorCoversEveryNumberAndVariesFromGroupToGroup) {
    // Groups of 1 to 4 questions; over many tests every number of every group
    // must come up, and one test must not give all groups the same draw.
    std::vector<int> counts;
    for (int i = 0; i < 35; ++i)
        counts.push_back(i % 4 + 1);
    DataDir data;
    WriteCounts(data, counts);
    RealRandom sys;
    sys.Dir = data.Path();
    modKorvell mod(sys);
    mod.Handle([&] { mod.Main(); });
    ASSERT_FALSE(mod.Ended);

    constexpr int tests = 120;
    std::vector<std::set<int>> seen(35);
    int uniform = 0; // tests in which all four-question groups drew the same number
    for (int t = 0; t < tests; ++t) {
        QTest::mouseClick(mod.frmShowQue->cmdNewTest, Qt::LeftButton);
        ASSERT_FALSE(mod.Ended);
        std::set<int> fours;
        for (int i = 0; i < 35; ++i) {
            const int n = RowNumber(mod.frmShowQue->lstTestQue->item(i)->text());
            ASSERT_GE(n, 1) << GroupCodes()[i];
            ASSERT_LE(n, counts[i]) << GroupCodes()[i];
            seen[i].insert(n);
            if (counts[i] == 4) fours.insert(n);
        }
        if (fours.size() == 1) ++uniform;
    }
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(static_cast<int>(seen[i].size()), counts[i]) << GroupCodes()[i];
    EXPECT_LE(uniform, 2);
    EXPECT_EQ(sys.Reseeds, tests);
    EXPECT_TRUE(sys.Messages.empty());
}

TEST(TestDraw, MissingQuestionEndsTheProgramAfterItsReport) {
    const struct {
        const char* Name;
        std::string Group;
        int InPool;            // questions of the group in the pool
        int InTable;           // count the table gives
        std::vector<int> Skip; // numbers missing inside the group
        const char* Text;
    } cases[] = {
        {"gap inside the group",
         "T2B",
         3,
         3,
         {3},
         "For Section T2B question T2B03 (number 3 of 3) not found in pool"},
        {"table counts more than the pool holds",
         "T0C",
         3,
         5,
         {},
         "For Section T0C question T0C05 (number 5 of 5) not found in pool"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Program run;
        std::vector<FixtureQuestion> qs;
        std::vector<int> counts;
        int group = 0;
        for (std::size_t i = 0; i < GroupCodes().size(); ++i) {
            const bool target = GroupCodes()[i] == c.Group;
            if (target) group = static_cast<int>(i);
            counts.push_back(target ? c.InTable : 3);
            for (int n = 1; n <= (target ? c.InPool : 3); ++n)
                if (!target || std::find(c.Skip.begin(), c.Skip.end(), n) == c.Skip.end())
                    qs.push_back(MakeQuestion(QuestionIdOf(GroupCodes()[i], n)));
        }
        run.Data.WriteStandard(qs);
        run.Data.Write("SecCntTbl.txt", TableText(counts));
        run.Start();
        ASSERT_FALSE(run.Mod.Ended);

        run.Fake.Values.assign(35, 0.0f);
        run.Fake.Values[group] = 0.99f;
        Click(run.Win().cmdNewTest);
        ASSERT_EQ(run.Fake.Messages.size(), 1u);
        EXPECT_EQ(run.Fake.Messages[0].Text, c.Text);
        EXPECT_EQ(run.Fake.Messages[0].Title, "Error!!!");
        EXPECT_TRUE(run.Mod.Ended);
        EXPECT_TRUE(run.Fake.Ended);
        EXPECT_EQ(run.Fake.EndStatus, 1);
        // Nothing after the report ran: no further draw, no score panel.
        EXPECT_EQ(run.Win().lstTestQue->count(), group + 1);
        EXPECT_TRUE(run.Win().txtQueAns->isHidden());
    }
}

TEST(TestResult, WholeTestReportsPassOrFail) {
    const struct {
        int Right;
        const char* Greeting;
        const char* Verdict;
        const char* Percent;
    } cases[] = {
        {26, "Congratulations", "Passed!", "74.29%"},
        {25, "Sorry", "Failed", "71.43%"},
        {35, "Congratulations", "Passed!", "100.00%"},
        {0, "Sorry", "Failed", "0.00%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Right);
        Program run;
        run.Data.WriteStandard(2);
        run.Start();
        auto& w = run.Win();
        TakeTest(w, c.Right);
        ASSERT_TRUE(run.Mod.frmTestComplete.Loaded());
        auto& r = *run.Mod.frmTestComplete;
        EXPECT_TRUE(r.isVisible());
        EXPECT_FALSE(r.isModal());
        EXPECT_EQ(r.txtPassFail->text(), c.Greeting);
        EXPECT_EQ(r.lblPassFail->text(), c.Verdict);
        EXPECT_EQ(r.txtAnsOK->text(), QString::number(c.Right));
        EXPECT_EQ(r.txtPercent->text(), c.Percent);
        // The main window keeps the last question with its marks.
        EXPECT_EQ(run.Mod.ListPos, 34);
        EXPECT_EQ(w.txtQueNr->text(), Q(run.Mod.ListQueIds[34]));
        EXPECT_FALSE(w.txtRightWrong->isHidden());
        EXPECT_TRUE(run.Fake.Messages.empty());

        // A further "Next Question" shows the same result again.
        r.hide();
        Click(w.cmdNext);
        EXPECT_TRUE(r.isVisible());
        EXPECT_EQ(r.txtAnsOK->text(), QString::number(c.Right));
        EXPECT_EQ(r.txtPercent->text(), c.Percent);
    }
}

TEST(TestResult, SecondTestShowsOnlyItsOwnResult) {
    Program run;
    run.Data.WriteStandard(2);
    run.Start();
    auto& w = run.Win();
    TakeTest(w, 30);
    auto& r = *run.Mod.frmTestComplete;
    ASSERT_EQ(r.txtPassFail->text(), "Congratulations");

    // The main window's "Begin New Test" leaves the old result on the screen.
    TakeTest(w, 20);
    EXPECT_TRUE(r.isVisible());
    EXPECT_EQ(r.txtPassFail->text(), "Sorry");
    EXPECT_EQ(r.lblPassFail->text(), "Failed");
    EXPECT_EQ(r.txtAnsOK->text(), "20");
    EXPECT_EQ(r.txtPercent->text(), "57.14%");
}

TEST(TestResult, ButtonsGoOnWithATestThePoolOrEnd) {
    Program run;
    run.Data.WriteStandard(2);
    run.Start();
    auto& w = run.Win();
    TakeTest(w, 26);
    auto& r = *run.Mod.frmTestComplete;
    Click(r.cmdTakeTest);
    EXPECT_FALSE(r.isVisible());
    EXPECT_EQ(run.Mod.OpMode, -1);
    EXPECT_EQ(w.lblMode->text(), "Simulated Technician License Test");
    EXPECT_EQ(w.txtQueAns->text(), "0");
    EXPECT_EQ(w.txtNrRight->text(), "0");
    EXPECT_EQ(w.txtPercent->text(), "");
    EXPECT_EQ(w.lstTestQue->item(0)->text().size(), 7);
    EXPECT_EQ(run.Fake.Reseeds, 2);

    TakeTest(w, 10);
    Click(r.cmdPick);
    EXPECT_FALSE(r.isVisible());
    EXPECT_EQ(run.Mod.OpMode, 0);
    EXPECT_EQ(w.lblMode->text(), "Pick Any Technician Question from Pool");
    EXPECT_TRUE(w.txtQueAns->isHidden());
    EXPECT_EQ(w.txtQueNr->text().trimmed(), "T1A01");
    EXPECT_EQ(w.lstTestQue->count(), 70);

    TakeTest(w, 0);
    Click(r.cmdQuit);
    EXPECT_TRUE(run.Mod.Ended);
    EXPECT_EQ(run.Fake.EndStatus, 0);
    EXPECT_TRUE(run.Fake.Messages.empty());
}
