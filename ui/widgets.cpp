#include "ui/widgets.h"

#include <QComboBox>
#include <QMenu>
#include <QPalette>
#include <QShortcut>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>

#include <algorithm>
#include <cmath>

namespace korvell {

QLineEdit* MakeField(QWidget* Parent, const char* Name, const QString& Text,
                     const QString& AccessibleName) {
    // Made empty and then given its text, which is so laid out once, in the
    // type the box inherits (made with it, a box lays it out in the
    // application's type first).
    auto* box = new QLineEdit(Parent);
    box->setObjectName(Name);
    box->setReadOnly(true);
    box->setAccessibleName(AccessibleName);
    box->setText(Text);
    return box;
}

QPlainTextEdit* MakeTextArea(QWidget* Parent, const char* Name, const QString& Text,
                             const QString& AccessibleName) {
    auto* box = new QPlainTextEdit(Parent); // the text last, laid out once
    box->setObjectName(Name);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap instead
    box->setTabChangesFocus(true);
    box->setAccessibleName(AccessibleName);
    if (!Text.isEmpty()) box->setPlainText(Text);
    return box;
}

QString PlainCaption(const QString& MarkedCaption) {
    QString plain = MarkedCaption;
    if (const qsizetype mark = plain.indexOf('&'); mark >= 0) plain.remove(mark, 1);
    return plain;
}

KeyButton::KeyButton(const QString& MarkedCaption, QWidget* Parent)
    : QPushButton(PlainCaption(MarkedCaption), Parent), Marked(MarkedCaption) {
    setShortcut(QKeySequence::mnemonic(Marked));
}

void KeyButton::initStyleOption(QStyleOptionButton* Option) const {
    QPushButton::initStyleOption(Option);
    if (Option->text == text()) Option->text = Marked;
}

KeyMenuBar::KeyMenuBar(QWidget* Parent) : QMenuBar(Parent) {}

QMenu* KeyMenuBar::AddMenu(const QString& MarkedTitle) {
    QMenu* menu = addMenu(PlainCaption(MarkedTitle));
    QAction* opener = menu->menuAction();
    Marked.insert(opener, MarkedTitle);
    auto* key = new QShortcut(QKeySequence::mnemonic(MarkedTitle), this);
    connect(key, &QShortcut::activated, this, [this, opener] {
        if (opener->isEnabled() && opener->isVisible()) setActiveAction(opener);
    });
    return menu;
}

void KeyMenuBar::initStyleOption(QStyleOptionMenuItem* Option, const QAction* Action) const {
    QMenuBar::initStyleOption(Option, Action);
    if (const auto it = Marked.constFind(Action);
        it != Marked.cend() && Option->text == Action->text())
        Option->text = *it;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption) {
    auto* button = new KeyButton(Caption, Parent);
    button->setObjectName(Name);
    button->setAccessibleName(button->text());
    // Outside a dialog a push button takes Enter only when it is an auto default.
    button->setAutoDefault(true);
    if (!button->shortcut().isEmpty())
        button->setToolTip(button->shortcut().toString(QKeySequence::NativeText));
    return button;
}

void OnKey(QWidget* Window, const QKeySequence& Key, std::function<void()> Action) {
    auto* shortcut = new QShortcut(Key, Window);
    QObject::connect(shortcut, &QShortcut::activated, Window, std::move(Action));
}

QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Caption, QWidget* Buddy) {
    auto* label = new QLabel(Caption, Parent);
    label->setObjectName(Name);
    // The label's own accessible name is its caption, whatever the caption
    // becomes later; the control it captions keeps this first caption.
    if (Buddy) {
        label->setBuddy(Buddy);
        Buddy->setAccessibleName(Caption);
        // An editable combo box reports its text as its name; its edit part
        // carries the caption too.
        if (auto* combo = qobject_cast<QComboBox*>(Buddy); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(Caption);
    }
    return label;
}

QListWidget* MakeList(QWidget* Parent, const char* Name, const QString& AccessibleName) {
    auto* list = new QListWidget(Parent);
    list->setObjectName(Name);
    list->setAccessibleName(AccessibleName);
    return list;
}

namespace {

// Relative luminance of a color, as the WCAG defines it for sRGB.
double Luminance(const QColor& C) {
    const auto linear = [](double V) {
        return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(C.redF()) + 0.7152 * linear(C.greenF()) + 0.0722 * linear(C.blueF());
}

double Contrast(const QColor& A, const QColor& B) {
    const double a = Luminance(A), b = Luminance(B);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace

QColor TextColorFor(const QColor& Background) {
    const QColor black(0, 0, 0), white(255, 255, 255);
    return Contrast(black, Background) >= Contrast(white, Background) ? black : white;
}

void SetBackColor(QWidget* Box, const QColor& Color) {
    // A color of the program's own takes a text color chosen for it, so that the
    // pair stays legible whatever text color the desktop's theme would give.
    QPalette p = Box->palette();
    p.setColor(QPalette::Base, Color);
    p.setColor(QPalette::Text, TextColorFor(Color));
    Box->setPalette(p);
}

void ResetColours(QWidget* Box) {
    QPalette p = Box->palette();
    const QPalette desktop;
    p.setColor(QPalette::Base, desktop.color(QPalette::Base));
    p.setColor(QPalette::Text, desktop.color(QPalette::Text));
    Box->setPalette(p);
}

QColor BackColor(const QWidget* Box) {
    return Box->palette().color(QPalette::Base);
}

QString ShownText(const std::string& Text) {
    QString s = QString::fromStdString(Text);
    if (s.size() <= MaxShownChars) return s;
    qsizetype cut = MaxShownChars;
    if (s[cut - 1].isHighSurrogate()) --cut;
    s.truncate(cut);
    return s + QChar(0x2026);
}

void SetBold(QWidget* Box, bool Bold) {
    QFont f = Box->font();
    f.setBold(Bold);
    Box->setFont(f);
}

} // namespace korvell
