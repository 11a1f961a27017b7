// Chapter and page study lists.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void frmShowQue::cmdStudy_Click() {}
void frmShowQue::cboCh_Click() {}
void frmShowQue::cboPage_Click() {}
void modKorvell::StartChPgStudy() {}
void modKorvell::FillPageList() {}
void modKorvell::ListChPgQuestions() {}

} // namespace korvell
