// A program run on data files of the test's own (CR LF line ends) in a temporary
// program directory, with the recording platform, and the ways a user drives it.
#pragma once

#include "support/fake_platform.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/test/frmtestcomplete.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}

namespace korvell::testing {

using namespace korvell;

// The 35 exam group codes in exam order.
inline const std::vector<std::string> GroupCodes = {
    "T1A", "T1B", "T1C", "T1D", "T1E", "T1F", "T2A", "T2B", "T2C", "T3A", "T3B", "T3C",
    "T4A", "T4B", "T5A", "T5B", "T5C", "T5D", "T6A", "T6B", "T6C", "T6D", "T7A", "T7B",
    "T7C", "T7D", "T8A", "T8B", "T8C", "T8D", "T9A", "T9B", "T0A", "T0B", "T0C"};

inline std::string Id(const std::string& Group, int Nr) { // ("T1A", 5): "T1A05"
    return Group + char('0' + Nr / 10 % 10) + char('0' + Nr % 10);
}

// A question (Fig: a figure name, Pg: a chapter-page such as "2-4"); its text is
// "Question <Id>?", its choices "<Id> choice A" .. "<Id> choice D".
struct Que {
    std::string Id, Answer = "A", Fig = {}, Pg = {};
};

// PerGroup questions for each group in exam order; right letters cycle A..D.
inline std::vector<Que> Questions(int PerGroup) {
    std::vector<Que> qs;
    for (const auto& g : GroupCodes)
        for (int n = 1; n <= PerGroup; ++n)
            qs.push_back({Id(g, n), std::string(1, "ABCD"[qs.size() % 4])});
    return qs;
}

inline std::string PoolText(const std::vector<Que>& Qs) {
    std::string t = "Fixture question pool\n";
    for (const auto& q : Qs) {
        t += q.Id + " (" + q.Answer + ")" + (q.Fig.empty() ? "" : " Fig " + q.Fig) +
             (q.Pg.empty() ? "" : " Pg " + q.Pg) + "\nQuestion " + q.Id + "?\n";
        for (const char* c : {"A", "B", "C", "D"})
            t += std::string(c) + ". " + q.Id + " choice " + c + "\n";
        t += "~~~~~~~~\n";
    }
    return t;
}

inline std::string TableText(int PerGroup, const std::vector<std::string>& Codes = GroupCodes) {
    std::string t;
    for (const auto& c : Codes)
        t += "\"" + c + "\"," + std::to_string(PerGroup) + "\n";
    return t;
}

inline QStringList Rows(const QListWidget* List) {
    QStringList rows;
    for (int i = 0; i < List->count(); ++i)
        rows << List->item(i)->text();
    return rows;
}

struct Program {
    Program() { Fake.Dir = QDir(Tmp.path()).absolutePath().toStdString(); }
    // Writes Text into Name in the program directory, "\n" as CR LF.
    void Write(const std::string& Name, const std::string& Text) const {
        std::ofstream out(Fake.Dir + "/" + Name, std::ios::binary);
        for (char c : Text)
            out << (c == '\n' ? "\r\n" : std::string(1, c));
    }
    void WriteFigure(const std::string& Name, int Width = 40) const {
        QImage img(Width, 30, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(Q(Fake.Dir + "/" + Name + ".jpg"), "JPG");
    }
    // A pool of the questions, a table of PerGroup per group, the two texts.
    void WriteAll(const std::vector<Que>& Qs, int PerGroup = 1) const {
        Write("Tech_Pool.txt", PoolText(Qs));
        Write("SecCntTbl.txt", TableText(PerGroup));
        Write("Vellkor-Help.txt", "Help first line\nHelp, second line\n");
        Write("Disclaimer.txt", "Disclaimer line\n");
    }
    void Start() {
        Mod.Handle([this] { Mod.Main(); });
    }
    frmShowQue& Win() { return *Mod.frmShowQue; }
    QString Shown() { return Win().txtQueNr->text().trimmed(); }
    // The messages shown since the last call, "Title: Text" each.
    std::string Said() {
        std::string s;
        for (const auto& m : Fake.Messages)
            s += m.Title + ": " + m.Text + "\n";
        Fake.Messages.clear();
        return s;
    }

    QTemporaryDir Tmp;
    FakePlatform Fake;
    modKorvell Mod{Fake};
};

// The program started on its own files, the main window active.
struct Session : Program {
    explicit Session(int PerGroup) : Session(Questions(PerGroup), PerGroup) {}
    explicit Session(const std::vector<Que>& Qs, int PerGroup = 1) {
        WriteAll(Qs, PerGroup);
        Start();
        QApplication::setActiveWindow(&Win());
    }
};

inline void Click(QAbstractButton* Button) {
    QTest::mouseClick(Button, Qt::LeftButton);
}
inline void ClickRow(QListWidget* List, int Row) {
    List->scrollToItem(List->item(Row));
    QTest::mouseClick(List->viewport(), Qt::LeftButton, {},
                      List->visualItemRect(List->item(Row)).center());
}
// Clicks the right letter (kept in the hidden answer box) or a wrong one.
inline void Answer(frmShowQue& W, bool Right) {
    const QString right = W.txtAnswer->text();
    Click(W.findChild<QPushButton*>("cmd" + (Right ? right : right == "A" ? "B" : "A")));
}
// Begins a test and answers Count questions (the first Right right), each followed by Next.
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

} // namespace korvell::testing
