// Moving through the current question list.
#include "ui/exam/frmtestcomplete.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void frmShowQue::cmdNext_Click() {
    const int n = lstTestQue->count();
    if (Mod.ListPos >= n - 1) {
        if (Mod.OpMode == 0) {
            Mod.Sys.MsgBox("Can not go past last question", "Invalid Increment Request");
        } else {
            // The last test question is answered: the test is over.
            Mod.KeepMisses();
            Mod.KeepTest();
            Mod.NoteTest();
            Mod.FillTestComplete();
            Mod.frmTestComplete->show();
            Mod.frmTestComplete->raise();
            Mod.frmTestComplete->activateWindow(); // its keys work at once
        }
        return;
    }
    ++Mod.ListPos;
    lstTestQue->setCurrentRow(Mod.ListPos);
    txtQueNr->setText(Q(Mod.ListQueIds[Mod.ListPos]));
    txtAnswer->hide();
    lblAnswer->hide();
    cmdNext->setEnabled(Mod.OpMode == 0);
    Mod.ShowQuestion();
}

void frmShowQue::cmdPrevious_Click() {
    if (Mod.ListPos <= 0) {
        Mod.Sys.MsgBox("Can not go before first question", "Invalid Increment Request");
        Mod.ListPos = 0;
    } else {
        --Mod.ListPos;
    }
    lstTestQue->setCurrentRow(Mod.ListPos);
    txtQueNr->setText(Q(Mod.SecGroups[Mod.ListPos]));
    txtAnswer->hide();
    lblAnswer->hide();
    Mod.ShowQuestion();
}

} // namespace korvell
