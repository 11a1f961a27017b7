// Building a simulated test, and its result window.
#include "core/logic.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/exam/frmtestcomplete.h"

#include <QModelIndex>
#include <string>

namespace korvell {

namespace {

// The result window's figures: verdict, right answers and percentage.
void FillResult(korvell::frmTestComplete& W, int16_t NrRight, float PctRight) {
    if (NrRight < PassMark) {
        W.txtPassFail->setText("Sorry");
        W.lblPassFail->setText("Failed");
    } else {
        W.txtPassFail->setText("Congratulations");
        W.lblPassFail->setText("Passed!");
    }
    W.txtAnsOK->setText(QString::number(NrRight));
    W.txtPercent->setText(Q(FormatPercent(PctRight)));
    W.cmdReview->setEnabled(!W.Mod.Review.Misses.empty());
}

} // namespace

void frmShowQue::cmdNewTest_Click() {
    Mod.StartTest();
}

void modKorvell::StartTest() {
    auto& w = *frmShowQue;
    NrQueAns = 0;
    NrRight = 0;
    ListPos = 0;
    OpMode = -1;
    Review.Active = false;
    Review.Picks.fill({});
    InitSections();
    w.lblMode->setText("Simulated Technician License Test");
    w.lstTestQue->clear();

    // The generator is restarted from the clock once per test; the groups
    // then take successive values instead of values from one clock reading.
    Sys.Randomize();
    for (int i = 0; i < NrSecGroups; ++i) {
        const int16_t n = DrawNumber(SecCnt[i], Sys.Rnd());
        const std::string digits = TwoDigits(n);
        const std::string id = QuestionId(SecGroups[i], digits);
        ListQueIds[i] = id;
        w.lstTestQue->addItem(Q(TestListRow(SecGroups[i], digits)));
        ListQueIdx[i] = FindQuestion(id);
        if (i == 0) w.txtQueNr->setText(Q(id));
    }

    ShowScorePanel(OpMode != 0);
    QueIdx = ListQueIdx[0];
    w.txtNrRight->setText("0");
    w.txtQueAns->setText("0");
    w.txtPercent->setText(QString());
    for (QPushButton* b : {w.cmdNext, w.cmdPrevious, w.cmdShowAns})
        b->setEnabled(false);
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblAnswer, w.txtAnswer, w.lblChapter,
                                                      w.lblPage, w.cboCh, w.cboPage})
        c->hide();
    ShowQuestion();

    // No row is highlighted until the first move, even when the list takes
    // the keyboard focus (which would otherwise make its first row current).
    w.lstTestQue->setCurrentIndex(QModelIndex());
}

int16_t modKorvell::FindQuestion(const std::string& QueId) {
    const int16_t k = FindQuestionIndex(QueId);
    if (k >= 0) return k;

    // Name the group and the drawn number out of the group's count, so that
    // the wrong entry of the pool or of the section table can be found.
    const std::string group = QueId.size() > 2 ? QueId.substr(0, QueId.size() - 2) : QueId;
    const std::string digits = QueId.size() > 2 ? QueId.substr(QueId.size() - 2) : std::string();
    std::string numberPart;
    for (int i = 0; i < NrSecGroups && i <= MaxSecTbl; ++i) {
        if (SecGroups[i] != group) continue;
        const bool numeric =
            digits.size() == 2 && digits.find_first_not_of("0123456789") == std::string::npos;
        if (!numeric) break;
        const int drawn = (digits[0] - '0') * 10 + (digits[1] - '0');
        numberPart = " (number " + std::to_string(drawn) + " of " + std::to_string(SecCnt[i]) + ")";
        break;
    }
    Sys.MsgBox("For Section " + group + " question " + QueId + numberPart + " not found in pool",
               "Error!!!");
    Sys.EndProgram(1);
    return -1; // not reached: the program has ended
}

void modKorvell::FillTestComplete() {
    FillResult(*frmTestComplete, NrRight, PctRight);
}

void frmTestComplete::Form_Load() {
    FillResult(*this, Mod.NrRight, Mod.PctRight);
}

void frmTestComplete::cmdTakeTest_Click() {
    Mod.StartTest();
    hide();
}

void frmTestComplete::cmdPick_Click() {
    Mod.StartPoolStudy();
    hide();
}

void frmTestComplete::cmdReview_Click() {
    Mod.StartReview();
    hide();
    Mod.frmShowQue->raise();
    Mod.frmShowQue->activateWindow();
}

void frmTestComplete::cmdQuit_Click() {
    Mod.Sys.EndProgram(0);
}

} // namespace korvell
