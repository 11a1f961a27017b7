// The main window: one question with its four choices, the current question
// list, the operating mode, the score panel and the pool count.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>

class QBoxLayout;

namespace korvell {

class modKorvell;

class frmShowQue : public QMainWindow {
    Q_OBJECT
public:
    explicit frmShowQue(modKorvell& Mod);

    modKorvell& Mod;

    // Question area.
    QLabel* lblQuestion;
    QLineEdit* txtQueNr;
    QCheckBox* chkMark; // marks the question on display for later
    QPlainTextEdit* txtQuestion;
    QPlainTextEdit* txtA;
    QPlainTextEdit* txtB;
    QPlainTextEdit* txtC;
    QPlainTextEdit* txtD;
    QPushButton* cmdA;
    QPushButton* cmdB;
    QPushButton* cmdC;
    QPushButton* cmdD;
    QLabel* lblAnswer;
    QLineEdit* txtAnswer;
    QLineEdit* txtRightWrong;
    QPushButton* cmdShowAns;
    QPushButton* cmdShowFig;
    QLabel* lblChPage;
    QLineEdit* txtPage;
    // Why the correct choice is right, shown once the answer is out.
    QPlainTextEdit* txtExplain;

    // Question list and navigation.
    QLabel* lblQueNrs;
    QListWidget* lstTestQue;
    QPushButton* cmdNext;
    QPushButton* cmdPrevious;

    // Mode selection.
    QLabel* lblMode;
    QPushButton* cmdAll;
    QPushButton* cmdNewTest;
    QPushButton* cmdStudy;
    QLabel* lblChapter;
    QComboBox* cboCh;
    QLabel* lblPage;
    QComboBox* cboPage;

    // Score panel.
    QLabel* lblQueAns;
    QLineEdit* txtQueAns;
    QLabel* lblCorrect;
    QLineEdit* txtNrRight;
    QLabel* lblPercent;
    QLineEdit* txtPercent;

    // Pool and program.
    QLabel* lblNpool;
    QLineEdit* txtNpool;
    QPushButton* cmdExit;
    QMenu* mnuFile;
    QMenu* mnuStudy;
    QMenu* mnuView;
    QMenu* mnuHelp;
    QAction* pgmNewRecord;
    QAction* pgmOpenRecord;
    QAction* pgmCloseRecord;
    QAction* pgmPrintTest;
    QAction* pgmFind;
    QAction* pgmMarked;
    QAction* pgmDue;      // the questions due for review
    QAction* pgmNever;    // the questions never answered
    QAction* pgmProgress; // the window "Progress"
    QAction* pgmLarger;
    QAction* pgmSmaller;
    QAction* pgmNormalSize;
    QAction* pgmReadAloud; // reading aloud (speak.cpp)
    QAction* pgmStopReading;
    QAction* pgmReadEach;
    QAction* pgmSlower;
    QAction* pgmFaster;
    QAction* pgmHelp;
    QAction* pgmAbout;

    void Form_Load();
    // Lays the question's boxes out for the texts they show: each as high as
    // its text wrapped to its width, within the screen where the window can
    // hold them (ui/main/fit.cpp).
    void FitTexts();

    void cboCh_Click();
    void cboPage_Click();
    void chkMark_Click();
    void cmdA_Click();
    void cmdB_Click();
    void cmdC_Click();
    void cmdD_Click();
    void cmdAll_Click();
    void cmdExit_Click();
    void cmdNewTest_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdShowAns_Click();
    void cmdShowFig_Click();
    void cmdStudy_Click();
    void lstTestQue_Click();
    void pgmAbout_Click();
    void pgmNewRecord_Click();
    void pgmOpenRecord_Click();
    void pgmCloseRecord_Click();
    void pgmPrintTest_Click();
    void pgmFind_Click();
    void pgmMarked_Click();
    void pgmDue_Click();
    void pgmNever_Click();
    void pgmProgress_Click();
    void pgmSub_Click(const std::string& Code);
    void pgmHelp_Click();
    void pgmLarger_Click();
    void pgmSmaller_Click();
    void pgmNormalSize_Click();

protected:
    // A new size of the window's text resizes what is measured in it.
    void changeEvent(QEvent* Event) override;
    // The frame's close control ends the program like "Quit".
    void closeEvent(QCloseEvent* Event) override;
    // Notes the selected row when a mouse button goes down on the list, so
    // that a click which leaves the selection as it was still counts as a pick.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Sizes in pixels that follow the text size: button widths, field widths,
    // box heights in lines of their type.
    void SizeToText();
    // The View menu's reading items, after the text sizes.
    void AddReadAloud();
    QWidget* Body = nullptr;      // holds every control
    QBoxLayout* NavRow = nullptr; // Previous and Next, side by side or stacked
    bool Fitting = false, FitAgain = false, FitQueued = false;
    int RowAtPress = -1;
    bool TypedCommit = false;
};

} // namespace korvell
