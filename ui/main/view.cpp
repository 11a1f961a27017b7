// The View menu: the size of every text of the program's windows.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <algorithm>

namespace korvell {

void modKorvell::WindowMade(QWidget* Window) {
    Windows.emplace_back(Window);
    if (TextPct != 100)
        ScaleText(Window, 100, TextPct);
    else
        FitToScreen(Window);
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
