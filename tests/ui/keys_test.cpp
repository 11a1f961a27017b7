// Working the program from the keyboard, and the review of a finished test's misses.
#include "support/run.h"

namespace korvell::testing {

// Alt+T begins, a letter or digit answers (wherever the focus is), Enter or Space goes on;
// every fourth answer is wrong. Review Misses then shows exactly those misses, answered.
TEST(Keys, WholeTestByKeysThenReviewOfItsMisses) {
    Session run(1);
    auto& w = run.Win();
    auto& r = *run.Mod.frmTestComplete;
    Press("Alt+T");
    for (int q = 0; q < 35; ++q) { // the right letter is "ABCD"[q % 4]
        if (q % 3 == 1) w.lstTestQue->setFocus();
        if (q % 3 == 2) w.txtQuestion->setFocus();
        Press(QString(QChar((q % 2 ? '1' : 'A') + (q + q % 4 / 3) % 4)));
        ASSERT_EQ(State(run).section(' ', 5),
                  "00000001 " + Panel(w) + " " + QString::number(q ? q : -1) + " cmdNext")
            << q;
        Press(q % 2 ? "Return" : "Space");
    }
    EXPECT_EQ(r.txtPassFail->text() + " " + r.txtAnsOK->text() + " " + r.txtPercent->text() +
                  Flags({&r}) + Flags({r.cmdReview}, true),
              "Congratulations 27 77.14%11");
    EXPECT_TRUE(QTest::qWaitForWindowActive(&r)); // its keys work at once
    const char* steps[][2] = {
        {"key:Alt+R", "R T1D01 RwwY Wrong!r D 00000001 35|27|77.14% -1 cmdNext"},
        {"key:B", "R T1D01 RwwY Wrong!r D 00000001 35|27|77.14% -1 cmdNext"},
        {"key:Return", "R T2B01 RwwY Wrong!r D 00000011 35|27|77.14% 1 cmdNext"},
        {"key:Return/key:Return/key:Return/key:Return/key:Return",
         "R T8B01 RwwY Wrong!r D 00000011 35|27|77.14% 6 cmdNext"},
        {"key:Return", "R T9B01 RwwY Wrong!r D 00000010 35|27|77.14% 7 cmdPrevious"},
        {"row:2", "R T3C01 RwwY Wrong!r D 00000011 35|27|77.14% 2 lstTestQue"},
        {"key:Alt+U/Next", "Q T5B01 wwww - - 11111011 - 3 cmdShowAns"},
        {"key:Alt+O", "P T1A01 wwww - - 11111001 - -1 cmdShowAns"},
    };
    Walk(run, steps);
    EXPECT_TRUE(r.isHidden());
    AnswerTest(w, 35); // a perfect test leaves nothing to review
    EXPECT_TRUE(r.isVisible() && !r.cmdReview->isEnabled());
}

// Letters and digits type into the chapter and page boxes; everywhere else they answer,
// once, and only through an enabled letter button.
TEST(Keys, AnswerKeysExceptInTheTextOfTheComboBoxes) {
    Session run(1);
    auto& w = run.Win();
    Press("Alt+U"); // Study Text
    // Where the focus is, the key, then the text of the box typed into (none: answered).
    const std::tuple<QWidget*, const char*, const char*> cases[] = {
        {w.cboCh->lineEdit(), "A", "2ab"},
        {w.cboPage->lineEdit(), "3", "Pg3b"},
        {w.txtQueNr, "2", ""}};
    for (const auto& [focus, key, typed] : cases) {
        ClickRow(w.lstTestQue, 0); // T1A01, unanswered
        focus->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) edit->end(false);
        Press(key);
        Press("B"); // a second key: the letter buttons are off once answered
        EXPECT_EQ(State(run).section(' ', 2, 5),
                  *typed ? "wwww - - 11111001" : "YRww Wrong!r A 00001001")
            << key;
        EXPECT_EQ(*typed ? static_cast<QLineEdit*>(focus)->text() : "", typed);
    }
}

} // namespace korvell::testing
