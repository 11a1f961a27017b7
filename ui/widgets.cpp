#include "ui/widgets.h"

#include <QComboBox>
#include <QPalette>

namespace korvell {

QLineEdit* MakeField(QWidget* Parent, const char* Name, const QString& Text,
                     const QString& AccessibleName) {
    auto* box = new QLineEdit(Text, Parent);
    box->setObjectName(Name);
    box->setReadOnly(true);
    box->setAccessibleName(AccessibleName);
    return box;
}

QPlainTextEdit* MakeTextArea(QWidget* Parent, const char* Name, const QString& Text,
                             const QString& AccessibleName) {
    auto* box = new QPlainTextEdit(Text, Parent);
    box->setObjectName(Name);
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap instead
    box->setTabChangesFocus(true);
    box->setAccessibleName(AccessibleName);
    return box;
}

QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption) {
    auto* button = new QPushButton(Caption, Parent);
    button->setObjectName(Name);
    button->setAccessibleName(Caption);
    button->setAutoDefault(false);
    return button;
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

void SetBackColor(QWidget* Box, const QColor& Colour) {
    QPalette p = Box->palette();
    p.setColor(QPalette::Base, Colour);
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
