// The print dialog's library, loaded when the program first prints (QLibrary):
//   int korvell_print_dialog(QWidget* Parent, const QString& DocName,
//                            const QString& Title, const korvell::PrintOn& Print)
// shows the dialog; once accepted, Print draws the pages on the printer chosen.
// Returns 0 if the dialog was cancelled, 1 if printed, -1 if printing failed.
#pragma once

#include <QPagedPaintDevice>
#include <QString>
#include <functional>

class QWidget;

namespace korvell {

using PrintOn = std::function<bool(QPagedPaintDevice&)>;
using PrintDialogFn = int (*)(QWidget*, const QString&, const QString&, const PrintOn&);
// Its path from the program's directory.
inline constexpr const char* PrintDialogLibrary = "modules/korvell-printdialog";

} // namespace korvell
