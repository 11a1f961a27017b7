// The study model in the windows: each answer goes into it, the Study menu
// lists what is due and what was never answered, and the window "Progress"
// shows its figures.
#include "record/record.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/study/frmprogress.h"

#include <QMenu>

namespace korvell {

void modKorvell::NoteTest() {
    RunTests.push_back({Sys.NowMs(), NrRight, NrSecGroups});
    if (frmProgress.Loaded() && frmProgress->isVisible()) frmProgress->Fill();
}

void modKorvell::ReplayMemory() {
    Memory.Replay(Pool().size(), History);
    Modelled = History.size();
}

Progress modKorvell::ProgressNow() {
    // The answers kept since the model last looked go into it.
    if (Memory.Ques().size() != Pool().size() || Modelled > History.size()) ReplayMemory();
    for (; Modelled < History.size(); ++Modelled)
        Memory.Add(History[Modelled]);
    const auto groups = ExamGroups();
    return ProgressAt(Memory, Pool(), groups, std::span(SecCnt).first(groups.size()), Sys.NowMs());
}

std::vector<TestDone> modKorvell::TestsDone() const {
    if (!Record) return RunTests;
    std::vector<TestDone> done;
    try {
        for (const RecordTest& t : Record->Tests())
            done.push_back({t.TimeMs, t.Score, static_cast<int>(t.QueNrs.size())});
    } catch (const RecordError&) {
        return RunTests; // the window shows what it can; the next write says what is wrong
    }
    return done;
}

void modKorvell::ShowStudyCounts() {
    if (!frmShowQue.Loaded()) return;
    const Progress p = ProgressNow();
    auto& w = *frmShowQue;
    const auto show = [](QAction* Item, const QString& Caption, std::size_t N) {
        Item->setText(N == 0 ? Caption : QString("%1 (%2)").arg(Caption).arg(N));
        Item->setEnabled(N > 0);
    };
    show(w.pgmDue, "&Review Due", p.Due.size());
    show(w.pgmNever, "&Never Answered", p.Never.size());
    if (frmProgress.Loaded() && frmProgress->isVisible()) frmProgress->Fill();
}

void modKorvell::StartDueStudy() {
    const Progress p = ProgressNow();
    if (!p.Due.empty()) StartStudyList(p.Due, "Review Due");
}

void modKorvell::StartNeverStudy() {
    const Progress p = ProgressNow();
    if (!p.Never.empty()) StartStudyList(p.Never, "Never Answered");
}

void frmShowQue::pgmDue_Click() {
    Mod.StartDueStudy();
}

void frmShowQue::pgmNever_Click() {
    Mod.StartNeverStudy();
}

void frmShowQue::pgmProgress_Click() {
    auto& f = *Mod.frmProgress;
    f.Fill();
    f.show();
    f.raise();
    f.activateWindow();
}

} // namespace korvell
