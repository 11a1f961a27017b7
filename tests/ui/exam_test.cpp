// The simulated test: its start, the draw per group, a missing question, the result.
#include "app/qtplatform.h"
#include "support/drive.h"
#include "ui/test/frmtestcomplete.h"

#include <cmath>
#include <set>

using namespace korvell::testing;

TEST(Test, FreshTestDrawsOneQuestionPerGroup) {
    Session run(4);
    auto& w = run.Win();
    Click(w.cmdShowAns); // a revealed answer in study mode must not carry over
    const std::pair<float, int> draws[] = {{0.5f, 3},  {0.0f, 1}, {0.2499f, 1},
                                           {0.25f, 2}, {1.0f, 4}, {std::nextafter(1.0f, 0.0f), 4}};
    for (int i = 0; i < 35; ++i)
        run.Fake.Values.push_back(draws[i % 6].first);
    Click(w.cmdNewTest);
    ASSERT_EQ(w.lstTestQue->count(), 35);
    w.lstTestQue->setFocus(Qt::TabFocusReason); // still no row highlighted
    for (int i = 0; i < 35; ++i)
        EXPECT_EQ(w.lstTestQue->item(i)->text(),
                  Q(GroupCodes()[i] + "  " + QuestionIdOf("", draws[i % 6].second)));
    EXPECT_EQ(w.txtQueNr->text() + Panel(w) +
                  Flags({w.cmdNext, w.cmdPrevious, w.cmdShowAns}, true) +
                  Flags({w.txtQueAns, w.txtAnswer, w.lblChapter, w.cboCh, w.cboPage}) +
                  QString::number(w.lstTestQue->currentRow()),
              "T1A030|0|00010000-1");

    QtPlatform desktop; // over many tests with its values every number of every group comes up
    std::vector<std::set<int>> seen(35);
    for (int t = 0; t < 100; ++t) {
        desktop.Randomize();
        for (int i = 0; i < 35; ++i)
            run.Fake.Values.push_back(desktop.Rnd());
        Click(w.cmdNewTest);
        std::set<int> drawn; // in one test not all groups draw the same number
        for (int i = 0; i < 35; ++i)
            seen[i].insert(*drawn.insert(w.lstTestQue->item(i)->text().mid(5).toInt()).first);
        EXPECT_GT(drawn.size(), 1u);
    }
    for (const auto& s : seen)
        EXPECT_EQ(s, (std::set{1, 2, 3, 4}));
    EXPECT_EQ(run.Fake.Reseeds, 101);
}

TEST(Test, MissingQuestionEndsTheProgramAfterItsReport) {
    auto pool = StandardQuestions(3);
    std::erase_if(pool, [](const FixtureQuestion& q) { return q.Id == "T2B03"; });
    Session run(pool, SecCntTblText(3));
    run.Fake.Values.assign(35, 0.0f);
    run.Fake.Values[7] = 0.99f; // T2B: number 3
    Click(run.Win().cmdNewTest);
    EXPECT_EQ(Said(run.Fake),
              "Error!!!: For Section T2B question T2B03 (number 3 of 3) not found in pool\n");
    EXPECT_TRUE(run.Mod.Ended && run.Fake.EndStatus == 1);
    EXPECT_EQ(run.Win().lstTestQue->count(), 8); // nothing ran after the report
}

TEST(Test, ResultOfEachTestAndItsButtons) {
    Session run(2);
    auto& w = run.Win();
    auto& r = *run.Mod.frmTestComplete;
    for (const QString text : {"Congratulations Passed! 26 74.29%", "Sorry Failed 25 71.43%",
                               "Congratulations Passed! 35 100.00%", "Sorry Failed 0 0.00%"}) {
        AnswerTest(w, text.section(' ', -2, -2).toInt()); // 25 after a pass: nothing of it
        r.hide();                                         // the result again on a further Next
        Click(w.cmdNext);
        EXPECT_EQ(r.txtPassFail->text() + " " + r.lblPassFail->text() + " " + r.txtAnsOK->text() +
                      " " + r.txtPercent->text() + Flags({&r}),
                  text + "1");
    }
    Click(r.cmdTakeTest);
    EXPECT_EQ(w.lblMode->text() + Panel(w) + Flags({&r}), "Simulated Technician License Test0|0|0");
    AnswerTest(w, 10);
    Click(r.cmdPick);
    EXPECT_EQ(w.lblMode->text() + Flags({&r, w.txtQueAns}) + QString::number(w.lstTestQue->count()),
              "Pick Any Technician Question from Pool0070");
    AnswerTest(w, 0);
    Click(r.cmdQuit);
    EXPECT_TRUE(run.Mod.Ended && run.Fake.EndStatus == 0 && Said(run.Fake).empty());
}
