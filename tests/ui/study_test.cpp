// Chapter and page study: the page rows of a chapter, the question list of a
// page, typed chapters, and what an unusable chapter or page leaves behind.
#include "support/fixtures.h"
#include "ui/main/frmshowfig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <numeric>

namespace korvell::testing {
namespace {

// Pool index and reference. By count chapter 2 has pages 4, 7, 8, 9, 10 and
// 12, but the references of pages 7, 8 and 12 are written in a form that no
// chapter-page key matches.
const std::pair<int, const char*> References[] = {
    {0, "2-10"},   {1, "2-9"}, {2, "2-4"}, {3, "2-10"}, {4, "2-4"},  {5, "2-07"},  {6, "02-8"},
    {7, "2 - 12"}, {8, "3-1"}, {9, "3-4"}, {10, "3-4"}, {11, "3-4"}, {12, "10-35"}};
const QStringList ChapterTwoPages = {"4", "7", "8", "9", "10", "12"};

struct StudyRun : Program {
    StudyRun() {
        std::vector<FixtureQuestion> qs = StandardQuestions(1);
        for (const auto& [i, pg] : References)
            qs[i].Pg = pg;
        qs[2].Fig = "F1";
        for (const auto& q : qs) {
            Ids << QString::fromStdString(q.Id);
            Answers << QString::fromStdString(q.Answer);
        }
        Data.WriteStandard(qs);
        Data.WriteFigure("F1");
        Start();
    }

    void StudyText() { Win().cmdStudy->click(); }
    // A user's pick of a row of a combo box.
    void Pick(QComboBox* Box, const QString& Row) {
        const int i = Box->findText(Row);
        ASSERT_GE(i, 0) << Row.toStdString();
        Box->setCurrentIndex(i);
        emit Box->activated(i);
    }
    // Typing into the chapter's text part, without leaving it.
    void TypeChapter(const QString& Text) {
        QLineEdit* edit = Win().cboCh->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, Text);
    }

    QStringList Pages() {
        QStringList rows;
        for (int i = 0; i < Win().cboPage->count(); ++i)
            rows << Win().cboPage->itemText(i);
        return rows;
    }
    QStringList ListRows() {
        QStringList rows;
        for (int i = 0; i < Win().lstTestQue->count(); ++i)
            rows << Win().lstTestQue->item(i)->text().trimmed();
        return rows;
    }
    QStringList IdsOf(const std::vector<int>& Indices) {
        QStringList v;
        for (int i : Indices)
            v << Ids[i];
        return v;
    }
    QString Shown() { return Win().txtQueNr->text().trimmed(); }
    QString QuestionText() { return Win().txtQuestion->toPlainText().trimmed(); }

    QStringList Ids;
    QStringList Answers;
};

TEST(StudyText, FirstEntryListsThePagesOfChapterTwoAndShowsTheFirstQuestion) {
    StudyRun run;
    ASSERT_FALSE(run.Mod.Ended);
    auto& w = run.Win();
    EXPECT_TRUE(w.cboCh->isHidden());
    run.StudyText();

    EXPECT_EQ(w.cboCh->currentText(), "2");
    EXPECT_EQ(run.Pages(), ChapterTwoPages);
    EXPECT_EQ(w.cboPage->currentText(), "4");
    EXPECT_EQ(run.ListRows(), run.IdsOf({2, 4}));
    EXPECT_EQ(run.Shown(), run.Ids[2]);
    EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[2] + "?");
    EXPECT_EQ(w.txtPage->text().trimmed(), "2-4");
    EXPECT_EQ(w.lblMode->text(), "Questions List for Text Chapter and Page");
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblChapter, w.lblPage, w.cboCh, w.cboPage})
        EXPECT_FALSE(c->isHidden()) << c->objectName().toStdString();
    EXPECT_TRUE(w.txtQueAns->isHidden());
    EXPECT_EQ(run.Mod.OpMode, 0);
    EXPECT_EQ(run.Mod.ListPos, 0);
    EXPECT_TRUE(w.lstTestQue->selectedItems().isEmpty());
    EXPECT_EQ(w.lstTestQue->currentRow(), -1);
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_FALSE(w.cmdPrevious->isEnabled());
    EXPECT_TRUE(w.cmdShowFig->isEnabled());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, PicksTypingAndRefusals) {
    using Act = std::function<void(StudyRun&)>;
    auto chapter = [](const char* c) -> Act {
        return [c](StudyRun& r) { r.Pick(r.Win().cboCh, c); };
    };
    auto page = [](const char* p) -> Act {
        return [p](StudyRun& r) { r.Pick(r.Win().cboPage, p); };
    };
    auto typed = [](const char* c, Act Then) -> Act {
        return [c, Then](StudyRun& r) {
            r.TypeChapter(c);
            Then(r);
        };
    };
    const Act studyText = [](StudyRun& r) { r.StudyText(); };
    const Act pool = [](StudyRun& r) { r.Win().cmdAll->click(); };
    std::vector<int> wholePool(35);
    std::iota(wholePool.begin(), wholePool.end(), 0);

    // After each step: the page rows, the list (pool indices) and the
    // question on display (pool index).
    const struct {
        const char* What;
        Act Do;
        QStringList Pages;
        std::vector<int> List;
        int Shown;
    } steps[] = {
        {"study text", studyText, ChapterTwoPages, {2, 4}, 2},
        {"chapter 3", chapter("3"), {"1", "4"}, {8}, 8},
        {"page 4 keeps the chapter", page("4"), {"1", "4"}, {9, 10, 11}, 9},
        {"chapter 2 again", chapter("2"), ChapterTwoPages, {2, 4}, 2},
        {"page 10", page("10"), ChapterTwoPages, {0, 3}, 0},
        {"typed chapter waits", typed("3", [](StudyRun&) {}), ChapterTwoPages, {0, 3}, 0},
        {"typed chapter with a page row of chapter 2", page("4"), ChapterTwoPages, {9, 10, 11}, 9},
        {"typed 10 at study text", typed("10", studyText), {"35"}, {12}, 12},
        {"blanks around the chapter", typed(" 3 ", studyText), {"1", "4"}, {8}, 8},
        {"above 10 refused", typed("11", studyText), {"1", "4"}, {8}, 8},
        {"not a number refused", typed("abc", page("4")), {"1", "4"}, {8}, 8},
        {"negative refused", typed("-1", studyText), {"1", "4"}, {8}, 8},
        {"fraction refused", typed("2.5", page("4")), {"1", "4"}, {8}, 8},
        {"empty refused", typed("", studyText), {"1", "4"}, {8}, 8},
        {"chapter 3 picked again", chapter("3"), {"1", "4"}, {8}, 8},
        {"chapter without pages keeps the list", chapter("5"), {}, {8}, 8},
        {"pool", pool, {}, wholePool, 0},
        {"study text with that chapter keeps the pool", studyText, {}, wholePool, 0},
    };

    StudyRun run;
    auto& w = run.Win();
    for (const auto& s : steps) {
        SCOPED_TRACE(s.What);
        s.Do(run);
        EXPECT_EQ(run.Pages(), s.Pages);
        EXPECT_EQ(run.ListRows(), run.IdsOf(s.List));
        EXPECT_EQ(run.Shown(), run.Ids[s.Shown]);
        EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[s.Shown] + "?");
        EXPECT_EQ(w.cmdNext->isEnabled(), s.List.size() > 1);
    }
    EXPECT_FALSE(w.cboCh->isHidden());
    EXPECT_EQ(w.cboCh->currentText(), "5");
    EXPECT_EQ(w.lblMode->text(), "Questions List for Text Chapter and Page");
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, PageWithoutMatchingQuestionShowsNoQuestion) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    // The question on display has a figure, open, and its answer revealed.
    w.cmdShowAns->click();
    ASSERT_FALSE(w.txtAnswer->isHidden());
    w.cmdShowFig->click();
    ASSERT_TRUE(run.Mod.frmShowFig->isVisible());

    // References written with a leading zero or blanks count, but list nothing.
    for (const char* page : {"7", "8", "12"}) {
        SCOPED_TRACE(page);
        run.Pick(w.cboPage, page);
        EXPECT_EQ(w.lstTestQue->count(), 0);
        for (QLineEdit* box : {w.txtQueNr, w.txtPage, w.txtAnswer})
            EXPECT_EQ(box->text(), "") << box->objectName().toStdString();
        for (QPlainTextEdit* box : {w.txtQuestion, w.txtA, w.txtB, w.txtC, w.txtD})
            EXPECT_EQ(box->toPlainText(), "") << box->objectName().toStdString();
        EXPECT_FALSE(w.txtA->font().bold());
        for (QPushButton* b :
             {w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_FALSE(run.Mod.frmShowFig->isVisible());
    }

    run.Pick(w.cboPage, "10");
    EXPECT_EQ(run.Shown(), run.Ids[0]);
    for (QPushButton* b : {w.cmdA, w.cmdD, w.cmdShowAns, w.cmdNext})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, RevealedAnswerStaysAcrossPicksUntilStudyText) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    w.cmdShowAns->click();
    ASSERT_FALSE(w.txtAnswer->isHidden());

    run.Pick(w.cboCh, "3");
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_FALSE(w.lblAnswer->isHidden());
    EXPECT_EQ(w.txtAnswer->text(), run.Answers[8]);

    run.Pick(w.cboPage, "4");
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_EQ(w.txtAnswer->text(), run.Answers[9]);

    run.StudyText();
    EXPECT_TRUE(w.txtAnswer->isHidden());
    EXPECT_TRUE(w.lblAnswer->isHidden());
    EXPECT_EQ(run.Shown(), run.Ids[8]);
}

} // namespace
} // namespace korvell::testing
