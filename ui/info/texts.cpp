// Reading the help and disclaimer texts, and opening their windows.
#include "ui/info/infowindows.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

namespace korvell {

namespace {

// Every field of the open file becomes one row of the list, in file order;
// the rows are added at once.
void FillList(SeqFile& File, QListWidget* List) {
    List->clear();
    QStringList rows;
    std::string field;
    while (!File.Eof() && File.InputField(field))
        rows.append(ShownText(field));
    List->addItems(rows);
    File.Close();
}

} // namespace

void modKorvell::LoadHelpText() {
    OpenHelpFile();
    FillList(File1, frmShowHelp->lstHelpText);
}

void modKorvell::LoadDisclaimerText() {
    OpenDisclaimerFile();
    FillList(File1, frmDisclaimer->lstDisclaimer);
}

void frmShowQue::pgmHelp_Click() {
    Mod.frmShowHelp->show();
}

void frmShowQue::pgmAbout_Click() {
    Mod.frmAbout->show();
}

} // namespace korvell
