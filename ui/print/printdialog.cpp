// The print dialog, in a library of its own that the program loads the first
// time it prints: the printing library then costs the start-up nothing.
#include "ui/print/printdialog.h"

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT int korvell_print_dialog(QWidget* Parent, const QString& DocName,
                                                  const QString& Title,
                                                  const korvell::PrintOn& Print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(DocName);
    QPrintDialog dialog(&printer, Parent);
    dialog.setObjectName("dlgPrint");
    dialog.setWindowTitle(Title);
    if (dialog.exec() != QDialog::Accepted) return 0;
    return Print(printer) ? 1 : -1;
}
