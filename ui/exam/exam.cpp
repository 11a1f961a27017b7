// Building a simulated test, and its result window.
#include "core/logic.h"
#include "core/spoken.h"
#include "ui/exam/frmtestcomplete.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QHeaderView>
#include <QModelIndex>
#include <algorithm>
#include <string>

namespace korvell {

namespace {

// One row per subelement of the last finished test. A row with a miss is
// marked in its header, the weakest (the largest share of misses) also in bold.
void FillSubelements(korvell::frmTestComplete& W) {
    const std::vector<SubResult>& rows = W.Mod.Review.BySubelement;
    QTableWidget* t = W.grdResults;
    int worstMissed = 0, worstAsked = 1;
    for (const SubResult& r : rows)
        if (r.Asked > 0 && (r.Asked - r.Right) * worstAsked > worstMissed * r.Asked)
            worstMissed = r.Asked - r.Right, worstAsked = r.Asked;
    t->setRowCount(static_cast<int>(rows.size()));
    int selected = -1; // the first weakest row, else the first
    for (int i = 0; i < t->rowCount(); ++i) {
        const SubResult& r = rows[static_cast<std::size_t>(i)];
        const int missed = r.Asked - r.Right;
        const bool weakest = missed > 0 && missed * worstAsked == worstMissed * r.Asked;
        if (weakest && selected < 0) selected = i;
        const QString cells[] = {Q(r.Code), SentenceCase(ShownText(W.Mod.SyllabusTitle(r.Code))),
                                 QString::number(r.Right), QString::number(r.Asked)};
        auto* mark = new QTableWidgetItem(weakest ? "Weakest" : missed > 0 ? "Missed" : "");
        QFont bold = t->font();
        bold.setBold(weakest);
        mark->setFont(bold);
        t->setVerticalHeaderItem(i, mark);
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setFont(bold);
            if (c >= 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(i, c, item);
        }
    }
    if (t->rowCount() > 0) t->setCurrentCell(std::max(selected, 0), 0);
    W.cmdStudySub->setEnabled(t->rowCount() > 0);
    // The whole table stays in sight: the window is kept at least as large
    // as the rows and the columns need (a topic counts up to 80 characters).
    t->resizeRowsToContents();
    const QAbstractItemView& view = *t;
    QFont bold = t->font();
    bold.setBold(true);
    const int topic = 80 * QFontMetrics(bold).averageCharWidth();
    int width = 2 * t->frameWidth() + t->verticalHeader()->sizeHint().width();
    for (int c = 0; c < 4; ++c)
        width += std::max(t->horizontalHeader()->sectionSizeHint(c),
                          c == 1 ? std::min(view.sizeHintForColumn(c), topic)
                                 : view.sizeHintForColumn(c));
    t->setMinimumSize(width, 2 * t->frameWidth() + t->horizontalHeader()->sizeHint().height() +
                                 t->verticalHeader()->length());
}

// The result window's figures: verdict, right answers and percentage, the
// margin to the pass mark and the results by subelement.
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
    W.txtMargin->setText(Q(MarginText(NrRight, PassMark, W.Mod.NrSecGroups)));
    // The student's history says how likely a pass is now, after this test too.
    // Without a record the window and its Tab order are as they always were.
    W.txtChance->setVisible(W.Mod.Record != nullptr);
    W.txtChance->setFocusPolicy(W.Mod.Record ? Qt::StrongFocus : Qt::NoFocus);
    W.txtChance->setText(W.Mod.Record ? Q(PassChanceLine(W.Mod.ProgressNow())) : QString());
    W.SizeToText();
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
    TestKept = false;
    Review.Active = false;
    Review.Picks.fill({});
    Review.Rights.fill(false);
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
    auto& w = *frmTestComplete;
    FillResult(w, NrRight, PctRight);
    News = ResultSpoken(w.txtPassFail->text().toStdString(), w.lblPassFail->text().toStdString(),
                        NrRight, w.txtPercent->text().toStdString(),
                        w.txtMargin->text().toStdString());
    NewsWindow = &w;
}

void frmTestComplete::Form_Load() {
    FillResult(*this, Mod.NrRight, Mod.PctRight);
}

void frmTestComplete::SizeToText() {
    txtMargin->setMinimumWidth(txtMargin->fontMetrics().horizontalAdvance(txtMargin->text()) +
                               4 * txtMargin->fontMetrics().averageCharWidth());
    FillSubelements(*this);
    FitToScreen(this);
}

void frmTestComplete::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::FontChange) SizeToText();
    QWidget::changeEvent(Event);
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

void frmTestComplete::cmdStudySub_Click() {
    const int row = grdResults->currentRow();
    const std::vector<SubResult>& rows = Mod.Review.BySubelement;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
    Mod.StartSubStudy(rows[static_cast<std::size_t>(row)].Code);
    hide();
}

void frmTestComplete::cmdQuit_Click() {
    Mod.Sys.EndProgram(0);
}

} // namespace korvell
