// Working the program from the keyboard, and the review of a finished test's misses.
#include "support/run.h"

#include <QAccessible>
#include <QShortcut>
#include <set>

using namespace korvell::testing;

namespace {

// A key pressed where a user's key goes: to an open menu, or to the widget with the focus.
void Press(int Key, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
    QApplication::processEvents(); // the desktop's own events (a window activated) come first
    QWidget* to = QApplication::activePopupWidget();
    to = to                            ? to
         : QApplication::focusWidget() ? QApplication::focusWidget()
                                       : QApplication::activeWindow();
    ASSERT_NE(to, nullptr);
    QTest::keyClick(to, Qt::Key(Key), Mods);
    if (Mods & Qt::AltModifier) QTest::qWait(150); // an access key presses its button briefly
}

QString Answered(frmShowQue& W) { // the shown answer and the four letter buttons' states
    return (W.txtAnswer->isHidden() ? QString("-") : W.txtAnswer->text()) +
           Flags({W.cmdA, W.cmdB, W.cmdC, W.cmdD}, true);
}

} // namespace

// Alt+T begins, a letter or digit answers (wherever the focus is), Enter or Space goes on;
// every fourth answer is wrong. The result window then reviews exactly those misses.
TEST(Keys, WholeTestByKeysThenReviewOfItsMisses) {
    Session run(1);
    auto& w = run.Win();
    auto& r = *run.Mod.frmTestComplete;
    Press(Qt::Key_T, Qt::AltModifier);
    ASSERT_EQ(w.lblMode->text(), "Simulated Technician License Test");
    QStringList missedRows, picks, rights;
    for (int q = 0; q < 35; ++q) {
        const int right = w.txtAnswer->text()[0].unicode() - 'A',
                  pick = q % 4 == 3 ? (right + 1) % 4 : right;
        if (pick != right) {
            missedRows << w.lstTestQue->item(q)->text() + "  Wrong";
            picks << QString(QChar('A' + pick));
            rights << w.txtAnswer->text();
        }
        if (q % 3 == 1) w.lstTestQue->setFocus();
        if (q % 3 == 2) w.txtQuestion->setFocus();
        Press((q % 2 ? Qt::Key_1 : Qt::Key_A) + pick);
        ASSERT_EQ(Answered(w), w.txtAnswer->text() + "0000") << q;
        ASSERT_EQ(QApplication::focusWidget(), w.cmdNext) << q;
        Press(q % 2 ? Qt::Key_Return : Qt::Key_Space);
    }
    EXPECT_EQ(r.txtPassFail->text() + " " + r.txtAnsOK->text() + " " + r.txtPercent->text() +
                  Flags({&r}) + Flags({r.cmdReview}, true),
              "Congratulations 27 77.14%11");
    EXPECT_TRUE(QTest::qWaitForWindowActive(&r)); // its keys work at once
    Press(Qt::Key_R, Qt::AltModifier);           // Review Misses
    EXPECT_TRUE(r.isHidden());
    EXPECT_EQ(w.lblMode->text(), "Review of Missed Test Questions");
    EXPECT_EQ(Rows(w.lstTestQue).join('|'), missedRows.join('|'));
    EXPECT_EQ(Flags({w.txtQueAns, w.lblChapter, w.cboCh}) + Panel(w), "10035|27|77.14%");
    // Enter on the focused Next walks through them, a list click jumps back: each shown
    // as answered, the pick bold on red, the right choice bold on yellow.
    for (int i = 0; i <= missedRows.size(); ++i) {
        const int at = i < missedRows.size() ? i : 2;
        if (i == missedRows.size()) ClickRow(w.lstTestQue, at);
        SCOPED_TRACE(at);
        Press(Qt::Key_B); // the letter buttons are off: nothing changes
        QString marks = "wwww";
        marks[picks[at][0].unicode() - 'A'] = 'R';
        marks[rights[at][0].unicode() - 'A'] = 'Y';
        EXPECT_EQ(run.Shown(), missedRows[at].left(3) + "01");
        EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Answered(w),
                  marks + "Wrong!" + rights[at] + "0000");
        EXPECT_EQ(Flags({w.txtRightWrong, w.lblAnswer, w.txtQueAns}) +
                      Flags({w.cmdShowAns, w.cmdPrevious, w.cmdNext}, true) + Panel(w),
                  QString("111") + "0" + (at > 0 ? "1" : "0") + (at < 7 ? "1" : "0") +
                      "35|27|77.14%");
        if (i < missedRows.size() - 1) Press(Qt::Key_Return);
    }
    EXPECT_EQ(run.Said(), "");
    EXPECT_EQ(run.Mod.NrRight, 27);
    // Study Text and Show Pool leave the review: a move shows its question unanswered;
    // a perfect test leaves nothing to review.
    Press(Qt::Key_U, Qt::AltModifier);
    Click(w.cmdNext);
    EXPECT_EQ(w.lblMode->text() + Answered(w) + Flags({w.cmdShowAns}, true),
              "Questions List for Text Chapter and Page-11111");
    Press(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(w.lblMode->text() + Answered(w) + Flags({w.txtQueAns}),
              "Pick Any Technician Question from Pool-11110");
    AnswerTest(w, 35);
    EXPECT_TRUE(r.isVisible() && !r.cmdReview->isEnabled());
}

// Letters and digits type into the chapter and page boxes; everywhere else they answer,
// once, and only through an enabled letter button.
TEST(Keys, AnswerKeysExceptInTheTextOfTheComboBoxes) {
    Session run(1);
    auto& w = run.Win();
    Press(Qt::Key_U, Qt::AltModifier); // Study Text
    ASSERT_TRUE(w.cboCh->isVisible());
    // Where the focus is, the key, then the answer and the text of the box typed into.
    const std::tuple<QWidget*, int, const char*, const char*> cases[] = {
        {w.cboCh->lineEdit(), Qt::Key_A, "-1111", "2a"},
        {w.cboPage->lineEdit(), Qt::Key_3, "-1111", "Pg3"},
        {w.txtQueNr, Qt::Key_2, "A0000", ""}};
    for (const auto& [focus, key, answered, typed] : cases) {
        SCOPED_TRACE(focus->objectName().toStdString() + " " + typed);
        ClickRow(w.lstTestQue, 0); // T1A01, unanswered
        ASSERT_EQ(Answered(w), "-1111");
        focus->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(focus)) edit->end(false);
        Press(key);
        Press(Qt::Key_B); // a second key: the letter buttons are off once answered
        EXPECT_EQ(Answered(w) + (w.txtRightWrong->isHidden() ? "" : w.txtRightWrong->text()),
                  QString(answered) + (*typed ? "" : "Wrong!"));
        if (*typed) {
            EXPECT_EQ(static_cast<QLineEdit*>(focus)->text(), QString(typed) + "b");
        }
    }
    EXPECT_EQ(run.Said(), "");
}

// In every window each button has its own Alt key, drawn in its caption, and keeps the
// caption as its text and accessible name; the main window's menu has one as well.
TEST(Keys, AccessKeysUniquePerWindowCaptionsUnchanged) {
    Session run(1);
    // Each window and its number of access keys: one per button, one for the Help menu.
    const std::pair<QWidget*, std::size_t> windows[] = {
        {&run.Win(), 13},        {&*run.Mod.frmShowFig, 1},    {&*run.Mod.frmShowHelp, 1},
        {&*run.Mod.frmAbout, 2}, {&*run.Mod.frmDisclaimer, 2}, {&*run.Mod.frmTestComplete, 4}};
    for (const auto& [window, count] : windows) {
        SCOPED_TRACE(window->objectName().toStdString());
        std::set<QKeySequence> keys;
        for (auto* b : window->findChildren<KeyButton*>()) {
            const QString name = QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name);
            EXPECT_EQ(b->text() + "|" + PlainCaption(b->MarkedCaption()), name + "|" + name);
            EXPECT_EQ(b->shortcut(), QKeySequence::mnemonic(b->MarkedCaption()))
                << name.toStdString();
            EXPECT_TRUE(b->shortcut()[0].keyboardModifiers() == Qt::AltModifier);
            keys.insert(b->shortcut());
        }
        for (auto* s : window->findChildren<QShortcut*>())
            if (s->key()[0].keyboardModifiers() == Qt::AltModifier) keys.insert(s->key());
        EXPECT_EQ(keys.size(), count);
    }
}

// F1 opens the help, Alt+H the menu; Escape hides each secondary window as its frame does;
// Ctrl+Q ends the program as Quit does.
TEST(Keys, HelpEscapeAndQuit) {
    auto qs = Questions(1);
    qs[0].Fig = "F1";
    Session run(qs);
    run.WriteFigure("F1");
    auto& w = run.Win();
    Click(w.cmdAll); // shown again, now with its figure
    // The keys that open a window, then the window.
    const std::pair<std::vector<std::pair<int, Qt::KeyboardModifiers>>, QWidget*> opens[] = {
        {{{Qt::Key_F1, {}}}, &*run.Mod.frmShowHelp},
        {{{Qt::Key_H, Qt::AltModifier},
          {Qt::Key_Down, {}},
          {Qt::Key_Down, {}},
          {Qt::Key_Return, {}}},
         &*run.Mod.frmAbout},
        {{{Qt::Key_D, Qt::AltModifier}}, &*run.Mod.frmDisclaimer},
        {{{Qt::Key_F, Qt::AltModifier}}, &*run.Mod.frmShowFig}};
    for (const auto& [keys, window] : opens) {
        SCOPED_TRACE(window->objectName().toStdString());
        for (const auto& [key, mods] : keys)
            Press(key, mods);
        ASSERT_TRUE(window->isVisible());
        QApplication::setActiveWindow(window); // as a desktop gives a new window the keys
        Press(Qt::Key_Escape);
        EXPECT_TRUE(window->isHidden());
        if (window == &*run.Mod.frmAbout) window->show(); // the disclaimer is opened from it
        QApplication::setActiveWindow(window == &*run.Mod.frmAbout ? window : &w);
    }
    Press(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(run.Fake.Ended && run.Mod.Ended && run.Fake.EndStatus == 0);
    EXPECT_EQ(run.Said(), "");
}
