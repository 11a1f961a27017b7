// Driving the main window as a user does: choices, whole tests, list rows by mouse.
#pragma once

#include "support/fixtures.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}

namespace korvell::testing {

using namespace korvell; // the windows and their helpers, for the tests that use these

inline void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}
inline void ClickRow(QListWidget* List, int Row) {
    List->scrollToItem(List->item(Row));
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {},
                      List->visualItemRect(List->item(Row)).center());
}

// Clicks the right letter (kept hidden in the answer box) or a wrong one; returns it.
inline QString Answer(frmShowQue& W, bool Right) {
    const QString right = W.txtAnswer->text(), pick = Right ? right : right == "A" ? "B" : "A";
    Click(W.findChild<QPushButton*>("cmd" + pick));
    return pick;
}
// Begins a test, answers Count questions (the first Right right), each followed by Next.
inline void AnswerTest(frmShowQue& W, int Right, int Count = 35) {
    Click(W.cmdNewTest);
    for (int q = 0; q < Count; ++q) {
        Answer(W, q < Right);
        Click(W.cmdNext);
    }
}

// Per control '1' if it is shown (or enabled), '0' if not.
inline QString Flags(std::initializer_list<QWidget*> Ws, bool Enabled = false) {
    QString s;
    for (QWidget* c : Ws)
        s += (Enabled ? c->isEnabled() : !c->isHidden()) ? '1' : '0';
    return s;
}
// The choice boxes A..D: y yellow, r red, w the window colour; upper case if bold.
inline QString Marks(frmShowQue& W) {
    QString s;
    for (QPlainTextEdit* b : {W.txtA, W.txtB, W.txtC, W.txtD}) {
        const QList<QColor> colours{Yellow, Red, QPalette().color(QPalette::Base)};
        const QChar m = QString("?yrw")[colours.indexOf(BackColor(b)) + 1];
        s += b->font().bold() ? m.toUpper() : m;
    }
    return s;
}
inline QString Panel(frmShowQue& W) {
    return W.txtQueAns->text() + "|" + W.txtNrRight->text() + "|" + W.txtPercent->text();
}
// The messages shown since the last call, "Title: Text" each.
inline std::string Said(FakePlatform& Fake) {
    std::string s;
    for (const auto& m : Fake.Messages)
        s += m.Title + ": " + m.Text + "\n";
    Fake.Messages.clear();
    return s;
}

// The program started on a pool (and section table) of its own, main window active.
struct Session : Program {
    explicit Session(int N) : Session(StandardQuestions(N), SecCntTblText(N)) {}
    explicit Session(const std::vector<FixtureQuestion>& Qs, const std::string& Table = "") {
        Data.WriteStandard(Qs);
        if (!Table.empty()) Data.Write("SecCntTbl.txt", Table);
        Start();
        QApplication::setActiveWindow(&Win());
    }
    QString Shown() { return Win().txtQueNr->text().trimmed(); }
};

} // namespace korvell::testing
