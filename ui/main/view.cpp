// The View menu: the size of every text of the program's windows.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QEvent>

#include <algorithm>

namespace korvell {

namespace {

// Fits a window to its screen when it is first polished (at the latest as it
// is shown), not when it is made: the help and disclaimer windows are made at
// start but mostly never shown, and measuring their texts, like polishing
// their widgets, costs start-up time.
class FitWhenPolished : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        // The request Qt posts for every new window would polish it in the
        // first pass of the event loop, shown or not.
        if (Event->type() == QEvent::PolishRequest) return true;
        if (Event->type() == QEvent::Polish) {
            FitToScreen(static_cast<QWidget*>(Watched));
            deleteLater();
        }
        return false;
    }
};

} // namespace

void modKorvell::WindowMade(QWidget* Window) {
    Windows.emplace_back(Window);
    if (TextPct != 100)
        ScaleText(Window, 100, TextPct);
    else if (Window->testAttribute(Qt::WA_WState_Polished))
        FitToScreen(Window);
    else
        Window->installEventFilter(new FitWhenPolished(Window));
}

void modKorvell::SetTextSize(int Pct) {
    const int was = std::exchange(TextPct, Pct);
    for (QWidget* w : Windows)
        if (w) ScaleText(w, was, Pct);
    if (frmShowQue.Loaded()) {
        frmShowQue->pgmLarger->setEnabled(Pct < TextSteps.back());
        frmShowQue->pgmSmaller->setEnabled(Pct > TextSteps.front());
    }
}

void frmShowQue::pgmLarger_Click() {
    const auto next = std::upper_bound(Mod.TextSteps.begin(), Mod.TextSteps.end(), Mod.TextPct);
    if (next != Mod.TextSteps.end()) Mod.SetTextSize(*next);
}

void frmShowQue::pgmSmaller_Click() {
    const auto at = std::lower_bound(Mod.TextSteps.begin(), Mod.TextSteps.end(), Mod.TextPct);
    if (at != Mod.TextSteps.begin()) Mod.SetTextSize(*std::prev(at));
}

void frmShowQue::pgmNormalSize_Click() {
    Mod.SetTextSize(Mod.TextSteps.front());
}

} // namespace korvell
