// Whole-pool browsing.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void modKorvell::StartPoolStudy() {
    auto& w = *frmShowQue;
    OpMode = 0;
    Review.Active = false;
    ShowScorePanel(OpMode != 0);
    w.lblMode->setText("Pick Any Technician Question from Pool");
    w.lstTestQue->clear();
    QStringList rows; // added at once: one insertion instead of one per row
    rows.reserve(Npool);
    for (int n = 0; n < Npool; ++n) {
        SecGroups[n] = QuePool[n].QueNr;
        ListQueIds[n] = QuePool[n].QueNr;
        ListQueIdx[n] = static_cast<int16_t>(n);
        rows.append(Q(QuePool[n].QueNr));
    }
    w.lstTestQue->addItems(rows);
    w.txtQueNr->setText(Q(ListQueIds[0]));
    w.cmdShowAns->setEnabled(true);
    w.cmdPrevious->setEnabled(true);
    w.cmdNext->setEnabled(true);
    AnsState = 0;
    ListPos = 0;
    QueIdx = ListQueIdx[0];
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblAnswer, w.txtAnswer, w.lblChapter,
                                                      w.lblPage, w.cboCh, w.cboPage})
        c->hide();
    ShowQuestion();
}

void frmShowQue::cmdAll_Click() {
    Mod.StartPoolStudy();
}

} // namespace korvell
