// The exam groups, the section count table and the chapter list.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void modKorvell::InitSections() {
    NrSecGroups = 0;
    frmShowQue->lstTestQue->clear();

    // The chapter rows are rebuilt; what the user typed or picked stays.
    QComboBox* cboCh = frmShowQue->cboCh;
    const QString chapter = cboCh->currentText();
    cboCh->clear();
    for (int ch = 2; ch <= 9; ++ch)
        cboCh->addItem(QString::number(ch));
    cboCh->setEditText(chapter);

    ReadSecCntTbl();

    BuildSecGroups();
    for (int i = 0; i < NrSecGroups; ++i)
        frmShowQue->lstTestQue->addItem(Q(SecGroups[i]));
}

void modKorvell::CheckSecCnt() {
    const int i = FirstSecCntMismatch();
    if (i < 0) return;
    const std::string found = SecCntIds[i].empty() ? "missing" : "\"" + SecCntIds[i] + "\"";
    Sys.MsgBox("The section count table \"SecCntTbl.txt\" does not match the exam groups.\n"
               "Entry " +
                   std::to_string(i + 1) + " is " + found + " where \"" + SecGroups[i] +
                   "\" is expected.\nThe program cannot start.",
               "Section Table Mismatch");
    Sys.EndProgram(1);
}

} // namespace korvell
