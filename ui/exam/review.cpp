// The last finished test as kept: its misses for their review, and its
// results by subelement.
#include "core/logic.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

#include <QModelIndex>
#include <algorithm>
#include <span>

namespace korvell {

void modKorvell::KeepMisses() {
    auto& w = *frmShowQue;
    Review.Misses.clear();
    const int n = std::min(w.lstTestQue->count(), MaxSecTbl + 1);
    for (int i = 0; i < n; ++i) {
        if (Review.Picks[i].empty()) continue;
        Review.Misses.push_back(
            {w.lstTestQue->item(i)->text(), ListQueIds[i], ListQueIdx[i], Review.Picks[i]});
    }
    const auto groups = static_cast<std::size_t>(std::clamp<int>(NrSecGroups, 0, MaxSecTbl + 1));
    Review.BySubelement = ResultsBySubelement(std::span(SecGroups).first(groups),
                                              std::span(Review.Rights).first(groups));
    Review.NrQueAns = NrQueAns;
    Review.NrRight = NrRight;
    Review.PctRight = PctRight;
}

// The misses are a study list of their own: Next, Previous and list picks move
// through them as in any study mode, and every display shows the question as
// the user answered it, with the letter buttons and Show Answer off.
void modKorvell::StartReview() {
    if (Review.Misses.empty()) return;
    auto& w = *frmShowQue;
    OpMode = 0;
    Review.Active = true;
    ShowScorePanel(true);
    w.txtQueAns->setText(QString::number(Review.NrQueAns));
    w.txtNrRight->setText(QString::number(Review.NrRight));
    w.txtPercent->setText(Q(FormatPercent(Review.PctRight)));
    w.lblMode->setText("Review of Missed Test Questions");
    w.lstTestQue->clear();
    for (std::size_t i = 0; i < Review.Misses.size(); ++i) {
        const MissedQue& m = Review.Misses[i];
        SecGroups[i] = m.QueNr;
        ListQueIds[i] = m.QueNr;
        ListQueIdx[i] = m.Idx;
        w.lstTestQue->addItem(m.Row);
    }
    ListPos = 0;
    w.txtQueNr->setText(Q(ListQueIds[0]));
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblAnswer, w.txtAnswer, w.lblChapter,
                                                      w.lblPage, w.cboCh, w.cboPage})
        c->hide();
    ShowQuestion();
    // As at any mode start, no row is highlighted until the first move.
    w.lstTestQue->setCurrentIndex(QModelIndex());
}

void modKorvell::ShowMissAnswered() {
    if (ListPos < 0 || static_cast<std::size_t>(ListPos) >= Review.Misses.size()) return;
    frmShowQue->cmdShowAns->setEnabled(false);
    // The pick was judged wrong in the test and is judged the same way here:
    // marks, verdict and answer box as then, no counter moves in a study mode.
    AnsPicked = Review.Misses[ListPos].Picked;
    AnswerQuestion();
}

} // namespace korvell
