// Start-up: every data file is read in order before the main window opens.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void modKorvell::Main() {
    LoadHelpText();
    LoadDisclaimerText();
    LoadPool();
    InitSections();
    CheckSecCnt();
    ReadSyllabus();
    FillStudyMenu();
    frmShowQue->show();
    StartPoolStudy();
}

} // namespace korvell
