// Study lists of part of the pool: one subelement, the questions found by
// their words, and the questions the user marked. Each is browsed as the
// whole pool is.
#include "core/studylists.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

namespace korvell {

void modKorvell::StartStudyList(std::span<const int16_t> Idx, const QString& Caption) {
    auto& w = *frmShowQue;
    OpMode = 0;
    Review.Active = false;
    ShowScorePanel(OpMode != 0);
    w.lblMode->setText(Caption);
    w.lstTestQue->clear();
    QStringList rows; // added at once: one insertion instead of one per row
    for (std::size_t n = 0; n < Idx.size() && n <= MaxQue; ++n) {
        SecGroups[n] = QuePool[Idx[n]].QueNr;
        ListQueIds[n] = QuePool[Idx[n]].QueNr;
        ListQueIdx[n] = Idx[n];
        rows.append(Q(QuePool[Idx[n]].QueNr));
    }
    w.lstTestQue->addItems(rows);
    w.txtQueNr->setText(Q(ListQueIds[0]));
    w.cmdShowAns->setEnabled(true);
    w.cmdPrevious->setEnabled(true);
    w.cmdNext->setEnabled(true);
    AnsState = 0;
    ListPos = 0;
    QueIdx = ListQueIdx[0];
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblAnswer, w.txtAnswer, w.lblChapter,
                                                      w.lblPage, w.cboCh, w.cboPage})
        c->hide();
    ShowQuestion();
}

std::span<const std::string> modKorvell::ExamGroups() const {
    return std::span(SecCntIds).first(
        static_cast<std::size_t>(std::clamp<int>(NrSecGroups, 0, MaxSecTbl + 1)));
}

std::span<const QueRec> modKorvell::Pool() const {
    return std::span(QuePool).first(
        static_cast<std::size_t>(std::clamp<int>(Npool, 0, MaxQue + 1)));
}

void modKorvell::StartSubStudy(const std::string& Code) {
    const std::vector<int16_t> list = SubelementQuestions(Pool(), ExamGroups(), Code);
    if (list.empty()) return;
    const QString title = SentenceCase(ShownText(SyllabusTitle(Code)));
    StartStudyList(list, "Subelement " + Q(Code) + (title.isEmpty() ? "" : ": " + title));
}

void modKorvell::StartMarkedStudy() {
    std::vector<int16_t> list;
    for (int16_t k = 0; k < Npool && k <= MaxQue; ++k)
        if (Marked[k]) list.push_back(k);
    if (!list.empty()) StartStudyList(list, "Marked Questions");
}

void modKorvell::FillStudyMenu() {
    auto& w = *frmShowQue;
    for (const std::string& code : SubelementCodes(ExamGroups())) {
        QString title = SentenceCase(ShownText(SyllabusTitle(code)));
        // The code's last character is the item's access key ("T&5").
        QString text = Q(code);
        text.insert(text.size() - 1, '&');
        QAction* item =
            w.mnuStudy->addAction(text + (title.isEmpty() ? "" : " " + title.replace('&', "&&")));
        item->setObjectName("pgmSub" + Q(code));
        item->setEnabled(!SubelementQuestions(Pool(), ExamGroups(), code).empty());
        QObject::connect(item, &QAction::triggered, &w, [this, code] {
            Handle([this, code] { frmShowQue->pgmSub_Click(code); });
        });
    }
    w.mnuStudy->addSeparator();
    w.mnuStudy->addAction(w.pgmFind);
    w.mnuStudy->addAction(w.pgmMarked);
    w.mnuStudy->addSeparator();
    w.mnuStudy->addAction(w.pgmDue);
    w.mnuStudy->addAction(w.pgmNever);
    w.mnuStudy->addAction(w.pgmProgress);
    w.mnuStudy->menuAction()->setVisible(true);
    ShowMarkCount();
    ShowStudyCounts();
    // What is due changes with the time as well as with the answers.
    QObject::connect(w.mnuStudy, &QMenu::aboutToShow, &w, [this] { ShowStudyCounts(); });
}

void modKorvell::ShowMarkCount() {
    const auto n = std::count(Marked.begin(), Marked.end(), true);
    QAction* item = frmShowQue->pgmMarked;
    item->setText(n == 0 ? "&Marked Questions" : QString("&Marked Questions (%1)").arg(n));
    item->setEnabled(n > 0);
}

void modKorvell::ShowMark() {
    frmShowQue->chkMark->setChecked(QueIdx >= 0 && QueIdx <= MaxQue && Marked[QueIdx]);
}

void frmShowQue::chkMark_Click() {
    if (Mod.QueIdx < 0 || Mod.QueIdx > MaxQue) return;
    Mod.Marked[Mod.QueIdx] = chkMark->isChecked();
    Mod.KeepMark(Mod.QueIdx);
    Mod.ShowMarkCount();
}

void frmShowQue::pgmSub_Click(const std::string& Code) {
    Mod.StartSubStudy(Code);
}

void frmShowQue::pgmMarked_Click() {
    Mod.StartMarkedStudy();
}

} // namespace korvell
