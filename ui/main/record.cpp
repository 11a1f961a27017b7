// The study record: the File menu's items, and what goes into the record.
#include "record/record.h"
#include "core/explain.h"
#include "core/logic.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

#include <QDir>
#include <QFileDialog>
#include <filesystem>

namespace korvell {

namespace {

// What is wrong with File, and that the program goes on without a record.
void SayRefused(Platform& Sys, const std::string& File, std::string Why) {
    if (!Why.empty()) Why[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(Why[0])));
    Sys.MsgBox(File + "\n" + Why + ".\nKorvell goes on without a study record.", "Study Record");
}

} // namespace

void modKorvell::OpenRecord(const std::string& File) {
    CloseRecord();
    try {
        std::unique_ptr<StudyRecord> r = StudyRecord::Open(File, StudyRecord::Use::Window);
        // A record just made takes the marks of the run.
        if (r->Made())
            for (int16_t k = 0; k < Npool && k <= MaxQue; ++k)
                if (Marked[k]) r->SetMark(Trim(QuePool[k].QueNr), QueFingerprint(QuePool[k]), true);
        std::vector<AnswerEvent> history = r->History(Pool());
        const std::vector<int16_t> marks = r->Marks(Pool());
        History = std::move(history);
        Marked.fill(false);
        for (const int16_t k : marks)
            Marked[k] = true;
        Record = std::move(r);
    } catch (const RecordError& e) {
        SayRefused(Sys, File, e.what());
    }
    ShowRecordName();
    ShowMark();
    ShowMarkCount();
    ReplayMemory();
    ShowStudyCounts();
}

void modKorvell::CloseRecord() {
    Record.reset();
    ShowRecordName();
    ShowStudyCounts();
}

void modKorvell::ShowRecordName() {
    auto& w = *frmShowQue;
    const QString title = "Technician Examination Questions";
    w.setWindowTitle(
        Record ? QString::fromStdString(std::filesystem::path(Record->File()).filename().string()) +
                     " \u2013 " + title
               : title);
    w.pgmCloseRecord->setEnabled(Record != nullptr);
}

void modKorvell::KeepAnswer(bool Right) {
    const std::int64_t now = Sys.NowMs();
    History.push_back({QueIdx, now, Right});
    if (!Record) return;
    const QueRec& q = QuePool[QueIdx];
    try {
        Record->AddAnswer({Trim(q.QueNr), QueFingerprint(q), now, OpMode != 0 ? "test" : "study",
                           Trim(AnsPicked), Right});
    } catch (const RecordError& e) {
        const std::string file = Record->File();
        CloseRecord();
        SayRefused(Sys, file, e.what());
    }
}

void modKorvell::KeepTest() {
    if (std::exchange(TestKept, true) || !Record) return;
    RecordTest t{Sys.NowMs(), {}, {}, NrRight};
    for (int i = 0; i < NrSecGroups && i <= MaxSecTbl; ++i) {
        const int16_t k = ListQueIdx[i];
        t.QueNrs.push_back(ListQueIds[i]);
        t.Picks.push_back(Review.Rights[i] && k >= 0 && k <= MaxQue ? Trim(QuePool[k].Answer)
                                                                    : Review.Picks[i]);
    }
    try {
        Record->AddTest(t);
    } catch (const RecordError& e) {
        const std::string file = Record->File();
        CloseRecord();
        SayRefused(Sys, file, e.what());
    }
}

void modKorvell::KeepMark(int16_t Idx) {
    if (!Record) return;
    try {
        Record->SetMark(Trim(QuePool[Idx].QueNr), QueFingerprint(QuePool[Idx]), Marked[Idx]);
    } catch (const RecordError& e) {
        const std::string file = Record->File();
        CloseRecord();
        SayRefused(Sys, file, e.what());
    }
}

void frmShowQue::pgmNewRecord_Click() {
    if (const std::string file = Mod.AskRecordFile(true); !file.empty()) Mod.OpenRecord(file);
}

void frmShowQue::pgmOpenRecord_Click() {
    if (const std::string file = Mod.AskRecordFile(false); !file.empty()) Mod.OpenRecord(file);
}

void frmShowQue::pgmCloseRecord_Click() {
    Mod.CloseRecord();
}

// The file dialogs. Choosing an existing record for a new one opens it:
// nothing the student kept is replaced.
std::string AskRecordFileByDialog(QWidget* Parent, bool New) {
    QFileDialog dialog(Parent, New ? "New Study Record" : "Open Study Record", QDir::homePath(),
                       "Study records (*.korvell)");
    dialog.setAcceptMode(New ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(New ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix("korvell");
    if (New) dialog.selectFile("Study Record.korvell");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

} // namespace korvell
