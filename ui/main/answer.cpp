// Answering and scoring.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void frmShowQue::cmdA_Click() {}
void frmShowQue::cmdB_Click() {}
void frmShowQue::cmdC_Click() {}
void frmShowQue::cmdD_Click() {}
void frmShowQue::cmdShowAns_Click() {}
void modKorvell::AnswerQuestion() {}
std::string modKorvell::ShowRightWrong(const std::string&) {
    return {};
}

} // namespace korvell
