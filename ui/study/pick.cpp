// Picking a question from the list.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

namespace {

// The highlighted row; the current one when none is highlighted (a click
// with the control key takes the highlight off the row it picks).
int SelectedRow(const QListWidget* List) {
    const QList<QListWidgetItem*> selected = List->selectedItems();
    return selected.isEmpty() ? List->currentRow() : List->row(selected.first());
}

} // namespace

void frmShowQue::lstTestQue_Click() {
    const int row = SelectedRow(lstTestQue);
    if (row < 0 || row >= lstTestQue->count()) return;

    if (Mod.OpMode != 0) {
        // A test is taken in order: only the row on display may be picked.
        if (row == Mod.ListPos) return;
        // A pick moves the current row with the highlight. A highlight that
        // lands beside a current row already put back is the list finishing
        // a move that was refused a moment ago; it is put back silently.
        if (lstTestQue->currentRow() != Mod.ListPos)
            Mod.Sys.MsgBox("Random selection of questions\n"
                           "is not allowed \n"
                           "in test simulator mode",
                           "Invalid Request");
        lstTestQue->setCurrentRow(Mod.ListPos);
        return;
    }

    // Keyboard browsing through the list goes on after the question is shown.
    const bool listHadFocus = lstTestQue->hasFocus();
    Mod.ListPos = static_cast<int16_t>(row);
    txtQueNr->setText(Q(Mod.SecGroups[Mod.ListPos]));
    txtAnswer->hide();
    lblAnswer->hide();
    Mod.ShowQuestion();
    if (listHadFocus) lstTestQue->setFocus();
}

} // namespace korvell
