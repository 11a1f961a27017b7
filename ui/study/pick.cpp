// Picking a question from the list.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void frmShowQue::lstTestQue_Click() {}

} // namespace korvell
