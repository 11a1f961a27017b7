#include "ui/widgets.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionMenuItem>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>

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

QString SentenceCase(const QString& Title) {
    if (Title != Title.toUpper()) return Title;
    QString t = Title.toLower();
    if (!t.isEmpty()) t[0] = t[0].toUpper();
    return t;
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

KeyCheckBox::KeyCheckBox(const QString& MarkedCaption, QWidget* Parent)
    : QCheckBox(PlainCaption(MarkedCaption), Parent), Marked(MarkedCaption) {
    setShortcut(QKeySequence::mnemonic(Marked));
}

void KeyCheckBox::initStyleOption(QStyleOptionButton* Option) const {
    QCheckBox::initStyleOption(Option);
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

namespace {

// The dynamic property in which a widget keeps its designed point size.
constexpr char DesignedPoints[] = "DesignedPoints";
// The dynamic property in which a window keeps its size at the designed sizes.
constexpr char DesignedSize[] = "DesignedSize";

// The area in which a window's contents scroll. Tab scrolls the control it
// moves the focus to into view; a control disabled while it has the focus (a
// letter button clicked for an answer) hands the focus on without moving the
// page.
class PageArea : public QScrollArea {
protected:
    bool focusNextPrevChild(bool Next) override {
        if (const QWidget* was = focusWidget(); was && !was->isEnabled())
            return QWidget::focusNextPrevChild(Next);
        return QScrollArea::focusNextPrevChild(Next);
    }
};

// Puts the contents of Window in a scroll area that fills it, keeping the
// order in which Tab moves through the controls and the control that has the
// focus (moved, it would lose it).
void ScrollContents(QWidget* Window) {
    const QPointer<QWidget> focus = Window->focusWidget();
    QList<QWidget*> order;
    for (QWidget* w = Window->nextInFocusChain(); w != Window; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) order << w;
    auto* scroll = new PageArea;
    scroll->setObjectName("Scroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    if (auto* main = qobject_cast<QMainWindow*>(Window)) {
        scroll->setWidget(main->takeCentralWidget());
        main->setCentralWidget(scroll);
    } else {
        auto* body = new QWidget;
        body->setLayout(Window->layout()); // takes the layout and its controls
        scroll->setWidget(body);
        auto* fill = new QVBoxLayout(Window);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(scroll);
    }
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    scroll->show(); // now, so that the focus can go back into it
    if (focus) focus->setFocus();
    // The new widgets draw at the window's size, which is their designed one.
    QList<QWidget*> made = scroll->findChildren<QWidget*>();
    made << scroll;
    if (const QVariant designed = Window->property(DesignedPoints); designed.isValid())
        for (QWidget* w : made)
            if (!w->property(DesignedPoints).isValid()) w->setProperty(DesignedPoints, designed);
}

// Drops the measures Layout and the layouts within it keep.
void Invalidate(QLayout* Layout) {
    Layout->invalidate();
    for (int i = 0; i < Layout->count(); ++i) {
        QLayoutItem* item = Layout->itemAt(i);
        QLayout* inner = item->widget() ? item->widget()->layout() : item->layout();
        if (inner) Invalidate(inner);
    }
}

} // namespace

QSize LeastSize(QWidget* Widget) {
    if (QLayout* layout = Widget->layout()) {
        Invalidate(layout);
        return layout->totalMinimumSize();
    }
    return Widget->minimumSizeHint();
}

void ScaleText(QWidget* Window, int From, int Pct) {
    QList<QWidget*> all = Window->findChildren<QWidget*>();
    all << Window; // last: a window's own font reaches what it has not sized yet
    // Every designed size is noted before any font changes, since a change
    // reaches the widgets that inherit their size.
    for (QWidget* w : all)
        if (!w->property(DesignedPoints).isValid() && w->font().pointSizeF() > 0)
            w->setProperty(DesignedPoints, w->font().pointSizeF());
    for (QWidget* w : all) {
        const QVariant designed = w->property(DesignedPoints);
        if (!designed.isValid()) continue;
        const qreal points = designed.toReal() * Pct / 100;
        if (w->font().pointSizeF() == points) continue;
        QFont f = w->font();
        f.setPointSizeF(points);
        w->setFont(f);
    }
    // A window with a size of its own grows and shrinks with its text. Its
    // size at the designed text size is kept while the screen holds it
    // smaller, unless the user has resized it since.
    if (From != Pct && (Window->isVisible() || Window->testAttribute(Qt::WA_Resized))) {
        QSizeF base = QSizeF(Window->size()) * 100 / From;
        if (const QSizeF kept = Window->property(DesignedSize).toSizeF();
            kept.isValid() &&
            (kept * From / 100).toSize().boundedTo(ScreenRoom(Window).size()) == Window->size())
            base = kept;
        Window->setProperty(DesignedSize, base);
        Window->resize((base * Pct / 100).toSize());
    }
    FitToScreen(Window);
}

void SetPoints(QWidget* Box, QFont Font, qreal Points, int Pct) {
    Box->setProperty(DesignedPoints, Points);
    Font.setPointSizeF(Points * Pct / 100);
    Box->setFont(Font);
}

QRect ScreenRoom(const QWidget* Window) {
    const QScreen* screen = Window->screen() ? Window->screen() : QGuiApplication::primaryScreen();
    QRect room = screen->availableGeometry();
    // At a fractional scale the desktop rounds the screen's size to whole
    // pixels of the windows' own, and a window's size back: a window as large
    // as the rounded screen may be a pixel larger than it (911 x 1.5 = 1367
    // on a screen 1366 wide). The room is what stays within the screen
    // however it was rounded.
    const qreal scale = screen->devicePixelRatio();
    const auto within = [scale](int Size) {
        const int least = qCeil((Size - 0.5) * scale); // the fewest screen pixels Size stands for
        while (Size > 0 && qRound(Size * scale) > least)
            --Size;
        return Size;
    };
    room.setSize(QSize(within(room.width()), within(room.height())));
    // The frame as drawn once the window is shown; before that, a title bar.
    const QRect inner = Window->geometry(), outer = Window->frameGeometry();
    const QMargins frame =
        Window->isVisible() && inner != outer
            ? QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                       outer.right() - inner.right(), outer.bottom() - inner.bottom())
            : QMargins(0, Window->style()->pixelMetric(QStyle::PM_TitleBarHeight), 0, 0);
    return room.marginsRemoved(frame);
}

namespace {

// What a text box takes besides its lines: its frame, the document's margins
// above and below, and the pixel it keeps below the last line.
int BoxChrome(const QPlainTextEdit* Box) {
    return 2 * Box->frameWidth() + qCeil(2 * Box->document()->documentMargin()) + 1;
}

// Lays Text out as a text box does, in lines of Width pixels, and gives back
// their height.
qreal LinesOf(const QString& Text, const QFont& Font, const QTextOption& Option, qreal Width) {
    QTextLayout layout(Text, Font);
    layout.setTextOption(Option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(Width);
        height += line.height() + std::min<qreal>(0, std::ceil(line.leading()));
    }
    layout.endLayout();
    return height;
}

} // namespace

int WholeTextHeight(const QPlainTextEdit* Box, const QFont& Font, int Width) {
    const QTextDocument* doc = Box->document();
    const qreal width = Width - 2 * Box->frameWidth() - 2 * doc->documentMargin();
    qreal height = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        height += LinesOf(b.text(), Font, doc->defaultTextOption(), width);
    return qCeil(height) + BoxChrome(Box);
}

int LinesHeight(const QPlainTextEdit* Box, int Lines) {
    return qCeil(Lines * LinesOf("X", Box->font(), {}, 1e6)) + BoxChrome(Box);
}

void FitToScreen(QWidget* Window) {
    const QRect room = ScreenRoom(Window);
    if (Window->layout() &&
        !Window->findChild<QScrollArea*>("Scroll", Qt::FindDirectChildrenOnly)) {
        const QSize least = LeastSize(Window);
        if (least.width() > room.width() || least.height() > room.height()) {
            ScrollContents(Window);
            Window->layout()->activate(); // the window's minimum size becomes the area's
            // As large as the contents want, within the room.
            if (!Window->isVisible() && !Window->testAttribute(Qt::WA_Resized))
                Window->resize(least.boundedTo(room.size()));
        }
    }
    // What scrolls is laid out afresh, a new text size or text having changed
    // its measures, and the area sizes it now rather than a pass of the event
    // loop later, so that it is never drawn squeezed.
    if (auto* scroll = Window->findChild<QScrollArea*>("Scroll", Qt::FindDirectChildrenOnly))
        if (QLayout* inner = scroll->widget()->layout()) {
            Invalidate(inner);
            inner->activate();
            QEvent request(QEvent::LayoutRequest);
            QCoreApplication::sendEvent(scroll, &request);
        }
    // A window that has not been sized or shown yet takes its size when shown.
    if (!Window->isVisible() && !Window->testAttribute(Qt::WA_Resized)) return;
    Window->resize(Window->size().boundedTo(room.size()));
    if (Window->isVisible()) {
        QRect g = Window->geometry();
        g.moveRight(std::min(g.right(), room.right()));
        g.moveBottom(std::min(g.bottom(), room.bottom()));
        g.moveLeft(std::max(g.left(), room.left()));
        g.moveTop(std::max(g.top(), room.top()));
        if (g.topLeft() != Window->geometry().topLeft())
            Window->move(Window->pos() + g.topLeft() - Window->geometry().topLeft());
    }
}

} // namespace korvell
