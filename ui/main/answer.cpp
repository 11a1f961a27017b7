// Answering and scoring.
#include "core/logic.h"
#include "core/spoken.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <cstdint>
#include <limits>

namespace korvell {

namespace {

// The choice box of a letter "A" to "D"; none for any other text.
QPlainTextEdit* ChoiceBox(frmShowQue& W, const std::string& Letter) {
    if (Letter == "A") return W.txtA;
    if (Letter == "B") return W.txtB;
    if (Letter == "C") return W.txtC;
    if (Letter == "D") return W.txtD;
    return nullptr;
}

void Mark(QPlainTextEdit* Box, const QColor& Color) {
    SetBold(Box, true);
    SetBackColor(Box, Color);
}

// Counters stop at the largest 16-bit value instead of wrapping.
void CountUp(int16_t& Counter) {
    if (Counter < std::numeric_limits<int16_t>::max()) ++Counter;
}

} // namespace

void frmShowQue::cmdA_Click() {
    Mod.AnsPicked = "A";
    Mod.AnswerQuestion();
}

void frmShowQue::cmdB_Click() {
    Mod.AnsPicked = "B";
    Mod.AnswerQuestion();
}

void frmShowQue::cmdC_Click() {
    Mod.AnsPicked = "C";
    Mod.AnswerQuestion();
}

void frmShowQue::cmdD_Click() {
    Mod.AnsPicked = "D";
    Mod.AnswerQuestion();
}

void frmShowQue::cmdShowAns_Click() {
    Mod.AnsPicked = " ";
    Mod.AnswerQuestion();
}

void modKorvell::AnswerQuestion() {
    auto& w = *frmShowQue;
    if (AnsState != 0) {
        Sys.MsgBox("You already answered this Question!", "Can't cheat");
        return;
    }
    const bool onDisplay = QueIdx >= 0 && QueIdx <= MaxQue;
    const std::string correct = onDisplay ? QuePool[QueIdx].Answer : "None";
    // Kept before the verdict shows; the review shows answers and takes none.
    if (onDisplay && !Review.Active) KeepAnswer(AnsPicked == correct);
    ShowStudyCounts(); // the answer counts at once

    w.lblAnswer->show();
    w.txtAnswer->show();
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        b->setEnabled(false);

    std::string verdict;
    if (AnsPicked != " ") verdict = ShowRightWrong(correct);
    // As the verdict box says it; nothing for Show Answer.
    const std::string shown = verdict.empty() ? "" : w.txtRightWrong->text().toStdString();

    if (QPlainTextEdit* box = ChoiceBox(w, correct)) {
        Mark(box, Yellow);
    } else if (correct == "None") {
        Sys.MsgBox("No Question Selected", "Error");
    }

    if (OpMode != 0) {
        AnsState = -1;
        // A wrong pick is kept for the review of the test's misses.
        if (ListPos >= 0 && ListPos <= MaxSecTbl) {
            if (verdict == "Wrong") Review.Picks[ListPos] = AnsPicked;
            Review.Rights[ListPos] = verdict == "Correct";
        }
        if (QListWidgetItem* row = w.lstTestQue->item(ListPos))
            row->setText(row->text() + "  " + Q(verdict));
        CountUp(NrQueAns);
        PctRight = static_cast<float>(NrRight) / static_cast<float>(NrQueAns);
        w.txtQueAns->setText(QString::number(NrQueAns));
        w.txtNrRight->setText(QString::number(NrRight));
        w.txtPercent->setText(Q(FormatPercent(PctRight)));
        w.cmdNext->setEnabled(true);
        if (onDisplay) Tell(AnswerSpoken(shown, QuePool[QueIdx], nullptr));
        w.cmdNext->setFocus();
    } else {
        // A study mode: the answer is out, and so is why it is right. A test
        // keeps its explanations for the review of its misses.
        const ExplainRec* e = ShowExplain();
        if (onDisplay) Tell(AnswerSpoken(shown, QuePool[QueIdx], e));
        FocusNavButton();
    }
}

const ExplainRec* modKorvell::ShowExplain() {
    auto& w = *frmShowQue;
    // The file is read when the first answer is out, not at start-up.
    if (!ExplainRead) LoadExplain();
    const ExplainRec* e = QueIdx >= 0 && QueIdx <= MaxQue ? FindExplain(QuePool[QueIdx]) : nullptr;
    if (!e) return nullptr;
    w.txtExplain->setPlainText(ShownText(ExplainShown(*e)));
    w.txtExplain->show();
    return e;
}

std::string modKorvell::ShowRightWrong(const std::string& CorrectLetter) {
    auto& w = *frmShowQue;
    std::string verdict;
    if (AnsPicked != CorrectLetter) {
        verdict = "Wrong";
        w.txtRightWrong->setText("Wrong!");
        SetBackColor(w.txtRightWrong, Red);
        if (QPlainTextEdit* box = ChoiceBox(w, AnsPicked)) Mark(box, Red);
    } else {
        CountUp(NrRight);
        verdict = "Correct";
        w.txtRightWrong->setText("Right!");
        SetBackColor(w.txtRightWrong, Green);
    }
    w.txtRightWrong->show();
    return verdict;
}

} // namespace korvell
