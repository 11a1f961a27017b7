#include "ui/exam/frmtestcomplete.h"

#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace korvell {

frmTestComplete::frmTestComplete(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmTestComplete");
    setWindowTitle("Test Complete");

    txtPassFail = MakeField(this, "txtPassFail", "Pass-Fail", "Greeting");
    txtPassFail->setAlignment(Qt::AlignCenter);
    QFont big = txtPassFail->font();
    big.setPointSize(18);
    big.setBold(true);
    txtPassFail->setFont(big);
    lblYou = MakeLabel(this, "lblYou", "You");
    lblPassFail = MakeLabel(this, "lblPassFail", "Pass or Fail");
    QFont verdict = lblYou->font();
    verdict.setPointSize(14);
    verdict.setBold(true);
    lblYou->setFont(verdict);
    lblPassFail->setFont(verdict);
    txtAnsOK = MakeField(this, "txtAnsOK", "0", {});
    lblCorrect = MakeLabel(this, "lblCorrect", "Correct answers", txtAnsOK);
    txtPercent = MakeField(this, "txtPercent", "0%", {});
    lblPercent = MakeLabel(this, "lblPercent", "Percent", txtPercent);
    txtMargin = MakeField(this, "txtMargin", {}, "Margin");
    txtChance = MakeField(this, "txtChance", {}, "Chance to pass now");
    txtChance->hide();
    txtChance->setFocusPolicy(Qt::NoFocus);
    grdResults = new QTableWidget(0, 4, this);
    grdResults->setObjectName("grdResults");
    grdResults->setAccessibleName("Results by subelement");
    grdResults->setHorizontalHeaderLabels({"Subelement", "Topic", "Right", "Asked"});
    grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdResults->setSelectionMode(QAbstractItemView::SingleSelection);
    grdResults->setTabKeyNavigation(false); // Tab goes on to the buttons
    grdResults->setWordWrap(false);
    grdResults->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdResults->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grdResults->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    cmdTakeTest = MakeButton(this, "cmdTakeTest", "&Take another Test");
    cmdPick = MakeButton(this, "cmdPick", "&Pick from whole Pool");
    cmdReview = MakeButton(this, "cmdReview", "&Review Misses");
    cmdReview->setEnabled(false);
    cmdStudySub = MakeButton(this, "cmdStudySub", "&Study Subelement");
    cmdQuit = MakeButton(this, "cmdQuit", "&Quit");

    auto* verdictRow = new QHBoxLayout;
    verdictRow->addStretch(1);
    verdictRow->addWidget(lblYou);
    verdictRow->addWidget(lblPassFail);
    verdictRow->addStretch(1);

    auto* figures = new QHBoxLayout;
    figures->addWidget(lblCorrect);
    figures->addWidget(txtAnsOK);
    figures->addSpacing(16);
    figures->addWidget(lblPercent);
    figures->addWidget(txtPercent);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTakeTest);
    buttons->addWidget(cmdPick);
    buttons->addWidget(cmdReview);
    buttons->addWidget(cmdStudySub);
    buttons->addWidget(cmdQuit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtPassFail);
    layout->addLayout(verdictRow);
    layout->addLayout(figures);
    layout->addWidget(txtMargin);
    layout->addWidget(txtChance);
    layout->addWidget(grdResults, 1);
    layout->addLayout(buttons);

    setTabOrder(txtPassFail, txtAnsOK);
    setTabOrder(txtAnsOK, txtPercent);
    setTabOrder(txtPercent, txtMargin);
    setTabOrder(txtMargin, txtChance);
    setTabOrder(txtChance, grdResults);
    setTabOrder(grdResults, cmdTakeTest);
    setTabOrder(cmdTakeTest, cmdPick);
    setTabOrder(cmdPick, cmdReview);
    setTabOrder(cmdReview, cmdStudySub);
    setTabOrder(cmdStudySub, cmdQuit);

    OnClick(this, cmdTakeTest, &frmTestComplete::cmdTakeTest_Click);
    OnClick(this, cmdPick, &frmTestComplete::cmdPick_Click);
    OnClick(this, cmdReview, &frmTestComplete::cmdReview_Click);
    OnClick(this, cmdQuit, &frmTestComplete::cmdQuit_Click);
    OnClick(this, cmdStudySub, &frmTestComplete::cmdStudySub_Click);
    connect(grdResults, &QTableWidget::cellDoubleClicked, this,
            [this] { this->Mod.Handle([this] { cmdStudySub_Click(); }); });
    grdResults->installEventFilter(this);
}

bool frmTestComplete::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == grdResults && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Mod.Handle([this] { cmdStudySub_Click(); });
            return true;
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

} // namespace korvell
