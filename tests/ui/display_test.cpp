// Putting a question on the main window: the font rule, the answer marks, the
// figure, the navigation buttons, the chapter list and whole-pool browsing.
#include "core/logic.h"
#include "support/fixtures.h"
#include "ui/main/frmshowfig.h"
#include "ui/widgets.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <gtest/gtest.h>

namespace korvell::testing {
namespace {

// A started program on a standard pool of PerGroup questions per group.
void StartStandard(Program& Run, int PerGroup = 1) {
    Run.Data.WriteStandard(PerGroup);
    Run.Start();
    ASSERT_FALSE(Run.Mod.Ended);
}

void Show(Program& Run, int Pos) {
    Run.Mod.ListPos = static_cast<int16_t>(Pos);
    Run.Mod.Handle([&] { Run.Mod.ShowQuestion(); });
}

std::string Repeat(const std::string& Piece, int Times) {
    std::string s;
    for (int i = 0; i < Times; ++i)
        s += Piece;
    return s;
}

// Every threshold of every box; lengths count characters, not bytes. A short
// text after a long one gets the standard font back, and the standard font is
// the one txtQueNr has at the moment of the display.
TEST(Display, FontRuleAtEveryThreshold) {
    const char* Standard = nullptr;
    const struct {
        QPlainTextEdit* frmShowQue::*Box;
        std::string QueRec::*Field;
        std::string Text;
        const char* Family; // nullptr: the standard font
        int Size;
    } cases[] = {
        {&frmShowQue::txtQuestion, &QueRec::Question, TextOfLength(150), Standard, 18},
        {&frmShowQue::txtQuestion, &QueRec::Question, TextOfLength(151), "Arial", 16},
        {&frmShowQue::txtQuestion, &QueRec::Question, Repeat("\u00e9", 150), Standard, 18},
        {&frmShowQue::txtQuestion, &QueRec::Question, Repeat("\u00e9", 151), "Arial", 16},
        {&frmShowQue::txtA, &QueRec::ChoiceA, TextOfLength(90), Standard, 18},
        {&frmShowQue::txtA, &QueRec::ChoiceA, TextOfLength(91), "Arial", 14},
        {&frmShowQue::txtA, &QueRec::ChoiceA, Repeat("\u2126", 90), Standard, 18},
        {&frmShowQue::txtB, &QueRec::ChoiceB, TextOfLength(90), Standard, 18},
        {&frmShowQue::txtB, &QueRec::ChoiceB, TextOfLength(91), "Arial", 16},
        {&frmShowQue::txtB, &QueRec::ChoiceB, TextOfLength(120), "Arial", 16},
        {&frmShowQue::txtB, &QueRec::ChoiceB, TextOfLength(121), "Arial", 14},
        {&frmShowQue::txtC, &QueRec::ChoiceC, TextOfLength(100), Standard, 18},
        {&frmShowQue::txtC, &QueRec::ChoiceC, TextOfLength(101), "Arial", 14},
        {&frmShowQue::txtD, &QueRec::ChoiceD, TextOfLength(100), Standard, 18},
        {&frmShowQue::txtD, &QueRec::ChoiceD, TextOfLength(101), "Arial", 16},
    };
    Program run;
    StartStandard(run);
    auto& w = run.Win();
    auto& rec = run.Mod.QuePool[0];
    SetBold(w.txtQuestion, true); // the display never changes the question's bold
    for (const char* standard : {"MS Sans Serif", "Liberation Serif"}) {
        w.txtQueNr->setFont(QFont(standard, 12));
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(standard) + " / " + std::to_string(CharCount(c.Text)));
            rec.*c.Field = c.Text;
            Show(run, 0);
            const QFont f = (w.*c.Box)->font();
            EXPECT_EQ(f.family(), c.Family ? c.Family : standard);
            EXPECT_EQ(f.pointSize(), c.Size);
            EXPECT_EQ((w.*c.Box)->toPlainText(), Q(c.Text));
            EXPECT_TRUE(w.txtQuestion->font().bold());

            rec.*c.Field = "short";
            Show(run, 0);
            EXPECT_EQ((w.*c.Box)->font().family(), standard);
            EXPECT_EQ((w.*c.Box)->font().pointSize(), 18);
        }
    }
}

// Each display starts the question afresh, whatever the previous one left.
TEST(Display, ClearsTheMarksOfAPreviousAnswer) {
    Program run;
    StartStandard(run, 2);
    auto& w = run.Win();
    for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtC, w.txtD}) {
        SetBold(box, true);
        SetBackColor(box, Red);
        QPalette p = box->palette();
        p.setColor(QPalette::Text, Yellow);
        box->setPalette(p);
    }
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        b->setEnabled(false);
    w.txtRightWrong->show();
    run.Mod.AnsState = -1;

    Show(run, 3);
    EXPECT_EQ(run.Mod.QueIdx, 3);
    EXPECT_EQ(run.Mod.CurQue.QueNr, "T1B02 ");
    EXPECT_EQ(w.txtQuestion->toPlainText(), "Question T1B02? ");
    EXPECT_EQ(w.txtAnswer->text(), "D");
    EXPECT_EQ(run.Mod.AnsState, 0);
    EXPECT_TRUE(w.txtRightWrong->isHidden());
    EXPECT_TRUE(w.txtAnswer->isHidden()); // not shown by the display
    const QPalette desktop;
    for (QPlainTextEdit* box : {w.txtA, w.txtB, w.txtC, w.txtD}) {
        EXPECT_FALSE(box->font().bold());
        EXPECT_EQ(box->palette().color(QPalette::Base), desktop.color(QPalette::Base));
        EXPECT_EQ(box->palette().color(QPalette::Text), desktop.color(QPalette::Text));
    }
    for (QPushButton* b : {w.cmdA, w.cmdB, w.cmdC, w.cmdD})
        EXPECT_TRUE(b->isEnabled());
}

// The figure is loaded at every display of a question that has one; the
// button follows whether a picture could be loaded; the window hides at every
// display; a name that reaches outside the program's directory is not loaded.
TEST(Display, FigureOfTheQuestionOnDisplay) {
    Program run;
    std::vector<FixtureQuestion> qs = StandardQuestions(1);
    const char* figs[] = {"F1", "", "F2", "MISSING", "BAD", "sub/F3", "BIG"};
    for (std::size_t i = 0; i < std::size(figs); ++i) {
        qs[i].Fig = figs[i];
        qs[i].Pg = "2-4";
    }
    run.Data.WriteStandard(qs);
    run.Data.WriteFigure("F1", 40, 30);
    run.Data.WriteFigure("F2", 60, 20, Qt::red);
    run.Data.Write("BAD.jpg", "not a picture at all");
    QDir(QString::fromStdString(run.Data.Path())).mkdir("sub");
    run.Data.WriteFigure("sub/F3", 70, 70);
    run.Data.WriteFigure("BIG", 1600, 1200);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    auto& w = run.Win();
    auto& fig = *run.Mod.frmShowFig;

    const struct {
        int Pos;
        bool Enabled;
        QSize Picture; // the picture held afterwards
    } cases[] = {
        {1, false, {40, 30}}, // start-up showed question 0
        {0, true, {40, 30}},  {1, false, {40, 30}}, {2, true, {60, 20}},     {3, false, {60, 20}},
        {4, false, {60, 20}}, {5, false, {60, 20}}, {6, true, {1600, 1200}}, {0, true, {40, 30}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(figs[c.Pos]);
        fig.show(); // left open from the previous question
        Show(run, c.Pos);
        EXPECT_TRUE(fig.isHidden());
        EXPECT_EQ(w.cmdShowFig->isEnabled(), c.Enabled);
        EXPECT_EQ(fig.imgFig->Picture().size(), c.Picture);
        EXPECT_TRUE(run.Fake.Messages.empty());
        if (c.Pos == 6) {
            const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
            EXPECT_LE(fig.width(), room.width());
            EXPECT_LE(fig.height(), room.height());
        }
    }

    // "Show Figure" opens the window; "Close " and the frame hide it, and it
    // opens again with the same picture.
    w.cmdShowFig->click();
    EXPECT_FALSE(fig.isHidden());
    fig.cmdClose->click();
    EXPECT_TRUE(fig.isHidden());
    w.cmdShowFig->click();
    EXPECT_FALSE(fig.isHidden());
    fig.close();
    EXPECT_TRUE(fig.isHidden());
    EXPECT_FALSE(run.Mod.Ended);
    w.cmdShowFig->click();
    EXPECT_FALSE(fig.isHidden());
    EXPECT_EQ(fig.imgFig->Picture().size(), QSize(40, 30));
}

// The navigation buttons follow the list position in the study modes, and
// the focus goes to the button that was enabled.
TEST(Display, NavigationButtonsByPosition) {
    const struct {
        int Rows, Pos;
        bool Previous, Next;
        const char* Focus; // after FocusNavButton
    } cases[] = {
        {1, 0, false, false, "cmdShowAns"},
        {3, 0, false, true, "cmdNext"},
        {3, 1, true, true, "cmdNext"},
        {3, 2, true, false, "cmdPrevious"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.Rows) + " rows, position " + std::to_string(c.Pos));
        Program run;
        const std::vector<FixtureQuestion> all = StandardQuestions(1);
        run.Data.WriteStandard(std::vector<FixtureQuestion>(all.begin(), all.begin() + c.Rows));
        run.Start();
        auto& w = run.Win();
        ASSERT_EQ(w.lstTestQue->count(), c.Rows);
        Show(run, c.Pos);
        EXPECT_EQ(w.cmdPrevious->isEnabled(), c.Previous);
        EXPECT_EQ(w.cmdNext->isEnabled(), c.Next);
        EXPECT_TRUE(w.cmdShowAns->isEnabled());
        EXPECT_EQ(w.focusWidget(), w.cmdShowAns);
        run.Mod.Handle([&] { run.Mod.FocusNavButton(); });
        EXPECT_EQ(w.focusWidget()->objectName(), c.Focus);
    }

    // In a test the display leaves the navigation, Show Answer and the focus alone.
    Program run;
    StartStandard(run);
    auto& w = run.Win();
    run.Mod.OpMode = -1;
    w.cmdShowAns->setEnabled(false);
    w.cmdPrevious->setEnabled(false);
    w.cmdNext->setEnabled(false);
    w.cmdB->setFocus();
    Show(run, 1);
    EXPECT_FALSE(w.cmdShowAns->isEnabled());
    EXPECT_FALSE(w.cmdPrevious->isEnabled());
    EXPECT_FALSE(w.cmdNext->isEnabled());
    EXPECT_EQ(w.focusWidget(), w.cmdB);
}

// The chapter list is rebuilt, not added to, and keeps its text; the
// question list shows the 35 group codes.
TEST(Sections, ChapterListAfterRepeatedInitSections) {
    Program run;
    StartStandard(run);
    auto& w = run.Win();
    QStringList groups;
    for (const auto& g : GroupCodes())
        groups << Q(g);
    for (const char* text : {"2", "7", "Pg"}) {
        SCOPED_TRACE(text);
        w.cboCh->setEditText(text);
        run.Mod.Handle([&] { run.Mod.InitSections(); });
        QStringList rows;
        for (int i = 0; i < w.cboCh->count(); ++i)
            rows << w.cboCh->itemText(i);
        EXPECT_EQ(rows, (QStringList{"2", "3", "4", "5", "6", "7", "8", "9"}));
        EXPECT_EQ(w.cboCh->currentText(), text);
        EXPECT_EQ(run.Mod.NrSecGroups, 35);
        ASSERT_EQ(w.lstTestQue->count(), 35);
        for (int i = 0; i < 35; ++i)
            EXPECT_EQ(w.lstTestQue->item(i)->text(), groups[i]);
    }
    EXPECT_TRUE(run.Fake.Messages.empty());
}

// "Show Pool" returns from any state to the whole pool's first question.
TEST(PoolStudy, ShowPoolRebuildsTheWholeList) {
    Program run;
    StartStandard(run, 2);
    auto& w = run.Win();
    run.Mod.OpMode = -1;
    run.Mod.ShowScorePanel(true);
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblChapter, w.cboCh, w.lblPage, w.cboPage,
                                                      w.lblAnswer, w.txtAnswer})
        c->show();
    run.Mod.Handle([&] { run.Mod.InitSections(); }); // as a test start does
    {
        const QSignalBlocker quiet(w.lstTestQue);
        w.lstTestQue->setCurrentRow(5);
    }
    Show(run, 5);

    w.cmdAll->click();
    EXPECT_EQ(run.Mod.OpMode, 0);
    EXPECT_EQ(w.lblMode->text(), "Pick Any Technician Question from Pool");
    for (QWidget* c : std::initializer_list<QWidget*>{
             w.lblQueAns, w.txtQueAns, w.lblCorrect, w.txtNrRight, w.lblPercent, w.txtPercent,
             w.lblChapter, w.cboCh, w.lblPage, w.cboPage, w.lblAnswer, w.txtAnswer})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    ASSERT_EQ(w.lstTestQue->count(), 70);
    for (int n = 0; n < 70; ++n) {
        EXPECT_EQ(w.lstTestQue->item(n)->text(), Q(run.Mod.QuePool[n].QueNr));
        EXPECT_EQ(run.Mod.SecGroups[n], run.Mod.QuePool[n].QueNr);
        EXPECT_EQ(run.Mod.ListQueIds[n], run.Mod.QuePool[n].QueNr);
        EXPECT_EQ(run.Mod.ListQueIdx[n], n);
    }
    EXPECT_TRUE(w.lstTestQue->selectedItems().isEmpty());
    EXPECT_EQ(run.Mod.ListPos, 0);
    EXPECT_EQ(w.txtQueNr->text(), "T1A01 ");
    EXPECT_EQ(w.txtQuestion->toPlainText(), "Question T1A01? ");
    EXPECT_TRUE(run.Fake.Messages.empty());
}

} // namespace
} // namespace korvell::testing
