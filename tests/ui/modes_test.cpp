// The simulated test, its result window, and the chapter and page study lists.
#include "app/qtplatform.h"
#include "support/run.h"

#include <cmath>
#include <set>

namespace korvell::testing {

// One question a group by the generator's values; a question the pool lacks ends the program.
TEST(Test, FreshTestDrawsOneQuestionPerGroup) {
    auto pool = Questions(4);
    std::erase_if(pool, [](const Que& q) { return q.Id == "T2B04"; });
    Session run(pool, 4);
    auto& w = run.Win();
    Click(w.cmdShowAns); // a revealed answer in study mode must not carry over
    const std::pair<float, int> draws[] = {{0.5f, 3},  {0.0f, 1}, {0.2499f, 1},
                                           {0.25f, 2}, {1.0f, 4}, {std::nextafter(1.0f, 0.0f), 4}};
    QStringList rows;
    for (int i = 0; i < 35; ++i) {
        run.Fake.Values.push_back(draws[i % 6].first);
        rows << Q(GroupCodes[i] + "  " + Id("", draws[i % 6].second));
    }
    const char* steps[][2] = {
        {"NewTest/focus:lstTestQue", "S T1A03 wwww - - 11110000 0|0| -1 lstTestQue"}};
    Walk(run, steps);
    EXPECT_EQ(Rows(w.lstTestQue), rows);
    EXPECT_EQ(Flags({w.lblChapter, w.cboCh, w.cboPage}), "000");
    EXPECT_EQ(run.Fake.Restarts, 1); // the generator is started afresh for each test
    run.Fake.Values.assign(35, 0.0f);
    run.Fake.Values[7] = 0.99f; // T2B04
    Click(w.cmdNewTest);
    EXPECT_EQ(run.Fake.Said() + std::to_string(run.Mod.Ended + run.Fake.EndStatus),
              "Error!!!: For Section T2B question T2B04 (number 4 of 4) not found in pool\n2");
    EXPECT_EQ(w.lstTestQue->count(), 8); // nothing ran after the report
    QtPlatform one, two; // restarted, they differ; their values lie in [0, 1) and fill it
    one.Randomize();
    two.Randomize();
    EXPECT_NE(one.Rnd(), two.Rnd());
    std::set<int> quarters;
    for (int i = 0; i < 1000; ++i)
        quarters.insert(int(std::floor(one.Rnd() * 4)));
    EXPECT_EQ(quarters, (std::set{0, 1, 2, 3}));
}

// 26 right answers pass; a further Next shows the result again; each test starts afresh.
TEST(Test, ResultOfEachTestAndItsButtons) {
    Session run(2);
    const char* steps[][2] = {
        {"test:26/frmTestComplete.close/Next", "Congratulations Passed! 26 74.29% T S 35"},
        {"test:25/frmTestComplete.close/Next", "Sorry Failed 25 71.43% T S 35"},
        {"test:35/frmTestComplete.close/Next", "Congratulations Passed! 35 100.00% T S 35"},
        {"frmTestComplete.TakeTest",
         "Congratulations Passed! 35 100.00%  Simulated Technician License Test 35 0|0|"},
        {"test:10/frmTestComplete.Pick",
         "Sorry Failed 10 28.57%  Pick Any Technician Question from Pool 70 -"}};
    Walk(run, steps, [](Program& Run) {
        auto& r = *Run.Mod.frmTestComplete;
        return r.txtPassFail->text() + " " + r.lblPassFail->text() + " " + r.txtAnsOK->text() +
               " " + r.txtPercent->text() + " " + Open(Run) + " " +
               (Open(Run).isEmpty() ? Run.Win().lblMode->text() : State(Run).left(1)) + " " +
               QString::number(Run.Win().lstTestQue->count()) +
               (Open(Run).isEmpty() ? " " + State(Run).section(' ', 6, 6) : "");
    });
}

// Chapter 2 counts pages 4, 7, 8, 9, 10 and 12; no key matches how 7, 8 and 12 are written.
// Seen: page rows | listed, shown, answer, "fig", Previous and Next. An answer shown stays
// until Study Text; a typed chapter, even with Enter or leaving the box, waits for either.
TEST(StudyText, PicksTypingRefusalsAndPagesWithoutQuestions) {
    auto qs = Questions(1);
    int i = 0;
    for (const char* pg : {"2-10", "2-9", "2-4", "2-10", "2-4", "2-07", "02-8", "2 - 12", "3-1",
                           "3-4", "3-4", "3-4", "10-35"})
        qs[i++].Pg = pg;
    qs[2].Fig = "F1";
    Session run(qs);
    run.WriteFigure("F1");
    auto& w = run.Win();
    // clang-format off
    const char* steps[][2] = {
        {"Study", "4 7 8 9 10 12 | 2 T1C01 01"},   {"ShowAns/cboCh=3", "1 4 | 1 T2C01 A 00"},
        {"cboPage=4", "1 4 | 3 T3A01 B 01"},       {"cboCh=2", "4 7 8 9 10 12 | 2 T1C01 C 01"},
        {"Study", "4 7 8 9 10 12 | 2 T1C01 01"},   {"cboPage=10", "4 7 8 9 10 12 | 2 T1A01 01"},
        {"type:5/key:Return", "4 7 8 9 10 12 | 2 T1A01 01"},
        {"type:10/focus:lstTestQue", "4 7 8 9 10 12 | 2 T1A01 01"},
        {"type:3/cboPage=4", "4 7 8 9 10 12 | 3 T3A01 01"},
        {"type:10/Study/ShowAns", "35 | 1 T4A01 A 00"}, {"type: 3 /Study", "1 4 | 1 T2C01 00"},
        {"type:11/Study", "1 4 | 1 T2C01 00"},     {"type:abc/cboPage=4", "1 4 | 1 T2C01 00"},
        {"type:/Study", "1 4 | 1 T2C01 00"},       {"cboCh=5", "| 1 T2C01 00"},
        {"All", "| 35 T1A01 01"},                  {"Study", "| 35 T1A01 01"},
        {"cboCh=2/ShowAns/ShowFig", "4 7 8 9 10 12 | 2 T1C01 C fig 01"},
        {"cboPage=7", "4 7 8 9 10 12 | 0  00"}};
    // clang-format on
    Walk(run, steps, [](Program& Run) {
        auto& w = Run.Win();
        QString s;
        for (int i = 0; i < w.cboPage->count(); ++i)
            s += w.cboPage->itemText(i) + " ";
        s += "| " + QString::number(w.lstTestQue->count()) + " " + w.txtQueNr->text().trimmed();
        if (!w.txtAnswer->isHidden() && !w.txtAnswer->text().isEmpty())
            s += " " + w.txtAnswer->text();
        return s + (Open(Run).contains('F') ? " fig " : " ") +
               Flags({w.cmdPrevious, w.cmdNext}, true);
    });
    QString chapters; // the rows offered, whatever the pool holds
    for (int i = 0; i < w.cboCh->count(); ++i)
        chapters += w.cboCh->itemText(i);
    EXPECT_EQ(chapters, "23456789");
    // An empty page: nothing shown, nothing to answer or move to.
    EXPECT_EQ(w.txtPage->text() + w.txtAnswer->text() + w.txtQuestion->toPlainText() +
                  w.txtA->toPlainText() + Marks(w) +
                  Flags({w.cmdA, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious}, true),
              "wwww00000");
    const char* last[][2] = {
        {"cboPage=10/win:frmShowQue/focus:lstTestQue", "Q T1A01 wwww - A 11111001 - 0 lstTestQue"}};
    Walk(run, last); // the list's focus: no pick, no highlight
    EXPECT_EQ(Flags({w.lblChapter, w.cboCh, w.lblPage, w.cboPage}) +
                  QString::number(w.lstTestQue->selectedItems().size()) + w.lblMode->text(),
              "11110Questions List for Text Chapter and Page");
}

} // namespace korvell::testing
