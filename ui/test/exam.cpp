// Building a simulated test, and its result window.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/test/frmtestcomplete.h"

namespace korvell {

void frmShowQue::cmdNewTest_Click() {}
void modKorvell::StartTest() {}
int16_t modKorvell::FindQuestion(const std::string&) {
    return -1;
}
void modKorvell::FillTestComplete() {}
void frmTestComplete::Form_Load() {}
void frmTestComplete::cmdTakeTest_Click() {}
void frmTestComplete::cmdPick_Click() {}
void frmTestComplete::cmdQuit_Click() {}

} // namespace korvell
