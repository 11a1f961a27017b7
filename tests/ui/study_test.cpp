// Chapter and page study: the page rows of a chapter, the question list of a
// page, typed chapters, and what an unusable chapter or page leaves behind.
#include "support/fixtures.h"
#include "ui/main/frmshowfig.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace korvell::testing {
namespace {

// Text references of the pool below (pool index: reference). Chapter 2 has
// pages 4, 7, 8, 9, 10 and 12 by count, but the references of pages 7, 8 and
// 12 are written in a form that no key matches.
const std::vector<std::pair<int, std::string>> References = {
    {0, "2-10"},   {1, "2-9"}, {2, "2-4"}, {3, "2-10"}, {4, "2-4"},  {5, "2-07"},  {6, "02-8"},
    {7, "2 - 12"}, {8, "3-1"}, {9, "3-4"}, {10, "3-4"}, {11, "3-4"}, {12, "10-35"}};

struct StudyRun : Program {
    StudyRun() {
        std::vector<FixtureQuestion> qs = StandardQuestions(1);
        for (const auto& [i, pg] : References)
            qs[i].Pg = pg;
        qs[2].Fig = "F1";
        Ids.clear();
        for (const auto& q : qs)
            Ids.push_back(QString::fromStdString(q.Id));
        Answers.clear();
        for (const auto& q : qs)
            Answers.push_back(QString::fromStdString(q.Answer));
        Data.WriteStandard(qs);
        Data.WriteFigure("F1");
        Start();
    }

    void StudyText() { Win().cmdStudy->click(); }
    void Pick(QComboBox* Box, const QString& Row) {
        const int i = Box->findText(Row);
        ASSERT_GE(i, 0) << Row.toStdString();
        Box->setCurrentIndex(i);
        emit Box->activated(i);
    }
    void PickChapter(const QString& Row) { Pick(Win().cboCh, Row); }
    void PickPage(const QString& Row) { Pick(Win().cboPage, Row); }
    // Types into the chapter's text part as a user does, without leaving it.
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
    QString Shown() { return Win().txtQueNr->text().trimmed(); }
    QString QuestionText() { return Win().txtQuestion->toPlainText().trimmed(); }

    QStringList Ids;
    QStringList Answers;
};

QStringList Ids(std::initializer_list<int> Indices, const QStringList& All) {
    QStringList v;
    for (int i : Indices)
        v << All[i];
    return v;
}

TEST(StudyText, FirstEntryListsThePagesOfChapterTwoAndShowsTheFirstQuestion) {
    StudyRun run;
    ASSERT_FALSE(run.Mod.Ended);
    auto& w = run.Win();
    EXPECT_TRUE(w.cboCh->isHidden());
    run.StudyText();

    EXPECT_EQ(w.cboCh->currentText(), "2");
    EXPECT_EQ(run.Pages(), QStringList({"4", "7", "8", "9", "10", "12"}));
    EXPECT_EQ(w.cboPage->currentText(), "4");
    EXPECT_EQ(run.ListRows(), Ids({2, 4}, run.Ids));
    EXPECT_EQ(run.Shown(), run.Ids[2]);
    EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[2] + "?");
    EXPECT_EQ(w.txtPage->text().trimmed(), "2-4");
    EXPECT_EQ(w.lblMode->text(), "Questions List for Text Chapter and Page");
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblChapter, w.lblPage, w.cboCh, w.cboPage})
        EXPECT_FALSE(c->isHidden()) << c->objectName().toStdString();
    for (QWidget* c : std::initializer_list<QWidget*>{w.lblQueAns, w.txtQueAns, w.txtPercent})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    EXPECT_EQ(run.Mod.OpMode, 0);
    EXPECT_EQ(run.Mod.ListPos, 0);
    EXPECT_EQ(w.lstTestQue->currentRow(), -1);
    EXPECT_TRUE(w.lstTestQue->selectedItems().isEmpty());
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_FALSE(w.cmdPrevious->isEnabled());
    EXPECT_TRUE(w.cmdShowFig->isEnabled());
    EXPECT_TRUE(run.Fake.Messages.empty());

    // Back to the pool hides the controls; they come back with the chapter kept.
    w.cmdAll->click();
    EXPECT_TRUE(w.cboPage->isHidden());
    run.PickChapter("3");
    run.StudyText();
    EXPECT_EQ(w.cboCh->currentText(), "3");
    EXPECT_EQ(run.ListRows(), Ids({8}, run.Ids));
}

TEST(StudyText, ChapterPickOffersItsPagesInNumericOrderAndShowsTheFirstPage) {
    const struct {
        const char* Chapter;
        QStringList Pages;
        std::initializer_list<int> FirstPageList;
    } cases[] = {
        {"2", {"4", "7", "8", "9", "10", "12"}, {2, 4}},
        {"3", {"1", "4"}, {8}},
    };
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Chapter);
        run.PickChapter(c.Chapter);
        EXPECT_EQ(run.Pages(), c.Pages);
        EXPECT_EQ(w.cboPage->currentText(), c.Pages.first());
        const QStringList expected = Ids(c.FirstPageList, run.Ids);
        EXPECT_EQ(run.ListRows(), expected);
        EXPECT_EQ(run.Shown(), expected.first());
        EXPECT_EQ(w.lstTestQue->currentRow(), -1);
        // One question: nowhere to go.
        EXPECT_EQ(w.cmdNext->isEnabled(), expected.size() > 1);
        EXPECT_FALSE(w.cmdPrevious->isEnabled());
    }

    // A page pick keeps the chapter.
    run.PickPage("4");
    EXPECT_EQ(w.cboCh->currentText(), "3");
    EXPECT_EQ(run.ListRows(), Ids({9, 10, 11}, run.Ids));
    EXPECT_EQ(run.Shown(), run.Ids[9]);
    EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[9] + "?");
    EXPECT_TRUE(w.cmdNext->isEnabled());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, ReferencesWrittenOtherwiseAreCountedButListNothing) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    // The question on display had a figure and a revealed answer.
    w.cmdShowAns->click();
    ASSERT_FALSE(w.txtAnswer->isHidden());
    w.cmdShowFig->click();
    ASSERT_TRUE(run.Mod.frmShowFig->isVisible());

    for (const char* page : {"7", "8", "12"}) {
        SCOPED_TRACE(page);
        run.PickPage(page);
        EXPECT_EQ(w.lstTestQue->count(), 0);
        EXPECT_EQ(w.txtQueNr->text(), "");
        EXPECT_EQ(w.txtPage->text(), "");
        EXPECT_EQ(w.txtAnswer->text(), "");
        for (QPlainTextEdit* box : {w.txtQuestion, w.txtA, w.txtB, w.txtC, w.txtD})
            EXPECT_EQ(box->toPlainText(), "") << box->objectName().toStdString();
        for (QPushButton* b :
             {w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdShowAns, w.cmdShowFig, w.cmdNext, w.cmdPrevious})
            EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
        EXPECT_FALSE(run.Mod.frmShowFig->isVisible());
    }

    // A page with questions brings everything back.
    run.PickPage("10");
    EXPECT_EQ(run.ListRows(), Ids({0, 3}, run.Ids));
    EXPECT_EQ(run.Shown(), run.Ids[0]);
    for (QPushButton* b : {w.cmdA, w.cmdD, w.cmdShowAns, w.cmdNext})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(w.cmdShowFig->isEnabled());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, RevealedAnswerStaysAcrossPicksUntilStudyText) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    w.cmdShowAns->click();
    ASSERT_FALSE(w.txtAnswer->isHidden());

    run.PickChapter("3");
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_FALSE(w.lblAnswer->isHidden());
    EXPECT_EQ(w.txtAnswer->text(), run.Answers[8]);

    run.PickPage("4");
    EXPECT_FALSE(w.txtAnswer->isHidden());
    EXPECT_EQ(w.txtAnswer->text(), run.Answers[9]);

    run.StudyText();
    EXPECT_TRUE(w.txtAnswer->isHidden());
    EXPECT_TRUE(w.lblAnswer->isHidden());
    EXPECT_EQ(run.Shown(), run.Ids[8]);
}

TEST(StudyText, TypedChapterTakesEffectAtTheNextPageOrStudyText) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();

    run.TypeChapter("3");
    EXPECT_EQ(run.Pages(), QStringList({"4", "7", "8", "9", "10", "12"}));
    EXPECT_EQ(run.ListRows(), Ids({2, 4}, run.Ids));

    // Page 4 of the rows of chapter 2, combined with the typed chapter.
    run.PickPage("4");
    EXPECT_EQ(run.ListRows(), Ids({9, 10, 11}, run.Ids));
    EXPECT_EQ(run.Pages(), QStringList({"4", "7", "8", "9", "10", "12"}));

    run.TypeChapter("10");
    run.StudyText();
    EXPECT_EQ(w.cboCh->currentText(), "10");
    EXPECT_EQ(run.Pages(), QStringList({"35"}));
    EXPECT_EQ(run.ListRows(), Ids({12}, run.Ids));
    EXPECT_EQ(run.Shown(), run.Ids[12]);
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, ChapterOutsideTheTableIsRefusedWithNoChange) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    run.PickPage("10");
    for (const char* typed : {"11", "-1", "abc", "2.5", "3x", "", "100"}) {
        SCOPED_TRACE(typed);
        run.TypeChapter(typed);
        run.PickPage("9");
        run.StudyText();
        EXPECT_EQ(w.cboCh->currentText(), typed);
        EXPECT_EQ(run.Pages(), QStringList({"4", "7", "8", "9", "10", "12"}));
        EXPECT_EQ(w.cboPage->currentText(), "9");
        EXPECT_EQ(run.ListRows(), Ids({0, 3}, run.Ids));
        EXPECT_EQ(run.Shown(), run.Ids[0]);
        EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[0] + "?");
    }
    // Blanks around a chapter are allowed.
    run.TypeChapter(" 3 ");
    run.StudyText();
    EXPECT_EQ(run.ListRows(), Ids({8}, run.Ids));
    EXPECT_TRUE(run.Fake.Messages.empty());
}

TEST(StudyText, ChapterWithoutPagesLeavesTheListAsItWas) {
    StudyRun run;
    auto& w = run.Win();
    run.StudyText();
    run.PickPage("10");
    w.cmdShowAns->click();

    run.PickChapter("5");
    EXPECT_EQ(w.cboPage->count(), 0);
    EXPECT_EQ(run.ListRows(), Ids({0, 3}, run.Ids));
    EXPECT_EQ(run.Shown(), run.Ids[0]);
    EXPECT_EQ(run.QuestionText(), "Question " + run.Ids[0] + "?");
    EXPECT_FALSE(w.txtAnswer->isHidden());

    // Entered from the pool, the pool list stays.
    w.cmdAll->click();
    run.StudyText();
    EXPECT_EQ(w.cboPage->count(), 0);
    EXPECT_EQ(w.lstTestQue->count(), run.Ids.size());
    EXPECT_EQ(run.Shown(), run.Ids[0]);
    EXPECT_EQ(w.lblMode->text(), "Questions List for Text Chapter and Page");
    EXPECT_FALSE(w.cboCh->isHidden());
    EXPECT_TRUE(run.Fake.Messages.empty());
}

} // namespace
} // namespace korvell::testing
