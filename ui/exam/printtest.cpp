// A practice test on paper from the File menu: drawn afresh, printed through
// the system's print dialog (which also offers a PDF file). The test on
// screen, if any, stays as it is.
#include "core/practice.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/print/papertest.h"
#include "ui/print/printdialog.h"

#include <QCoreApplication>
#include <QLibrary>

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
    // The dialog's library lies beside the program; it stays loaded once loaded.
    QLibrary library(QCoreApplication::applicationDirPath() + "/" + PrintDialogLibrary);
    const auto dialog = reinterpret_cast<PrintDialogFn>(library.resolve("korvell_print_dialog"));
    if (!dialog ||
        dialog(&*frmShowQue, QString("Technician Practice Test %1").arg(sheet.Number), Q(title),
               [&](QPagedPaintDevice& Printer) { return PrintPaperSheet(sheet, Printer); }) < 0)
        Sys.MsgBox("The practice test could not be printed.", title);
}

} // namespace korvell
