// Chapter and page study: page rows, question lists, typed chapters, unusable ones.
#include "support/drive.h"
#include "ui/main/frmshowfig.h"

using namespace korvell::testing;

namespace {

// By count chapter 2 has pages 4, 7, 8, 9, 10 and 12, but the references of
// pages 7, 8 and 12 are written in forms that no chapter-page key matches.
std::vector<FixtureQuestion> Pool() {
    auto qs = StandardQuestions(1);
    int i = 0;
    for (const char* pg : {"2-10", "2-9", "2-4", "2-10", "2-4", "2-07", "02-8", "2 - 12", "3-1",
                           "3-4", "3-4", "3-4", "10-35"})
        qs[i++].Pg = pg;
    qs[2].Fig = "F1";
    return qs;
}

// Steps split by "/": S "Study Text", A "Pick from whole Pool", R "Show Answer", F "Show
// Figure", C<row> or P<row> a user's pick in the chapter or page box, T<text> typing a
// chapter, then Enter on its text part (E) or where a user's key goes (K), or leaving the
// box for the list (L). Returns the page rows, the number of listed questions, the one on
// display, its answer if shown, and "fig" if the figure window is open.
QString Do(frmShowQue& W, const QString& Steps) {
    QLineEdit* edit = W.cboCh->lineEdit();
    for (const QString& s : Steps.split('/')) {
        QComboBox* box = s[0] == 'C' ? W.cboCh : W.cboPage;
        if (s[0] == 'C' || s[0] == 'P') box->setCurrentIndex(box->findText(s.mid(1)));
        if (s[0] == 'C' || s[0] == 'P') emit box->activated(box->currentIndex());
        if (s[0] == 'T') QTest::mouseClick(edit, Qt::LeftButton), edit->selectAll();
        if (s[0] == 'T') QTest::keyClick(edit, Qt::Key_Delete), QTest::keyClicks(edit, s.mid(1));
        if (s[0] == 'E') QTest::keyClick(edit, Qt::Key_Return);
        if (s[0] == 'K') QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        if (s[0] == 'L') W.lstTestQue->setFocus(Qt::TabFocusReason);
        if (const int k = QString("SARF").indexOf(s[0]); k >= 0)
            Click(std::array{W.cmdStudy, W.cmdAll, W.cmdShowAns, W.cmdShowFig}[k]);
    }
    QString rows;
    for (int i = 0; i < W.cboPage->count(); ++i)
        rows += W.cboPage->itemText(i) + " ";
    rows += "| " + QString::number(W.lstTestQue->count()) + " " + W.txtQueNr->text().trimmed();
    if (!W.txtAnswer->isHidden() && !W.txtAnswer->text().isEmpty())
        rows += " " + W.txtAnswer->text();
    return rows + (W.Mod.frmShowFig.Loaded() && W.Mod.frmShowFig->isVisible() ? " fig" : "");
}

} // namespace

TEST(StudyText, PicksTypingRefusalsAndPagesWithoutQuestions) {
    Session run(Pool());
    auto& w = run.Win();
    run.Data.WriteFigure("F1");
    // The first "Study Text" shows chapter 2, its pages in numeric order. A revealed answer
    // stays across picks until "Study Text". A typed chapter, also confirmed with Enter or by
    // leaving the box, waits for "Study Text" or a page pick. References with a leading zero
    // or blanks are counted as pages but list nothing.
    const QString steps =
        "S=4 7 8 9 10 12 | 2 T1C01;R/C3=1 4 | 1 T2C01 A;P4=1 4 | 3 T3A01 B;"
        "C2=4 7 8 9 10 12 | 2 T1C01 C;S=4 7 8 9 10 12 | 2 T1C01;P10=4 7 8 9 10 12 | 2 T1A01;"
        "T5/E=4 7 8 9 10 12 | 2 T1A01;T3/K=4 7 8 9 10 12 | 2 T1A01;T10/L=4 7 8 9 10 12 | 2 T1A01;"
        "T3/P4=4 7 8 9 10 12 | 3 T3A01;T10/S=35 | 1 T4A01;T 3 /S=1 4 | 1 T2C01;"
        "T11/S=1 4 | 1 T2C01;Tabc/P4=1 4 | 1 T2C01;T-1/S=1 4 | 1 T2C01;T2.5/P4=1 4 | 1 T2C01;"
        "T/S=1 4 | 1 T2C01;C3=1 4 | 1 T2C01;C5=| 1 T2C01;A=| 35 T1A01;S=| 35 T1A01;"
        "C2/R/F=4 7 8 9 10 12 | 2 T1C01 C fig;P7=4 7 8 9 10 12 | 0 ;P8=4 7 8 9 10 12 | 0 ;"
        "P12=4 7 8 9 10 12 | 0 ";
    for (const QString& step : steps.split(';'))
        EXPECT_EQ(Do(w, step.section('=', 0, 0)), step.section('=', 1)) << step.toStdString();
    EXPECT_EQ(w.txtPage->text() + w.txtAnswer->text() + w.txtQuestion->toPlainText() +
                  w.txtA->toPlainText() + Marks(w) +
                  Flags({w.cmdA, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious}, true),
              "wwww00000");
    EXPECT_EQ(Do(w, "P10/L"), "4 7 8 9 10 12 | 2 T1A01 A"); // list focus: no pick, no highlight
    EXPECT_EQ(QString::number(w.lstTestQue->selectedItems().size()) +
                  Flags({w.lblChapter, w.cboCh}) + w.lblMode->text() + Q(Said(run.Fake)),
              "011Questions List for Text Chapter and Page");
}
