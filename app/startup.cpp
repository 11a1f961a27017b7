// Start-up: every data file is read in order before the main window opens.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

#include <malloc.h>

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
    if (!RecordFile.empty()) OpenRecord(RecordFile);
    // What reading the files needed for a moment goes back to the system
    // rather than staying with the program as free heap.
    malloc_trim(0);
}

} // namespace korvell
