// The program's module: the question bank, the windows, and the procedures
// that the windows' handlers share. One object per program run.
#pragma once

#include "core/bank.h"
#include "core/history.h"
#include "core/memory.h"
#include "core/results.h"
#include "ui/lazy.h"

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

class QWidget;

namespace korvell {

class frmShowQue;
class frmShowFig;
class frmTestComplete;
class frmShowHelp;
class frmAbout;
class frmDisclaimer;
class frmFind;
class frmProgress;
class Reader;
class StudyRecord;

inline QString Q(const std::string& Text) {
    return QString::fromStdString(Text);
}

// A question answered wrongly in the last finished test, as the test left it.
struct MissedQue {
    QString Row;        // its row of the test list, verdict included
    std::string QueNr;  // its question identifier
    int16_t Idx = 0;    // its pool index
    std::string Picked; // the letter the user picked
};

// The last finished test, for its result by subelement and the review of the
// questions missed in it. Only the picks of that test are kept, in memory.
struct TestReview {
    // The wrong picks of the test that runs, by list position ("" for none),
    // and whether the answer there was right.
    std::array<std::string, MaxSecTbl + 1> Picks;
    std::array<bool, MaxSecTbl + 1> Rights{};
    // The last finished test: its misses in exam order, its results by
    // subelement and its final score.
    std::vector<MissedQue> Misses;
    std::vector<SubResult> BySubelement;
    int16_t NrQueAns = 0;
    int16_t NrRight = 0;
    float PctRight = 0.0f;
    // The main window shows the misses; a mode start ends it.
    bool Active = false;
};

// A finished test as the window "Progress" lists it.
struct TestDone {
    std::int64_t TimeMs = 0;
    int Score = 0; // right answers
    int Asked = 0; // questions asked
};

// Asks for a study record's file in a dialog over Parent; empty when cancelled.
std::string AskRecordFileByDialog(QWidget* Parent, bool New);

class modKorvell : public Bank {
public:
    explicit modKorvell(Platform& Sys);
    ~modKorvell() override;

    Lazy<korvell::frmShowQue, modKorvell> frmShowQue;
    Lazy<korvell::frmShowFig, modKorvell> frmShowFig;
    Lazy<korvell::frmTestComplete, modKorvell> frmTestComplete;
    Lazy<korvell::frmShowHelp, modKorvell> frmShowHelp;
    Lazy<korvell::frmAbout, modKorvell> frmAbout;
    Lazy<korvell::frmDisclaimer, modKorvell> frmDisclaimer;
    Lazy<korvell::frmFind, modKorvell> frmFind;
    Lazy<korvell::frmProgress, modKorvell> frmProgress;
    // Reading aloud (View menu); its voice is loaded when first used.
    Lazy<korvell::Reader, modKorvell> Reader;

    // The size of every text of the windows, in percent of the designed sizes,
    // one of TextSteps; it lasts for the run.
    static constexpr std::array<int, 5> TextSteps{100, 125, 150, 175, 200};
    int TextPct = 100;
    // Gives every window made so far the text size Pct (one of TextSteps).
    void SetTextSize(int Pct);
    // A window just made takes the run's text size and fits its screen.
    void WindowMade(QWidget* Window);
    std::vector<QPointer<QWidget>> Windows;

    // Start-up: loads every data file and opens the main window.
    void Main();

    // Runs one event handler to its end. When the handler reaches an ending
    // point on a platform that unwinds, the program counts as ended and no
    // later handler runs.
    template <class F> void Handle(F&& Handler) {
        if (Ended) return;
        if (Handling++ == 0) NoteFocus();
        try {
            std::forward<F>(Handler)();
        } catch (const ProgramEnded&) {
            Ended = true;
        }
        if (--Handling == 0 && !Ended) TellNews();
    }
    bool Ended = false;

    // What a screen reader is told once the handler that runs has ended: the
    // news of the question shown, the answer or the test's result, in plain
    // words. Each display starts it afresh; an answer adds to it.
    std::string News;
    // The window whose focused control carries the news; the main window
    // when none is named.
    QWidget* NewsWindow = nullptr;
    void Tell(const std::string& More) { News += (News.empty() ? "" : " ") + More; }
    // Puts the news on the control that has the focus in its window (or will
    // have it when the window opens), as its accessible description, and takes
    // the last news off the control that carried it.
    void TellNews();

    // Exam sections.
    void InitSections();
    void CheckSecCnt();

    // Help and disclaimer texts.
    void LoadHelpText();
    void LoadDisclaimerText();

    // Question display.
    void ShowQuestion();
    void SetNavButtons();
    void FocusNavButton();
    void ShowScorePanel(bool Visible);

    // Answering and scoring.
    void AnswerQuestion();
    std::string ShowRightWrong(const std::string& CorrectLetter);
    // Shows the explanation of the question on display, when it has one,
    // and gives it back.
    const ExplainRec* ShowExplain();

    // Simulated test.
    void StartTest();
    int16_t FindQuestion(const std::string& QueId);
    void FillTestComplete();
    // A fresh practice test on paper, through the system's print dialog.
    void PrintPracticeTest();

    // The last finished test kept for its result and the review of its misses.
    TestReview Review;
    void KeepMisses();
    void StartReview();
    void ShowMissAnswered();

    // Study modes.
    void StartPoolStudy();
    void StartChPgStudy();
    void FillPageList();
    void ListChPgQuestions();

    // Study lists of part of the pool, browsed as the whole pool is: the
    // list of these pool indices, in this order, under this caption.
    void StartStudyList(std::span<const int16_t> Idx, const QString& Caption);
    void StartSubStudy(const std::string& Code);
    void StartMarkedStudy();
    // The Study menu: an item per subelement of the exam groups, Find and the
    // marked questions. Filled once the groups and the syllabus are read.
    void FillStudyMenu();
    // The pool and the exam group codes as read.
    std::span<const QueRec> Pool() const;
    std::span<const std::string> ExamGroups() const;

    // Questions marked for later, by pool index: kept for the run only.
    std::array<bool, MaxQue + 1> Marked{};
    void ShowMark();      // the mark box follows the question on display
    void ShowMarkCount(); // the Study menu's item says how many are marked

    // The study record open, if any, and this run's answers as the study
    // model reads them: those kept in the record, and each answer given since.
    std::unique_ptr<StudyRecord> Record;
    std::vector<AnswerEvent> History;
    std::string RecordFile; // named on the command line, opened at start-up
    // Asks for a record's file (to make one when New); empty when cancelled.
    // A file dialog unless replaced (by the tests).
    std::function<std::string(bool New)> AskRecordFile;
    // Opens File as the record (making it when there is none), or says why
    // it cannot and goes on without a record.
    void OpenRecord(const std::string& File);
    void CloseRecord();
    void ShowRecordName(); // in the window's title
    // The answer on display, the test just finished and the mark of a
    // question go into the record at once.
    void KeepAnswer(bool Right);
    void KeepTest();
    bool TestKept = true; // the running test's result is in the record
    void KeepMark(int16_t Idx);

    // The study model: each question's memory, from the answers of History.
    StudyMemory Memory;
    std::size_t Modelled = 0;       // the answers of History that Memory holds
    std::vector<TestDone> RunTests; // the tests finished in this run
    void NoteTest();                // the test just finished
    void ReplayMemory();
    // The model's figures now, by the program's clock, with every answer of
    // History.
    Progress ProgressNow();
    // The record's tests, or without one this run's.
    std::vector<TestDone> TestsDone() const;
    // The Study menu's items say how many are due and never answered; the
    // Progress window, when open, shows the figures afresh.
    void ShowStudyCounts();
    void StartDueStudy();
    void StartNeverStudy();

protected:
    void PoolLoaded() override;

private:
    int Handling = 0;
    // The control, or row of the question list, that carries the last news.
    QPointer<QWidget> Told;
    int ToldRow = -1;
    // The current row of the question list when the last news was told.
    int RowTold = -1;
    // The control that had the focus when the running handler began.
    QPointer<QWidget> FocusBefore;
    void NoteFocus();
};

} // namespace korvell
