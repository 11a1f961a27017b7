// Telling a screen reader what changed on the window it cannot see.
#include "ui/main/frmshowque.h"
#include "ui/main/reader.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <utility>

namespace korvell {

namespace {

// The control that has the focus in Window, or that will take it when the
// window is first shown: the first one the Tab key reaches.
QWidget* FocusIn(QWidget* Window) {
    if (QWidget* w = Window->focusWidget()) return w;
    for (QWidget* w = Window->nextInFocusChain(); w && w != Window; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(Window)) return w;
    return Window;
}

// Sets the description of Control, or of its row Row (a row of a list), and
// lets assistive technology know. An empty text gives a control its tooltip
// back as its description.
void Describe(QWidget* Control, int Row, const QString& Text) {
    auto* list = qobject_cast<QListWidget*>(Control);
    QListWidgetItem* item = list && Row >= 0 ? list->item(Row) : nullptr;
    if (!item) return Control->setAccessibleDescription(Text); // which tells of the change
    item->setData(Qt::AccessibleDescriptionRole, Text);
    QAccessibleEvent changed(Control, QAccessible::DescriptionChanged);
    changed.setChild(Row);
    QAccessible::updateAccessibility(&changed);
}

// A notice no one sees: reported shown, its text is read out by a screen
// reader where the focus stays put and there is no focus report to read it at.
class Notice : public QAccessibleWidget {
public:
    explicit Notice(QWidget* W) : QAccessibleWidget(W, QAccessible::Notification) {}
};

QAccessibleInterface* NoticeFactory(const QString&, QObject* Object) {
    return Object && Object->isWidgetType() && Object->objectName() == "ntcNews"
               ? new Notice(static_cast<QWidget*>(Object))
               : nullptr;
}

void SayWithoutFocusMove(QWidget* Window, const QString& Text) {
    QAccessible::installFactory(NoticeFactory);
    auto* notice = Window->findChild<QWidget*>("ntcNews", Qt::FindDirectChildrenOnly);
    if (!notice) {
        notice = new QWidget(Window);
        notice->setObjectName("ntcNews");
        notice->hide();
    }
    notice->setAccessibleName(Text);
    QAccessibleEvent shown(notice, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace

void modKorvell::NoteFocus() {
    FocusBefore = QApplication::focusWidget();
}

void modKorvell::TellNews() {
    if (News.empty()) return;
    if (Reader.Loaded()) Reader->Told(News);
    const QString news = ShownText(News);
    QWidget* window = NewsWindow ? NewsWindow : frmShowQue.get();
    News.clear();
    NewsWindow = nullptr;
    if (Told) Describe(Told, ToldRow, {});
    // The focus in the question list is on its current row, which is what a
    // screen reader reads.
    QWidget* target = FocusIn(window);
    auto* list = qobject_cast<QListWidget*>(target);
    Told = target;
    ToldRow = list ? list->currentRow() : -1;
    Describe(target, ToldRow, news);
    // A list whose current row the program moves reports that row as focused
    // although the focus is elsewhere; the control that has the focus then
    // says so again, so that a screen reader reads it, and its news, last.
    const int row = frmShowQue->lstTestQue->currentRow();
    const bool rowMoved = std::exchange(RowTold, row) != row;
    if (rowMoved && target == QApplication::focusWidget() && !list) {
        QAccessibleEvent focused(target, QAccessible::Focus);
        QAccessible::updateAccessibility(&focused);
    }
    // Where the focus has not moved, nothing makes a screen reader read the
    // control again: the news is said by itself.
    else if (target == FocusBefore && target == QApplication::focusWidget() && !list)
        SayWithoutFocusMove(window, news);
}

} // namespace korvell
