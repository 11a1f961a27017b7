// Chapter and page study lists.
#include "core/logic.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <optional>
#include <vector>

namespace korvell {

namespace {

// The chapter in the text part of cboCh, when it is one that ChPgCount covers.
std::optional<int> ChapterShown(const korvell::frmShowQue& W) {
    return ParseChapter(W.cboCh->currentText().toStdString());
}

// An empty list: nothing to show, nothing to answer, nowhere to move. The
// texts and marks of the question shown before are cleared so that none of
// it can be taken for a question of this list.
void ShowNoQuestion(modKorvell& Mod) {
    auto& w = *Mod.frmShowQue;
    Mod.CurQue = QueRec{};
    Mod.AnsState = 0;
    w.txtQueNr->clear();
    w.txtPage->clear();
    w.txtAnswer->clear();
    w.txtRightWrong->hide();
    w.txtQuestion->clear();
    for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtC, w.txtD}) {
        box->clear();
        SetBold(box, false);
        ResetColours(box);
    }
    Mod.frmShowFig->hide();
    for (QPushButton* b :
         {w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious})
        b->setEnabled(false);
}

} // namespace

void frmShowQue::cmdStudy_Click() {
    Mod.StartChPgStudy();
}

void frmShowQue::cboCh_Click() {
    Mod.FillPageList();
}

void frmShowQue::cboPage_Click() {
    Mod.ListChPgQuestions();
}

void modKorvell::StartChPgStudy() {
    auto& w = *frmShowQue;
    OpMode = 0;
    Review.Active = false;
    ShowScorePanel(OpMode != 0);
    FillPageList();
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblChapter, w.lblPage, w.cboCh, w.cboPage})
        c->show();
    w.lblAnswer->hide();
    w.txtAnswer->hide();
    w.lblMode->setText("Questions List for Text Chapter and Page");
}

void modKorvell::FillPageList() {
    auto& w = *frmShowQue;
    // A chapter outside the table is refused: pages and list stay as they are.
    const std::optional<int> chapter = ChapterShown(w);
    if (!chapter) return;

    std::vector<int> pages;
    for (int p = 0; p <= MaxPage; ++p)
        if (ChPgCount[*chapter][p] > 0) pages.push_back(p);

    w.cboPage->clear();
    // A chapter without questions has no page to offer; the list stays.
    if (pages.empty()) return;
    for (int p : pages)
        w.cboPage->addItem(QString::number(p));
    // Selecting a row from here is not a pick: the list is built once, below.
    w.cboPage->setCurrentIndex(0);
    ListChPgQuestions();
}

void modKorvell::ListChPgQuestions() {
    auto& w = *frmShowQue;
    const std::string chapter = w.cboCh->currentText().toStdString();
    if (!ParseChapter(chapter)) return;
    const std::string key = ChPgKey(chapter, w.cboPage->currentText().toStdString());

    w.lstTestQue->clear();
    int16_t n = 0;
    for (int16_t i = 0; i < Npool; ++i) {
        if (Trim(QuePool[i].ChPg) != key) continue;
        w.lstTestQue->addItem(Q(QuePool[i].QueNr));
        ListQueIdx[n] = i;
        SecGroups[n] = QuePool[i].QueNr;
        ListQueIds[n] = QuePool[i].QueNr;
        ++n;
    }
    // No row is highlighted until the user picks one.
    w.lstTestQue->setCurrentRow(-1);
    ListPos = 0;

    if (n == 0) {
        ShowNoQuestion(*this);
        return;
    }
    w.txtQueNr->setText(Q(SecGroups[0]));
    ShowQuestion();
}

} // namespace korvell
