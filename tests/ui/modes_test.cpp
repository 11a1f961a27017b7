// The simulated test, its result window, and the chapter and page study lists.
#include "app/qtplatform.h"
#include "support/run.h"

#include <cmath>
#include <set>

namespace korvell::testing {

// One question a group by the generator's values; a question the pool lacks ends the program.
TEST(Test, FreshTestDrawsOneQuestionPerGroup) {
    Session run(4);
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
    run.Fake.Values[7] = 0.99f;
    std::string table = TableText(4); // T2B counted beyond the questions the pool has
    run.Write("SecCntTbl.txt", table.replace(table.find("\"T2B\",4"), 7, "\"T2B\",12"));
    Click(w.cmdNewTest);
    EXPECT_EQ(run.Fake.Said() + std::to_string(run.Mod.Ended + run.Fake.EndStatus),
              "Error!!!: For Section T2B question T2B12 (number 12 of 12) not found in pool\n2");
    EXPECT_EQ(w.lstTestQue->count(), 8); // nothing ran after the report
    QtPlatform one, two; // restarted, they differ; their values lie in [0, 1) and fill it
    one.Randomize();
    two.Randomize();
    EXPECT_NE(one.Rnd(), two.Rnd());
    std::set<int> quarters;
    for (int i = 0; i < 1000; ++i)
        quarters.insert(int(std::floor(one.Rnd() * 4)));
    EXPECT_EQ(quarters, (std::set{0, 1, 2, 3}));
    // A test number in the environment gives every test the draw of the practice test of
    // that number, afresh at each restart; a value that is no whole number is not one.
    qputenv("KORVELL_TEST_NUMBER", "7");
    QtPlatform numbered;
    qputenv("KORVELL_TEST_NUMBER", "7x");
    QtPlatform unnumbered, other;
    qunsetenv("KORVELL_TEST_NUMBER");
    NumberedValues paper(7);
    const float first = paper.Next(), second = paper.Next();
    for (QtPlatform* p : {&numbered, &unnumbered, &other})
        p->Randomize();
    EXPECT_EQ(numbered.Rnd(), first);
    EXPECT_EQ(numbered.Rnd(), second);
    numbered.Randomize();
    EXPECT_EQ(numbered.Rnd(), first);
    EXPECT_NE(unnumbered.Rnd(), other.Rnd());
}

// The report card of each finished test: per row its mark (Missed, Weakest), code, right of
// asked and "!" if bold; the sums against the right answers; the margin; and whether the
// table and the margin show whole in the window as it opens (the window grows to them).
QString Card(Program& Run) {
    auto& r = *Run.Mod.frmTestComplete;
    auto* t = r.grdResults;
    QApplication::processEvents();
    QString s;
    int right = 0, asked = 0;
    bool whole = true;
    for (int i = 0; i < t->rowCount(); ++i) {
        for (int c = 0; c < 4; ++c)
            whole =
                whole &&
                t->columnWidth(c) >
                    QFontMetrics(t->item(i, c)->font()).horizontalAdvance(t->item(i, c)->text());
        s += t->verticalHeaderItem(i)->text().left(1) + t->item(i, 0)->text() + " " +
             t->item(i, 2)->text() + "/" + t->item(i, 3)->text() +
             (t->item(i, 0)->font().bold() ? "! " : " ");
        right += t->item(i, 2)->text().toInt();
        asked += t->item(i, 3)->text().toInt();
    }
    whole =
        whole && t->viewport()->rect().contains(t->visualItemRect(t->item(t->rowCount() - 1, 3))) &&
        r.txtMargin->width() > r.txtMargin->fontMetrics().horizontalAdvance(r.txtMargin->text());
    return s + QString("= %1/%2 of %3 | ").arg(right).arg(asked).arg(r.txtAnsOK->text()) +
           r.txtMargin->text() + (whole ? "" : " (cut)");
}

// The result of each test and its buttons; then its report card.
TEST(Test, ResultAndReportCardBySubelementWithTheMarginToThePassMark) {
    Program run(Questions(2), 2);
    run.Write("Tech_Syllabus.txt", "T1 COMMISSION\xE2\x80\x99S RULES\nT1A Purpose\n"
                                   "T2 OPERATING PROCEDURES\nT3 Radio Wave propagation\n"
                                   "T4 AMATEUR RADIO PRACTICES\nT6 ELECTRONIC AND ELECTRICAL "
                                   "COMPONENTS, CIRCUITS AND DIAGRAMS\nT9 ANTENNAS\nT0 SAFETY\n");
    run.Start();
    // 26 right answers pass; a further Next shows the result again; each test starts afresh.
    const char* steps[][2] = {
        {"test:26/frmTestComplete.close/Next", "Congratulations Passed! 26 74.29% T S 35 TT"},
        {"test:25/frmTestComplete.close/Next", "Sorry Failed 25 71.43% T S 35 TT"},
        {"test:35/frmTestComplete.close/Next", "Congratulations Passed! 35 100.00% T S 35 TT"},
        {"frmTestComplete.TakeTest",
         "Congratulations Passed! 35 100.00%  Simulated Technician License Test 35 0|0| "},
        {"test:10/frmTestComplete.Pick",
         "Sorry Failed 10 28.57%  Pick Any Technician Question from Pool 70 - T"}};
    Walk(run, steps, [](Program& Run) {
        auto& r = *Run.Mod.frmTestComplete;
        return r.txtPassFail->text() + " " + r.lblPassFail->text() + " " + r.txtAnsOK->text() +
               " " + r.txtPercent->text() + " " + Open(Run) + " " +
               (Open(Run).isEmpty() ? Run.Win().lblMode->text() : State(Run).left(1)) + " " +
               QString::number(Run.Win().lstTestQue->count()) +
               (Open(Run).isEmpty() ? " " + State(Run).section(' ', 6, 6) : "") + " " +
               Run.Raised();
    });
    const auto wrong = [](std::set<int> At) { return [At](int q) { return !At.count(q); }; };
    const std::pair<std::function<bool(int)>, const char*> tests[] = {
        {wrong({}), "T1 6/6 T2 3/3 T3 3/3 T4 2/2 T5 4/4 T6 4/4 T7 4/4 T8 4/4 T9 2/2 T0 3/3 "
                    "= 35/35 of 35 | Passed with 9 to spare (26 of 35 needed)."},
        {[](int q) { return q < 26; },
         "T1 6/6 T2 3/3 T3 3/3 T4 2/2 T5 4/4 T6 4/4 T7 4/4 WT8 0/4! WT9 0/2! WT0 0/3! "
         "= 26/35 of 26 | Passed with no answer to spare."},
        {[](int q) { return q < 25; },
         "T1 6/6 T2 3/3 T3 3/3 T4 2/2 T5 4/4 T6 4/4 MT7 3/4 WT8 0/4! WT9 0/2! WT0 0/3! "
         "= 25/35 of 25 | 1 more right answer was needed to pass (26 of 35)."},
        {wrong({0, 1, 12}), // a third of T1 missed, half of T4: T4 is the weakest
         "MT1 4/6 T2 3/3 T3 3/3 WT4 1/2! T5 4/4 T6 4/4 T7 4/4 T8 4/4 T9 2/2 T0 3/3 "
         "= 32/35 of 32 | Passed with 6 to spare (26 of 35 needed)."},
        {[](int) { return false; },
         "WT1 0/6! WT2 0/3! WT3 0/3! WT4 0/2! WT5 0/4! WT6 0/4! WT7 0/4! WT8 0/4! WT9 0/2! "
         "WT0 0/3! = 0/35 of 0 | 26 more right answers were needed to pass (26 of 35)."}};
    for (const auto& [right, expected] : tests) {
        AnswerTest(run.Win(), right);
        EXPECT_EQ(Card(run), expected);
    }
    QStringList topics;
    for (int i = 0; i < 10; ++i)
        topics << run.Mod.frmTestComplete->grdResults->item(i, 1)->text();
    EXPECT_EQ(topics.join('|'), "Commission’s rules|Operating procedures|Radio Wave propagation|"
                                "Amateur radio practices||Electronic and electrical components, "
                                "circuits and diagrams|||Antennas|Safety");
    auto& r = *run.Mod.frmTestComplete; // the table passes Tab on instead of keeping it
    QApplication::setActiveWindow(&r);
    r.grdResults->setFocus(Qt::TabFocusReason);
    Press("Tab");
    EXPECT_EQ(QApplication::focusWidget(), r.cmdTakeTest);
    // Without a syllabus, or with one the program cannot read, the topics stay empty.
    for (const bool absent : {true, false}) {
        Program bare;
        if (!absent) std::filesystem::create_directory(bare.Tmp / "Tech_Syllabus.txt");
        bare.Start();
        Do(bare, "test:25");
        EXPECT_EQ(Card(bare), QString(tests[2].second));
        const auto* t = bare.Mod.frmTestComplete->grdResults;
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(t->item(i, 1)->text() + Q(bare.Fake.Said()), "") << absent;
    }
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
        {"type:3+", "4 7 8 9 10 12 | 2 T1A01 01"},
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

// A list of part of the pool: caption | identifiers | the window (State without the mode) and M if
// the shown question is marked.
QString Listed(Program& Run) {
    QStringList ids = Rows(Run.Win().lstTestQue).replaceInStrings(" ", "");
    return Run.Win().lblMode->text() + " | " + ids.join(' ') + " | " + State(Run).section(' ', 1) +
           (Run.Win().chkMark->isChecked() ? " M" : "") + Run.Mod.frmFind->lblNoMatch->text() +
           Open(Run);
}

// Each list from each of its entry points; marks (by click, keys and an assistive tool's
// toggle) follow the question shown through every mode and leave a test's result as it was.
TEST(StudyLists, SubelementFindAndMarksFromEachEntryPoint) {
    Program run(Questions(2), 2);
    run.Write("Tech_Syllabus.txt", "T5 ELECTRICAL PRINCIPLES\nT8 Cat & dog\n");
    run.Start();
    const char* steps[][2] = {
        {"pgmSubT5", "Subelement T5: Electrical principles | T5A01 T5A02 T5B01 T5B02 T5C01 "
                     "T5C02 T5D01 T5D02 | T5A01 wwww - - 11111001 - -1 cmdShowAns"},
        {"Next/B", "Subelement T5: Electrical principles | T5A01 T5A02 T5B01 T5B02 T5C01 T5C02 "
                   "T5D01 T5D02 | T5A02 wYww Right!g B 00001011 - 1 cmdNext"},
        {"ShowAns/row:5", "Subelement T5: Electrical principles | T5A01 T5A02 T5B01 T5B02 "
                          "T5C01 T5C02 T5D01 T5D02 | T5C02 wwww - - 11111011 - 5 lstTestQue"},
        {"pgmSubT0/Next/Previous", "Subelement T0 | T0A01 T0A02 T0B01 T0B02 T0C01 T0C02 | "
                                   "T0A01 wwww - - 11111001 - 0 cmdShowAns"},
        {"find:  Question   t5a0  ", "Questions Containing: Question t5a0 | T5A01 T5A02 | "
                                     "T5A01 wwww - - 11111001 - -1 cmdShowAns"},
        {"find:t1a01 CHOICE", "Questions Containing: t1a01 CHOICE | T1A01 | T1A01 wwww - - "
                              "11111000 - -1 cmdShowAns"},
        {"find:T0c choice", "Questions Containing: T0c choice | T0C01 T0C02 | T0C01 wwww - - "
                            "11111001 - -1 cmdShowAns"},
        {"find:dummy loads", "Questions Containing: T0c choice | T0C01 T0C02 | T0C01 wwww - - "
                             "11111001 - -1 cmdShowAnsNo question matches \"dummy loads\".F"},
        {"key:Escape/win:frmShowQue/key:Ctrl+M/Next/key:Alt+M/key:Ctrl+M/toggle:chkMark",
         "Questions Containing: T0c choice | T0C01 T0C02 | T0C02 wwww - - 11111010 - 1 "
         "cmdShowAns "
         "MNo question matches \"dummy loads\"."},
        {"pgmMarked/A", "Marked Questions | T0C01 T0C02 | T0C01 Ywww Right!g A 00001001 - -1 "
                        "cmdNext MNo question matches \"dummy loads\"."},
        {"Next", "Marked Questions | T0C01 T0C02 | T0C02 wwww - - 11111010 - 1 cmdShowAns MNo "
                 "question matches \"dummy loads\"."},
        {"test:25/frmTestComplete.StudySub",
         "Subelement T8: Cat & dog | T8A01 T8A02 T8B01 T8B02 T8C01 T8C02 T8D01 T8D02 | T8A01 "
         "wwww - - 11111001 - -1 cmdShowAnsNo question matches \"dummy loads\"."},
        {"test:35/win:frmTestComplete/focus:grdResults/key:Down/key:Return",
         "Subelement T2 | T2A01 T2A02 T2B01 T2B02 T2C01 T2C02 | T2A01 wwww - - 11111001 - -1 "
         "cmdShowAnsNo question matches \"dummy loads\"."},
    };
    Walk(run, steps, Listed);
    auto& w = run.Win(); // marked in a test: its rows and its report card as without marks
    QApplication::setActiveWindow(&w);
    const QString card = (Do(run, "test:20"), Card(run)), rows = Rows(w.lstTestQue).join('|');
    QApplication::setActiveWindow(&w);
    AnswerTest(w, [&](int q) { return q % 9 == 0 ? Press("Ctrl+M"), q < 20 : q < 20; });
    EXPECT_EQ(Card(run) + Rows(w.lstTestQue).join('|') + w.pgmMarked->text(),
              card + rows + "&Marked Questions (6)");
    auto* t = run.Mod.frmTestComplete->grdResults; // a double-click on a row studies it
    const QPoint at = t->visualItemRect(t->item(2, 0)).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(Listed(run), "Subelement T3 | T3A01 T3A02 T3B01 T3B02 T3C01 T3C02 | T3A01 wwww - "
                           "- 11111001 - -1 cmdShowAns MNo question matches \"dummy loads\".");
}

} // namespace korvell::testing
