// A practice test on paper from the File menu: drawn afresh, printed through
// the system's print dialog (which also offers a PDF file). The test on
// screen, if any, stays as it is.
#include "core/practice.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/print/papertest.h"

#include <QPrintDialog>
#include <QPrinter>

namespace korvell {

void frmShowQue::pgmPrintTest_Click() {
    Mod.PrintPracticeTest();
}

void modKorvell::PrintPracticeTest() {
    const std::string title = "Print Practice Test";
    // The section table is read again, as at a test start, so that a change
    // of it takes effect; the groups and the list on screen are not touched.
    ReadSecCntTbl();
    PaperSheet sheet;
    if (const auto problem = MakePaperSheet(*this, FreshTestNumber(Sys), sheet))
        return Sys.MsgBox(
            "The practice test cannot be made.\n" + problem->File + ": " + problem->Message, title);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString("Technician Practice Test, seed %1").arg(sheet.Number));
    QPrintDialog dialog(&printer, &*frmShowQue);
    dialog.setObjectName("dlgPrint");
    dialog.setWindowTitle(Q(title));
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintPaperSheet(sheet, printer))
        Sys.MsgBox("The practice test could not be printed.", title);
}

} // namespace korvell
