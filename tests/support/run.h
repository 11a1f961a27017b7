// The program run on the test's own data files, and the ways a user drives it.
#pragma once

#include "support/fixtures.h"
#include "ui/exam/frmtestcomplete.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/study/frmfind.h"
#include "ui/study/frmprogress.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

inline void PrintTo(const QString& Text, std::ostream* Out) {
    *Out << '"' << Text.toStdString() << '"';
}

namespace korvell::testing {

using namespace korvell;

inline const std::vector<std::string> GroupCodes = {
    "T1A", "T1B", "T1C", "T1D", "T1E", "T1F", "T2A", "T2B", "T2C", "T3A", "T3B", "T3C",
    "T4A", "T4B", "T5A", "T5B", "T5C", "T5D", "T6A", "T6B", "T6C", "T6D", "T7A", "T7B",
    "T7C", "T7D", "T8A", "T8B", "T8C", "T8D", "T9A", "T9B", "T0A", "T0B", "T0C"};

inline std::string Id(const std::string& Group, int Nr) { // ("T1A", 5): "T1A05"
    return Group + char('0' + Nr / 10 % 10) + char('0' + Nr % 10);
}

// A question, its text "Question <Id>?", its choices "<Id> choice A" .. "D".
struct Que {
    std::string Id, Answer = "A", Fig = {}, Pg = {};
};

// PerGroup questions for each group in exam order; right letters cycle A..D.
inline std::vector<Que> Questions(int PerGroup, std::vector<Que> Qs = {}) {
    for (const auto& g : GroupCodes)
        for (int n = 1; n <= PerGroup; ++n)
            Qs.push_back({Id(g, n), std::string(1, "ABCD"[Qs.size() % 4])});
    return Qs;
}

inline std::string PoolText(const std::vector<Que>& Qs, std::string t = "Fixture question pool\n") {
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

inline QStringList Rows(const QListWidget* List, QStringList Texts = {}) {
    for (int i = 0; i < List->count(); ++i)
        Texts << List->item(i)->text();
    return Texts;
}

// Notes the windows brought to the front (raised) of the others, by the first letter of
// their name after "frmShow"/"frm".
struct RaiseWatch : QObject {
    QString Seen;
    bool eventFilter(QObject* Object, QEvent* Event) override {
        if (Event->type() == QEvent::ZOrderChange && Object->isWidgetType() &&
            static_cast<QWidget*>(Object)->isWindow())
            Seen += QString(Object->objectName()).remove("frmShow").remove("frm").left(1);
        return false;
    }
};

struct Program {
    // Writes the program's files: the questions, a table of PerGroup a group, the texts.
    explicit Program(const std::vector<Que>& Qs = Questions(1), int PerGroup = 1) {
        QApplication::instance()->installEventFilter(&Raises);
        Fake.Dir = Tmp.Path.string();
        Write("Tech_Pool.txt", PoolText(Qs));
        Write("SecCntTbl.txt", TableText(PerGroup));
        Write("Vellkor-Help.txt", "Help first line\nHelp, second line\n");
        Write("Disclaimer.txt", "Disclaimer line\n");
    }
    // Writes Text into Name in the program directory, "\n" as CR LF.
    void Write(const std::string& Name, const std::string& Text) const {
        std::string crlf;
        for (char c : Text)
            crlf += c == '\n' ? "\r\n" : std::string(1, c);
        Tmp.Write(Name, crlf);
    }
    void WriteFigure(const std::string& Name, int Width = 40) const {
        QImage img(Width, 30, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(Q(Tmp / (Name + ".jpg")), "JPG");
    }
    // Starts the program; its main window, once open, is the active one.
    void Start() {
        Mod.Handle([this] { Mod.Main(); });
        if (Mod.frmShowQue.Loaded()) QApplication::setActiveWindow(&Win());
    }
    frmShowQue& Win() { return *Mod.frmShowQue; }
    // The windows raised since last asked.
    QString Raised() { return std::exchange(Raises.Seen, ""); }

    RaiseWatch Raises;
    TempDir Tmp;
    FakePlatform Fake;
    modKorvell Mod{Fake};
};

struct Session : Program {
    explicit Session(int PerGroup) : Session(Questions(PerGroup), PerGroup) {}
    explicit Session(const std::vector<Que>& Qs, int PerGroup = 1) : Program(Qs, PerGroup) {
        Start();
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
// A key ("A", "Return", "Alt+T") pressed to an open menu or else the focus.
inline void Press(const QString& Key) {
    QApplication::processEvents();
    QWidget* to = QApplication::activePopupWidget();
    to = to ? to : QApplication::focusWidget();
    ASSERT_NE(to, nullptr) << Key.toStdString();
    const QKeyCombination k = QKeySequence(Key)[0];
    QTest::keyClick(to, k.key(), k.keyboardModifiers());
    const auto down = [] { // an access key holds its button down briefly, then clicks it
        const QWidgetList all = QApplication::allWidgets();
        return std::any_of(all.begin(), all.end(), [](QWidget* W) {
            const auto* b = qobject_cast<QAbstractButton*>(W);
            return b && b->isDown();
        });
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return !down(); }, 10000)) << Key.toStdString();
}
// Begins a test and answers each question, question q rightly if Right(q), then goes on.
inline void AnswerTest(frmShowQue& W, const std::function<bool(int)>& Right) {
    Click(W.cmdNewTest);
    for (int q = 0; q < 35; ++q) {
        const QString right = W.txtAnswer->text(); // kept in the hidden answer box
        Click(W.findChild<QPushButton*>("cmd" + (Right(q) ? right : right == "A" ? "B" : "A")));
        Click(W.cmdNext);
    }
}
// Per control '1' if it is shown (or enabled), '0' if not.
inline QString Flags(std::initializer_list<QWidget*> Ws, bool Enabled = false, QString s = "") {
    for (QWidget* c : Ws)
        s += (Enabled ? c->isEnabled() : !c->isHidden()) ? '1' : '0';
    return s;
}
// The choice boxes A..D: y yellow, r red, w the window color; upper case if bold.
inline QString Marks(frmShowQue& W, QString s = "") {
    for (QPlainTextEdit* b : {W.txtA, W.txtB, W.txtC, W.txtD}) {
        const QList<QColor> colors{QColor(255, 255, 0), QColor(255, 0, 0),
                                   QPalette().color(QPalette::Base)};
        const QChar m = QString("?yrw")[colors.indexOf(BackColor(b)) + 1];
        s += b->font().bold() ? m.toUpper() : m;
    }
    return s;
}
// The verdict box's color: r red, g green, ? any other.
inline QString Verdict(frmShowQue& W) {
    const QColor c = BackColor(W.txtRightWrong);
    return c == QColor(255, 0, 0) ? "r" : c == QColor(0, 255, 0) ? "g" : "?";
}
// What is spoken, with "Q(<id>)" for a question's number, text and four choices in order.
inline QString Abridged(QString Spoken) {
    return Spoken.replace(
        QRegularExpression("Question (T\\w+)\\. Question \\1\\? A: \\1 choice A\\. "
                           "B: \\1 choice B\\. C: \\1 choice C\\. D: \\1 choice D\\."),
        "Q(\\1)");
}
inline QString Panel(frmShowQue& W) {
    return W.txtQueAns->text() + "|" + W.txtNrRight->text() + "|" + W.txtPercent->text();
}

// The main window: mode, question, marks, verdict (r: red) and answer if shown, A B C D,
// Show Answer, Show Figure, Previous, Next enabled, scores if shown, row, focus, messages.
inline QString State(Program& Run) {
    auto& w = Run.Win();
    return w.lblMode->text().left(1) + " " + w.txtQueNr->text().trimmed() + " " + Marks(w) + " " +
           (w.txtRightWrong->isHidden() ? "-" : w.txtRightWrong->text() + Verdict(w)) + " " +
           (w.txtAnswer->isHidden() ? "-" : w.txtAnswer->text()) +
           (w.lblAnswer->isHidden() == w.txtAnswer->isHidden() ? "" : "!") + " " +
           Flags({w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdPrevious,
                  w.cmdNext},
                 true) +
           " " + (w.txtQueAns->isHidden() ? "-" : Panel(w)) + " " +
           QString::number(w.lstTestQue->currentRow()) + " " + w.focusWidget()->objectName() +
           Q(Run.Fake.Said());
}

// The windows besides the main one that are shown: Help, About, Disclaimer, Fig, Test result.
inline QString Open(Program& Run, QString s = "") {
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->isVisible() && t != &Run.Win() && t->objectName().startsWith("frm"))
            s += QString(t->objectName()).remove("frmShow").remove("frm")[0];
    std::sort(s.begin(), s.end());
    return s;
}

// A step: "row:<n>" a list row clicked, "key:<key>", "test:<n>" a test with its first n right,
// "win:<window>" made active, "focus:<control>", "type:<text>" into the chapter box (and
// "+": Enter pressed in its text part),
// "find:<words>" typed into Find (opened by Ctrl+F) and Enter pressed there,
// "toggle:<control>" toggled by its accessible action, as an assistive tool does,
// "<box>=<row>" picked, "next!"/"previous!" a disabled button's handler; else a button
// clicked, menu item triggered or frame "close"d: "[window.][cmd]<name>".
inline void Do(Program& Run, const QString& Step) {
    auto& w = Run.Win();
    const QString arg = Step.section(':', 1);
    if (Step.startsWith("row:")) return ClickRow(w.lstTestQue, arg.toInt());
    if (Step.startsWith("key:")) return Press(arg);
    if (Step.startsWith("test:")) // the first n rightly
        return AnswerTest(w, [n = arg.toInt()](int q) { return q < n; });
    QWidget* window = &w; // "win:<window>" or "<window>."
    for (QWidget* t : QApplication::topLevelWidgets())
        if (t->objectName() == (Step.startsWith("win:") ? arg : Step.section('.', 0, 0)))
            window = t;
    if (Step.startsWith("win:")) // as a desktop gives a window the keys
        return QApplication::processEvents(), QApplication::setActiveWindow(window);
    if (Step.startsWith("focus:")) { // a control of the active window
        QWidget* on = QApplication::activeWindow();
        return (on && on->findChild<QWidget*>(arg) ? on : &w)
            ->findChild<QWidget*>(arg)
            ->setFocus(Qt::TabFocusReason);
    }
    if (Step.startsWith("type:")) { // into the chapter box, over what it holds
        QTest::mouseClick(w.cboCh->lineEdit(), Qt::LeftButton);
        w.cboCh->lineEdit()->selectAll();
        QTest::keyClick(w.cboCh->lineEdit(), Qt::Key_Delete);
        QTest::keyClicks(w.cboCh->lineEdit(), QString(arg).remove('+'));
        if (arg.endsWith('+')) QTest::keyClick(w.cboCh->lineEdit(), Qt::Key_Return); // in it
        return;
    }
    if (Step.startsWith("find:")) {
        Press("Ctrl+F");
        Run.Mod.frmFind->txtFind->setText(arg);
        return QTest::keyClick(Run.Mod.frmFind->txtFind, Qt::Key_Return);
    }
    if (auto* box = w.findChild<QComboBox*>(Step.section('=', 0, 0)); Step.contains('=') && box) {
        box->setCurrentIndex(box->findText(Step.section('=', 1)));
        return box->activated(box->currentIndex()); // as a user's pick
    }
    if (Step.startsWith("toggle:"))
        return QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(arg))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::toggleAction());
    if (Step == "next!") return Run.Mod.Handle([&] { w.cmdNext_Click(); });
    if (Step == "previous!") return Run.Mod.Handle([&] { w.cmdPrevious_Click(); });
    const QString name = Step.section('.', -1);
    if (name == "close") return void(window->close());
    QObject* c = window->findChild<QObject*>(name);
    c = c ? c : window->findChild<QObject*>("cmd" + name);
    ASSERT_NE(c, nullptr) << Step.toStdString();
    if (auto* item = qobject_cast<QAction*>(c)) return item->trigger();
    Click(qobject_cast<QAbstractButton*>(c));
}

// Every control the window shows lies inside it, in its layout (so off the corner), and on
// no other control.
inline void ExpectLaidOut(QWidget* Window, const QString& When = {}) {
    QApplication::processEvents();
    std::vector<std::pair<QString, QRect>> boxes;
    for (QWidget* c : Window->findChildren<QWidget*>())
        if (c->isVisible() && c->objectName().size() > 3 &&
            QString("cmd txt lbl lst cbo img grd chk").contains(c->objectName().left(3)))
            boxes.push_back({c->objectName(), QRect(c->mapTo(Window, QPoint()), c->size())});
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(Window->rect().contains(boxes[i].second) && !boxes[i].second.topLeft().isNull())
            << (boxes[i].first + " " + When).toStdString();
        for (std::size_t j = i + 1; j < boxes.size(); ++j)
            EXPECT_FALSE(boxes[i].second.intersects(boxes[j].second))
                << (boxes[i].first + " " + boxes[j].first + " " + When).toStdString();
    }
}

// Takes each step ("a/b": several) and compares what Look sees after it.
template <std::size_t N>
void Walk(Program& Run, const char* (&Steps)[N][2], QString (*Look)(Program&) = State) {
    for (const auto& [step, seen] : Steps) {
        for (const QString& s : QString(step).split('/', Qt::SkipEmptyParts))
            Do(Run, s);
        EXPECT_EQ(Look(Run), QString(seen)) << step;
        for (QWidget* t : QApplication::topLevelWidgets()) // whatever the step shows, laid out
            if (t->isVisible() && t->objectName().startsWith("frm")) ExpectLaidOut(t, step);
    }
}

} // namespace korvell::testing
