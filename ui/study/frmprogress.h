// The window "Progress": the chance to pass now, the expected score, each
// subelement's questions answered and known, what is due for review and the
// tests finished, with a chart of their scores.
#pragma once

#include "ui/modkorvell.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <vector>

namespace korvell {

// The scores of the tests over time, with the pass mark as a line across.
class ScoreChart : public QWidget {
    Q_OBJECT
public:
    explicit ScoreChart(QWidget* Parent);
    void SetTests(std::vector<TestDone> Tests, int Asked, int PassMark);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    std::vector<TestDone> Tests;
    int Asked = 35;
    int Pass = 26;
};

class frmProgress : public QWidget {
    Q_OBJECT
public:
    explicit frmProgress(modKorvell& Mod);

    modKorvell& Mod;
    QLabel* lblNothingKept; // without a study record: only this run counts
    QLabel* lblChance;
    QLabel* lblExpected;
    QLabel* lblBySub;
    QTableWidget* grdSubelements; // answered, known and the shares' bar
    QLabel* lblDue;
    QPushButton* cmdReviewDue;
    QLabel* lblTests;
    QTableWidget* grdTests; // date, score, passed or failed
    ScoreChart* picScores;

    // Fills every figure afresh from the study model at this moment.
    void Fill();
    void cmdReviewDue_Click();

protected:
    // The figures are those of the moment the window comes to the front.
    void changeEvent(QEvent* Event) override;

private:
    void SizeToText();
};

} // namespace korvell
