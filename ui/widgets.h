// Building blocks shared by the windows: named controls with their captions
// and accessible names, color marks, and handler wiring.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QColor>
#include <QHash>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>

#include <functional>
#include <string>

namespace korvell {

// A one-line read-only display field.
QLineEdit* MakeField(QWidget* Parent, const char* Name, const QString& Text,
                     const QString& AccessibleName);
// A read-only display field for a text of several lines, wrapped at words.
QPlainTextEdit* MakeTextArea(QWidget* Parent, const char* Name, const QString& Text,
                             const QString& AccessibleName);
// A command button. Caption marks its access key with "&" ("Show &Answer":
// Alt+A); the button's text and accessible name are the caption without the
// mark. Enter and Space press the button while it has the focus.
QPushButton* MakeButton(QWidget* Parent, const char* Name, const QString& Caption);

// A push button whose text stays the words it shows, while its access key is
// kept apart as its shortcut and drawn underlined in the caption.
class KeyButton : public QPushButton {
    Q_OBJECT
public:
    KeyButton(const QString& MarkedCaption, QWidget* Parent);
    // The caption with its access key marked, as drawn.
    const QString& MarkedCaption() const { return Marked; }

protected:
    void initStyleOption(QStyleOptionButton* Option) const override;

private:
    QString Marked;
};

// A check box whose text stays the words it shows; its access key is kept
// apart as its shortcut and drawn underlined, as with KeyButton.
class KeyCheckBox : public QCheckBox {
    Q_OBJECT
public:
    KeyCheckBox(const QString& MarkedCaption, QWidget* Parent);

protected:
    void initStyleOption(QStyleOptionButton* Option) const override;

private:
    QString Marked;
};

// A menu bar whose menu titles stay the words they show; a title's access key
// is drawn underlined and Alt with that key opens the menu.
class KeyMenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit KeyMenuBar(QWidget* Parent);
    QMenu* AddMenu(const QString& MarkedTitle);

protected:
    void initStyleOption(QStyleOptionMenuItem* Option, const QAction* Action) const override;

private:
    QHash<const QAction*, QString> Marked;
};

// The caption without its access key mark.
QString PlainCaption(const QString& MarkedCaption);

// Runs Action when Key is pressed while Window's window is the active one,
// unless the widget with the focus takes the key for itself (text being typed
// into an editable box).
void OnKey(QWidget* Window, const QKeySequence& Key, std::function<void()> Action);
// A label, made the caption of Buddy (if any), which then takes the label's
// caption as its accessible name. The label itself is named by its current caption.
QLabel* MakeLabel(QWidget* Parent, const char* Name, const QString& Caption,
                  QWidget* Buddy = nullptr);
QListWidget* MakeList(QWidget* Parent, const char* Name, const QString& AccessibleName);

// Black or white, whichever reads better on Background (WCAG contrast ratio).
QColor TextColorFor(const QColor& Background);
// Background of a display field, with the text color that reads best on it;
// ResetColours returns both to the desktop's window colors.
void SetBackColor(QWidget* Box, const QColor& Color);
void ResetColours(QWidget* Box);
QColor BackColor(const QWidget* Box);
void SetBold(QWidget* Box, bool Bold);

// Text sizes: a window's texts are drawn at their designed point sizes times a
// percentage. Each widget keeps its designed size once it has been scaled.
// Gives every text of Window, the window's own font included, its designed
// size times Pct percent, where it was From percent; a window with a size of
// its own is resized by the same ratio, within its screen (FitToScreen).
void ScaleText(QWidget* Window, int From, int Pct);
// Sets Box's font to Font at Points as designed, drawn at Pct percent.
void SetPoints(QWidget* Box, QFont Font, qreal Points, int Pct);
// Keeps Window within the available area of its screen: a window that has a
// size of its own (set or shown) is held inside it, and a window whose
// minimum size cannot fit gets its contents in a scroll area.
void FitToScreen(QWidget* Window);
// The smallest size Widget's layout allows, measured afresh: a layout keeps
// its measures until it is next laid out.
QSize LeastSize(QWidget* Widget);
// The part of Window's screen a window may take, frame excluded, in whole
// pixels of the screen's own however the desktop's scale rounds them.
QRect ScreenRoom(const QWidget* Window);
// The height Box needs to show its whole text, wrapped to Width pixels of the
// box, in Font.
int WholeTextHeight(const QPlainTextEdit* Box, const QFont& Font, int Width);
// The height of Box with room for Lines whole lines of its type.
int LinesHeight(const QPlainTextEdit* Box, int Lines);

// A text as a display box or list row shows it: at most MaxShownChars
// characters, cut at a character and marked with "…". Laying out a text
// takes far longer than its length grows (a line of a megabyte holds the
// window for minutes), and a data file may hold such a line.
constexpr int MaxShownChars = 5000;
QString ShownText(const std::string& Text);

// A title in the release's capitals as a sentence ("COMMISSION'S RULES" ->
// "Commission's rules"); a title with small letters stays as written.
QString SentenceCase(const QString& Title);

// Connects a button's click to a handler of its window; the handler runs
// through the module's Handle so that an ending point stops it.
template <class Window>
void OnClick(Window* W, QAbstractButton* Button, void (Window::*Handler)()) {
    QObject::connect(Button, &QAbstractButton::clicked, W,
                     [W, Handler] { W->Mod.Handle([W, Handler] { (W->*Handler)(); }); });
}

inline const QColor Yellow{255, 255, 0};
inline const QColor Red{255, 0, 0};
inline const QColor Green{0, 255, 0};

} // namespace korvell
