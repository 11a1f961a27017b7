// Moving through the current question list.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void frmShowQue::cmdNext_Click() {}
void frmShowQue::cmdPrevious_Click() {}

} // namespace korvell
