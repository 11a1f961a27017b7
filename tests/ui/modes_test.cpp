// The simulated test and its result window, picking from the list, and the
// chapter and page study lists.
#include "app/qtplatform.h"
#include "support/run.h"

#include <cmath>
#include <set>

namespace korvell::testing {

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
                  Q(GroupCodes[i] + "  " + Id("", draws[i % 6].second)));
    EXPECT_EQ(w.lblMode->text() + Flags({w.txtAnswer, w.lblChapter, w.cboCh, w.cboPage}) +
                  QString::number(w.lstTestQue->currentRow()),
              "Simulated Technician License Test0000-1");

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
    auto pool = Questions(3);
    std::erase_if(pool, [](const Que& q) { return q.Id == "T2B03"; });
    Session run(pool, 3);
    run.Fake.Values.assign(35, 0.0f);
    run.Fake.Values[7] = 0.99f; // T2B: number 3
    Click(run.Win().cmdNewTest);
    EXPECT_EQ(run.Said(),
              "Error!!!: For Section T2B question T2B03 (number 3 of 3) not found in pool\n");
    EXPECT_TRUE(run.Mod.Ended && run.Fake.EndStatus == 1);
    EXPECT_EQ(run.Win().lstTestQue->count(), 8); // nothing ran after the report
}

TEST(Test, ResultOfEachTestAndItsButtons) {
    Session run(2);
    auto& w = run.Win();
    auto& r = *run.Mod.frmTestComplete;
    for (const QString text : {"Congratulations Passed! 26 74.29%", "Sorry Failed 25 71.43%",
                               "Congratulations Passed! 35 100.00%"}) {
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
}

// By count chapter 2 has pages 4, 7, 8, 9, 10 and 12, but the references of
// pages 7, 8 and 12 are written in forms that no chapter-page key matches.
// Steps split by "/": S "Study Text", A "Show Pool", R "Show Answer", F "Show
// Figure", C<row> or P<row> a user's pick in the chapter or page box, T<text> typing a
// chapter, then Enter (E) or leaving the box for the list (L). Then the page rows,
// the number of listed questions, the one on display, its answer if shown, "fig"
// if the figure window is open, whether Previous and Next are enabled.
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
    QLineEdit* edit = w.cboCh->lineEdit();
    const auto Do = [&](const QString& Steps) {
        for (const QString& s : Steps.split('/')) {
            QComboBox* box = s[0] == 'C' ? w.cboCh : w.cboPage;
            if (s[0] == 'C' || s[0] == 'P') {
                box->setCurrentIndex(box->findText(s.mid(1)));
                emit box->activated(box->currentIndex());
            }
            if (s[0] == 'T') {
                QTest::mouseClick(edit, Qt::LeftButton);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, s.mid(1));
            }
            if (s[0] == 'E') QTest::keyClick(edit, Qt::Key_Return);
            if (s[0] == 'L') w.lstTestQue->setFocus(Qt::TabFocusReason);
            if (const int k = QString("SARF").indexOf(s[0]); k >= 0)
                Click(std::array{w.cmdStudy, w.cmdAll, w.cmdShowAns, w.cmdShowFig}[k]);
        }
        QString rows;
        for (int i = 0; i < w.cboPage->count(); ++i)
            rows += w.cboPage->itemText(i) + " ";
        rows += "| " + QString::number(w.lstTestQue->count()) + " " + run.Shown();
        if (!w.txtAnswer->isHidden() && !w.txtAnswer->text().isEmpty())
            rows += " " + w.txtAnswer->text();
        return rows +
               (run.Mod.frmShowFig.Loaded() && run.Mod.frmShowFig->isVisible() ? " fig" : "") +
               " " + Flags({w.cmdPrevious, w.cmdNext}, true);
    };
    // The first "Study Text" shows chapter 2, its pages in numeric order. A revealed answer
    // stays across picks until "Study Text". A typed chapter, also confirmed with Enter or by
    // leaving the box, waits for "Study Text" or a page pick.
    const QString steps =
        "S=4 7 8 9 10 12 | 2 T1C01 01;R/C3=1 4 | 1 T2C01 A 00;P4=1 4 | 3 T3A01 B 01;"
        "C2=4 7 8 9 10 12 | 2 T1C01 C 01;S=4 7 8 9 10 12 | 2 T1C01 01;"
        "P10=4 7 8 9 10 12 | 2 T1A01 01;T5/E=4 7 8 9 10 12 | 2 T1A01 01;"
        "T10/L=4 7 8 9 10 12 | 2 T1A01 01;T3/P4=4 7 8 9 10 12 | 3 T3A01 01;T10/S/R=35 | 1 T4A01 A "
        "00;"
        "T 3 /S=1 4 | 1 T2C01 00;T11/S=1 4 | 1 T2C01 00;Tabc/P4=1 4 | 1 T2C01 00;"
        "T/S=1 4 | 1 T2C01 00;C5=| 1 T2C01 00;A=| 35 T1A01 01;S=| 35 T1A01 01;"
        "C2/R/F=4 7 8 9 10 12 | 2 T1C01 C fig 01;P7=4 7 8 9 10 12 | 0  00";
    QString chapters; // the rows offered, whatever the pool holds
    for (int i = 0; i < w.cboCh->count(); ++i)
        chapters += w.cboCh->itemText(i);
    EXPECT_EQ(chapters, "23456789");
    for (const QString& step : steps.split(';'))
        EXPECT_EQ(Do(step.section('=', 0, 0)), step.section('=', 1)) << step.toStdString();
    // An empty page: nothing shown, nothing to answer or move to.
    EXPECT_EQ(w.txtPage->text() + w.txtAnswer->text() + w.txtQuestion->toPlainText() +
                  w.txtA->toPlainText() + Marks(w) +
                  Flags({w.cmdA, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious}, true),
              "wwww00000");
    EXPECT_EQ(Do("P10/L"), "4 7 8 9 10 12 | 2 T1A01 A 01"); // list focus: no pick, no highlight
    EXPECT_EQ(QString::number(w.lstTestQue->selectedItems().size()) +
                  Flags({w.lblChapter, w.cboCh, w.lblPage, w.cboPage, w.txtQueAns}) +
                  w.lblMode->text() + Q(run.Said()),
              "011110Questions List for Text Chapter and Page");
}

} // namespace korvell::testing
