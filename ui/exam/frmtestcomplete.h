// The result window of a simulated test.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>

namespace korvell {

class modKorvell;

class frmTestComplete : public QWidget {
    Q_OBJECT
public:
    explicit frmTestComplete(modKorvell& Mod);

    modKorvell& Mod;
    QLineEdit* txtPassFail;
    QLabel* lblYou;
    QLabel* lblPassFail;
    QLabel* lblCorrect;
    QLineEdit* txtAnsOK;
    QLabel* lblPercent;
    QLineEdit* txtPercent;
    QLineEdit* txtMargin;     // the distance to the pass mark, in words
    QLineEdit* txtChance;     // with a study record open: the chance to pass now
    QTableWidget* grdResults; // right answers and questions asked by subelement
    QPushButton* cmdTakeTest;
    QPushButton* cmdPick;
    QPushButton* cmdReview;
    QPushButton* cmdStudySub; // studies the subelement of the selected row
    QPushButton* cmdQuit;

    void Form_Load();
    void cmdTakeTest_Click();
    void cmdPick_Click();
    void cmdReview_Click();
    void cmdStudySub_Click();
    void cmdQuit_Click();
    // Sizes measured in the window's text: the margin line and the whole table.
    void SizeToText();

protected:
    // Enter on a row of the results studies its subelement.
    bool eventFilter(QObject* Watched, QEvent* Event) override;
    // A new size of the window's text resizes what is measured in it.
    void changeEvent(QEvent* Event) override;
};

} // namespace korvell
