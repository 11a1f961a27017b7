// The main window's sizes: pixel sizes that follow the text size, and the
// question's boxes as high as their texts, within the screen where they can be.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QBoxLayout>
#include <QFontMetrics>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace korvell {

void frmShowQue::SizeToText() {
    const qreal k = Mod.TextPct / 100.0;
    const auto px = [k](int Pixels) { return qRound(Pixels * k); };
    for (QPushButton* b : {cmdA, cmdB, cmdC, cmdD})
        b->setFixedWidth(px(56));
    txtQueNr->setMaximumWidth(px(120));
    txtPage->setMaximumWidth(px(90));
    txtAnswer->setMaximumWidth(px(60));
    txtRightWrong->setMaximumWidth(px(110));
    for (QLineEdit* box : {txtQueAns, txtNrRight, txtPercent, txtNpool})
        box->setMaximumWidth(px(90));
    FitTexts();
}

namespace {

// How much of its room the window gives up to keep the question whole on the
// screen, one step after the other: the designed layout; the question list
// narrowed to its identifiers; the empty space below short texts; the
// explanation's reserved lines. Where none of it fits, the window's contents
// scroll as one page.
struct Room {
    bool NarrowList;
    bool Spare;       // the boxes keep their designed lines and the letter buttons their height
    int ExplainLines; // 0: the designed five to seven, stretching
};
constexpr Room Steps[] = {{false, true, 0}, {true, true, 0},  {true, false, 5},
                          {true, false, 4}, {true, false, 3}, {true, false, 2}};
constexpr Room Page{true, false, 5};

} // namespace

void frmShowQue::FitTexts() {
    if (!Body || !Body->layout()) return;
    if (Fitting) {
        FitAgain = true;
        return;
    }
    const QScopedValueRollback fitting(Fitting, true);
    const qreal k = Mod.TextPct / 100.0;
    const auto px = [k](int Pixels) { return qRound(Pixels * k); };
    // Heights in lines of the type each box shows, as designed: with the
    // explanation shown, the window fits the work area of a 1366 x 768 laptop
    // screen.
    const auto linesOf = [k](QFont F, int Points, int Lines) {
        F.setPointSizeF(Points * k);
        return Lines * QFontMetrics(F).lineSpacing() + 12; // margins and frame
    };
    // The list narrowed: as wide as its widest identifier, with its frame,
    // margins and scroll bar, or as its caption and buttons, one over the
    // other, take.
    int narrow = 0;
    const auto narrowList = [&] {
        if (narrow) return narrow;
        for (int i = 0; i < lstTestQue->count(); ++i)
            narrow = std::max(narrow, lstTestQue->fontMetrics().horizontalAdvance(
                                          lstTestQue->item(i)->text().section(' ', 0, 0)));
        narrow += 2 * lstTestQue->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                  2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 4;
        for (QWidget* c : std::initializer_list<QWidget*>{lblQueNrs, cmdPrevious, cmdNext})
            narrow = std::max(narrow, c->sizeHint().width());
        return narrow;
    };
    const auto lay = [&](const Room& R) {
        lstTestQue->setMinimumWidth(R.NarrowList ? 0 : px(170));
        lstTestQue->setMaximumWidth(R.NarrowList ? narrowList() : QWIDGETSIZE_MAX);
        NavRow->setDirection(R.NarrowList ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
        for (QPushButton* b : {cmdA, cmdB, cmdC, cmdD})
            b->setMinimumHeight(R.Spare ? px(56) : 0);
        if (R.ExplainLines) {
            txtExplain->setFixedHeight(LinesHeight(txtExplain, R.ExplainLines));
        } else {
            txtExplain->setMinimumHeight(linesOf(txtExplain->font(), 12, 5));
            txtExplain->setMaximumHeight(linesOf(txtExplain->font(), 12, 7));
        }
        // The widths the boxes get, and the heights their texts take there;
        // a choice takes the room its text needs in bold too, as an answer
        // marks it.
        Body->layout()->invalidate();
        Body->layout()->activate();
        txtQuestion->setMinimumHeight(
            std::max(R.Spare ? linesOf(txtQuestion->font(), 18, 3) : 0,
                     WholeTextHeight(txtQuestion, txtQuestion->font(), txtQuestion->width())));
        for (QPlainTextEdit* box : {txtA, txtB, txtC, txtD}) {
            QFont bold = box->font();
            bold.setBold(true);
            box->setMinimumHeight(std::max({R.Spare ? linesOf(box->font(), 18, 2) : 0,
                                            WholeTextHeight(box, box->font(), box->width()),
                                            WholeTextHeight(box, bold, box->width())}));
        }
        // The menu bar and the window's own margins are not the body's.
        return LeastSize(Body).height() + menuBar()->sizeHint().height() + 16 <=
               ScreenRoom(this).height();
    };
    for (int round = 0; round < 3; ++round) {
        FitAgain = false;
        if (layout()) layout()->activate(); // the body at the window's width
        const QSize was = size();
        const bool fits = std::any_of(std::begin(Steps), std::end(Steps), lay);
        if (!fits) lay(Page);
        Body->layout()->activate();         // the boxes take their heights now, not squeezed
        if (layout()) layout()->activate(); // and a taller window grows
        // A window that grew is held within the screen, and contents that
        // cannot fit it scroll.
        if (testAttribute(Qt::WA_WState_Polished) && (!fits || size() != was)) FitToScreen(this);
        if (!FitAgain) break;
    }
    // A page that scrolls shows the question from its number down, and the
    // control with the focus where it can without scrolling that away
    // (Tab keeps the focus in view as it moves), once the area has taken the
    // new heights.
    if (auto* page = findChild<QScrollArea*>("Scroll", Qt::FindDirectChildrenOnly))
        QMetaObject::invokeMethod(
            page,
            [this, page] {
                QScrollBar* down = page->verticalScrollBar();
                QScrollBar* across = page->horizontalScrollBar();
                down->setValue(0);
                across->setValue(0);
                if (QWidget* focus = focusWidget(); focus && page->isAncestorOf(focus))
                    page->ensureWidgetVisible(focus, 8, 8);
                const QPoint question = lblQuestion->mapTo(page->widget(), QPoint());
                down->setValue(std::min(down->value(), question.y()));
                across->setValue(std::min(across->value(), question.x()));
            },
            Qt::QueuedConnection);
}

} // namespace korvell
