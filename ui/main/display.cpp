// Putting one question on the main window, and the small procedures around it.
#include "core/logic.h"
#include "core/spoken.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

namespace korvell {

namespace {

// Texts up to Limit characters get the standard font at 18 points, longer ones
// "Arial": at MidSize up to MidLimit characters, at LongSize beyond.
struct FontRule {
    std::size_t Limit;
    std::size_t MidLimit;
    int MidSize;
    int LongSize;
};

constexpr FontRule QuestionRule{150, 150, 16, 16};
constexpr FontRule ChoiceARule{90, 90, 14, 14};
constexpr FontRule ChoiceBRule{90, 120, 16, 14};
constexpr FontRule ChoiceCRule{100, 100, 14, 14};
constexpr FontRule ChoiceDRule{100, 100, 16, 16};

// The sizes are those of the normal text size, drawn at TextPct percent of it.
// The type is set before the text, and in one step with the bold of an earlier
// mark taken off a choice box, so that the text is laid out once.
void ShowText(QPlainTextEdit* Box, const std::string& Text, const FontRule& Rule,
              const QString& StandardFontName, int TextPct, bool Choice = true) {
    const std::size_t length = CharCount(Text);
    QFont f = Box->font();
    int points = 18;
    if (length <= Rule.Limit) {
        f.setFamily(StandardFontName);
    } else {
        f.setFamily("Arial");
        points = length <= Rule.MidLimit ? Rule.MidSize : Rule.LongSize;
    }
    if (Choice) f.setBold(false);
    SetPoints(Box, f, points, TextPct);
    Box->setPlainText(ShownText(Text));
}

// A figure name is a plain file name in the program's directory.
bool IsPlainFileName(const std::string& Name) {
    return Name.find('/') == std::string::npos && Name.find('\0') == std::string::npos;
}

} // namespace

void modKorvell::ShowQuestion() {
    auto& w = *frmShowQue;
    const QString standardFontName = w.txtQueNr->font().family();
    w.txtRightWrong->hide();
    w.txtExplain->hide();
    AnsState = 0;
    QueIdx = ListQueIdx[ListPos];
    if (OpMode == 0) {
        w.cmdShowAns->setEnabled(true);
        w.cmdShowAns->setFocus();
    }
    CurQue = QuePool[QueIdx];
    News = QuestionSpoken(CurQue);
    w.txtAnswer->setText(Q(CurQue.Answer));
    ShowText(w.txtQuestion, CurQue.Question, QuestionRule, standardFontName, TextPct, false);
    ShowText(w.txtA, CurQue.ChoiceA, ChoiceARule, standardFontName, TextPct);
    ShowText(w.txtB, CurQue.ChoiceB, ChoiceBRule, standardFontName, TextPct);
    ShowText(w.txtC, CurQue.ChoiceC, ChoiceCRule, standardFontName, TextPct);
    ShowText(w.txtD, CurQue.ChoiceD, ChoiceDRule, standardFontName, TextPct);
    for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtC, w.txtD})
        ResetColours(box);
    w.FitTexts(); // the boxes as high as the new texts
    frmShowFig->hide();
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        b->setEnabled(true);
    w.txtPage->setText(Q(CurQue.ChPg));
    if (CurQue.Fig.empty()) {
        w.cmdShowFig->setEnabled(false);
    } else {
        // A figure that cannot be read leaves the button off for this question.
        const bool loaded =
            IsPlainFileName(CurQue.Fig) && frmShowFig->LoadFigure(Q(AppDir + CurQue.Fig + ".jpg"));
        w.cmdShowFig->setEnabled(loaded);
    }
    SetNavButtons();
    ShowMark();
    if (Review.Active) ShowMissAnswered();
}

void modKorvell::SetNavButtons() {
    if (OpMode != 0) return;
    auto& w = *frmShowQue;
    const int n = w.lstTestQue->count();
    if (n == 1) {
        w.cmdNext->setEnabled(false);
        w.cmdPrevious->setEnabled(false);
    } else {
        w.cmdPrevious->setEnabled(ListPos != 0);
        w.cmdNext->setEnabled(ListPos < n - 1);
    }
}

void modKorvell::FocusNavButton() {
    auto& w = *frmShowQue;
    const int n = w.lstTestQue->count();
    if (n == 1) {
        w.cmdNext->setEnabled(false);
        w.cmdPrevious->setEnabled(false);
    } else if (ListPos < n - 1) {
        w.cmdNext->setFocus();
    } else if (ListPos >= 1) {
        w.cmdPrevious->setFocus();
    }
}

void modKorvell::ShowScorePanel(bool Visible) {
    auto& w = *frmShowQue;
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblQueAns, w.lblCorrect, w.lblPercent,
                                                      w.txtQueAns, w.txtNrRight, w.txtPercent})
        c->setVisible(Visible);
}

void frmShowQue::Form_Load() {
    txtNpool->setText(QString::number(Mod.Npool));
    cmdShowFig->setEnabled(true);
    Mod.frmShowFig->hide();
}

void frmShowQue::cmdShowFig_Click() {
    Mod.frmShowFig->show();
    Mod.frmShowFig->raise();
    Mod.frmShowFig->activateWindow();
}

void frmShowQue::cmdExit_Click() {
    Mod.Sys.EndProgram(0);
}

} // namespace korvell
