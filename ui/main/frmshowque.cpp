#include "ui/main/frmshowque.h"

#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <tuple>

namespace korvell {

namespace {

QComboBox* MakeCombo(QWidget* Parent, const char* Name, const QString& Text) {
    auto* box = new QComboBox(Parent);
    box->setObjectName(Name);
    // The text part takes what is typed as typed, with no completion from the
    // rows: a line edit that already has a completer spares the combo box
    // making its own from its rows, the costly part of an editable box.
    auto* edit = new QLineEdit(box);
    edit->setPalette(box->palette());
    edit->setCompleter(new QCompleter(edit));
    box->setLineEdit(edit);
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(Text);
    box->setMinimumContentsLength(4);
    return box;
}

} // namespace

frmShowQue::frmShowQue(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmShowQue");
    setWindowTitle("Technician Examination Questions");
    setFont(QFont("MS Sans Serif", 10));

    auto* central = Body = new QWidget(this);
    setCentralWidget(central);

    // Question area.
    txtQueNr = MakeField(central, "txtQueNr", "Que Nr", {});
    lblQuestion = MakeLabel(central, "lblQuestion", "Question Number", txtQueNr);
    chkMark = new KeyCheckBox("&Mark", central);
    chkMark->setObjectName("chkMark");
    chkMark->setAccessibleName("Mark");
    // A click leaves the focus where it was (on Next Question after an answer).
    chkMark->setFocusPolicy(Qt::TabFocus);
    chkMark->setToolTip("Mark this question to study it later: Alt+M or Ctrl+M");
    txtPage = MakeField(central, "txtPage", "N/A", {});
    lblChPage = MakeLabel(central, "lblChPage", "Text Book Page", txtPage);
    txtQuestion = MakeTextArea(central, "txtQuestion", "Question statement", "Question");
    txtA = MakeTextArea(central, "txtA", "Choice A", "Choice A");
    txtB = MakeTextArea(central, "txtB", "Choice B", "Choice B");
    txtC = MakeTextArea(central, "txtC", "Choice C", "Choice C");
    txtD = MakeTextArea(central, "txtD", "Choice D", "Choice D");
    cmdA = MakeButton(central, "cmdA", "&A");
    cmdB = MakeButton(central, "cmdB", "&B");
    cmdC = MakeButton(central, "cmdC", "&C");
    cmdD = MakeButton(central, "cmdD", "&D");
    txtAnswer = MakeField(central, "txtAnswer", "Right Choice", {});
    lblAnswer = MakeLabel(central, "lblAnswer", "Answer", txtAnswer);
    txtRightWrong = MakeField(central, "txtRightWrong", "Check", "Verdict");
    cmdShowAns = MakeButton(central, "cmdShowAns", "&Show Answer");
    cmdShowFig = MakeButton(central, "cmdShowFig", "Show &Figure");
    txtExplain = MakeTextArea(central, "txtExplain", {}, "Explanation");

    // Question list and navigation.
    lstTestQue = MakeList(central, "lstTestQue", {});
    lblQueNrs = MakeLabel(central, "lblQueNrs", "Question Numbers", lstTestQue);
    cmdNext = MakeButton(central, "cmdNext", "&Next Question");
    cmdPrevious = MakeButton(central, "cmdPrevious", "&Previous Question");

    // Mode selection.
    lblMode = MakeLabel(central, "lblMode", "Program Operating Mode");
    cmdAll = MakeButton(central, "cmdAll", "Show P&ool");
    cmdNewTest = MakeButton(central, "cmdNewTest", "Begin New &Test");
    cmdStudy = MakeButton(central, "cmdStudy", "St&udy Text");
    cboCh = MakeCombo(central, "cboCh", "2");
    lblChapter = MakeLabel(central, "lblChapter", "Chapter", cboCh);
    cboPage = MakeCombo(central, "cboPage", "Pg");
    lblPage = MakeLabel(central, "lblPage", "Page", cboPage);

    // Score panel.
    txtQueAns = MakeField(central, "txtQueAns", "Answered", {});
    lblQueAns = MakeLabel(central, "lblQueAns", "Questions Answered", txtQueAns);
    txtNrRight = MakeField(central, "txtNrRight", "Right", {});
    lblCorrect = MakeLabel(central, "lblCorrect", "Correct Answers", txtNrRight);
    txtPercent = MakeField(central, "txtPercent", "Percent", {});
    lblPercent = MakeLabel(central, "lblPercent", "Percent Correct", txtPercent);

    // Pool and program.
    txtNpool = MakeField(central, "txtNpool", "Npool", {});
    lblNpool = MakeLabel(central, "lblNpool", "Questions in Pool", txtNpool);
    cmdExit = MakeButton(central, "cmdExit", "&Quit");

    // The menu bar: File, Study, View and Help, in that order. A menu shows in
    // the bar once it is given items.
    auto* menus = new KeyMenuBar(this);
    setMenuBar(menus);
    mnuFile = menus->AddMenu("Fi&le");
    mnuFile->setObjectName("mnuFile");
    mnuFile->setAccessibleName("File");
    pgmNewRecord = mnuFile->addAction("New Study Record...");
    pgmNewRecord->setObjectName("pgmNewRecord");
    pgmOpenRecord = mnuFile->addAction("Open Study Record...");
    pgmOpenRecord->setObjectName("pgmOpenRecord");
    pgmOpenRecord->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    pgmCloseRecord = mnuFile->addAction("Close Study Record");
    pgmCloseRecord->setObjectName("pgmCloseRecord");
    pgmCloseRecord->setEnabled(false); // while a record is open
    mnuFile->addSeparator();
    pgmPrintTest = mnuFile->addAction("Print Practice Test...");
    pgmPrintTest->setObjectName("pgmPrintTest");
    pgmPrintTest->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuFile->menuAction()->setVisible(true);
    mnuStudy = menus->AddMenu("Stud&y");
    mnuStudy->setObjectName("mnuStudy");
    mnuStudy->setAccessibleName("Study");
    mnuView = menus->AddMenu("&View");
    mnuView->setObjectName("mnuView");
    mnuView->setAccessibleName("View");
    pgmLarger = mnuView->addAction("Larger Text");
    pgmLarger->setObjectName("pgmLarger");
    pgmLarger->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    pgmSmaller = mnuView->addAction("Smaller Text");
    pgmSmaller->setObjectName("pgmSmaller");
    pgmSmaller->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    pgmSmaller->setEnabled(false); // the designed size is the smallest
    pgmNormalSize = mnuView->addAction("Normal Text Size");
    pgmNormalSize->setObjectName("pgmNormalSize");
    pgmNormalSize->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    AddReadAloud();
    for (QMenu* menu : {mnuFile, mnuStudy, mnuView})
        menu->menuAction()->setVisible(!menu->actions().isEmpty());
    mnuHelp = menus->AddMenu("&Help");
    mnuHelp->setObjectName("mnuHelp");
    mnuHelp->setAccessibleName("Help");
    // The Study menu's items besides the subelements, which come with the
    // exam groups (FillStudyMenu).
    pgmFind = new QAction("&Find Questions...", this);
    pgmFind->setObjectName("pgmFind");
    pgmFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    pgmMarked = new QAction("&Marked Questions", this);
    pgmMarked->setObjectName("pgmMarked");
    pgmMarked->setEnabled(false);
    pgmDue = new QAction("&Review Due", this);
    pgmDue->setObjectName("pgmDue");
    pgmDue->setEnabled(false);
    pgmNever = new QAction("&Never Answered", this);
    pgmNever->setObjectName("pgmNever");
    pgmNever->setEnabled(false);
    pgmProgress = new QAction("&Progress...", this);
    pgmProgress->setObjectName("pgmProgress");
    pgmProgress->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    pgmHelp = mnuHelp->addAction("Program Help");
    pgmHelp->setObjectName("pgmHelp");
    pgmHelp->setShortcut(Qt::Key_F1);
    pgmAbout = mnuHelp->addAction("About");
    pgmAbout->setObjectName("pgmAbout");

    // Designed states.
    lblAnswer->hide();
    txtAnswer->hide();
    txtExplain->hide();
    cmdPrevious->setEnabled(false);
    cmdShowAns->setEnabled(false);

    // Sizes that keep the question readable.
    QFont modeFont = lblMode->font();
    modeFont.setPointSize(14);
    modeFont.setBold(true);
    lblMode->setFont(modeFont);
    for (QPushButton* b : {cmdA, cmdB, cmdC, cmdD}) {
        QFont f = b->font();
        f.setPointSize(16);
        f.setBold(true);
        b->setFont(f);
    }
    QFont explainFont = txtExplain->font();
    explainFont.setPointSize(12);
    txtExplain->setFont(explainFont);
    txtRightWrong->setAlignment(Qt::AlignCenter);
    // The answer, the verdict and the explanation have their room before they
    // show, so that revealing them moves nothing the user is reading.
    for (QWidget* c :
         std::initializer_list<QWidget*>{lblAnswer, txtAnswer, txtRightWrong, txtExplain}) {
        QSizePolicy p = c->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        c->setSizePolicy(p);
    }

    // Layout: the question on the left, the list on the right, the mode
    // buttons and the score panel below.
    auto* head = new QHBoxLayout;
    head->addWidget(lblQuestion);
    head->addWidget(txtQueNr);
    head->addSpacing(8);
    head->addWidget(chkMark);
    head->addStretch(1);
    head->addWidget(lblChPage);
    head->addWidget(txtPage);

    auto* choices = new QGridLayout;
    int row = 0;
    for (auto [button, box] : {std::pair{cmdA, txtA}, std::pair{cmdB, txtB}, std::pair{cmdC, txtC},
                               std::pair{cmdD, txtD}}) {
        choices->addWidget(button, row, 0, Qt::AlignTop);
        choices->addWidget(box, row, 1);
        choices->setRowStretch(row, 2);
        ++row;
    }

    auto* answerRow = new QHBoxLayout;
    answerRow->addWidget(lblAnswer);
    answerRow->addWidget(txtAnswer);
    answerRow->addWidget(txtRightWrong);
    answerRow->addStretch(1);
    answerRow->addWidget(cmdShowAns);
    answerRow->addWidget(cmdShowFig);

    auto* question = new QVBoxLayout;
    question->setSpacing(4);
    question->addLayout(head);
    question->addWidget(txtQuestion, 3);
    question->addLayout(choices, 8);
    question->addLayout(answerRow);
    question->addWidget(txtExplain, 3);

    auto* navRow = NavRow = new QHBoxLayout;
    navRow->addWidget(cmdPrevious);
    navRow->addWidget(cmdNext);

    auto* list = new QVBoxLayout;
    list->addWidget(lblQueNrs);
    list->addWidget(lstTestQue, 1);
    list->addLayout(navRow);

    auto* upper = new QHBoxLayout;
    upper->addLayout(question, 1);
    upper->addLayout(list);

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(cmdAll);
    modeRow->addWidget(cmdNewTest);
    modeRow->addWidget(cmdStudy);
    modeRow->addSpacing(12);
    modeRow->addWidget(lblChapter);
    modeRow->addWidget(cboCh);
    modeRow->addWidget(lblPage);
    modeRow->addWidget(cboPage);
    modeRow->addStretch(1);

    auto* scoreRow = new QHBoxLayout;
    scoreRow->addWidget(lblQueAns);
    scoreRow->addWidget(txtQueAns);
    scoreRow->addWidget(lblCorrect);
    scoreRow->addWidget(txtNrRight);
    scoreRow->addWidget(lblPercent);
    scoreRow->addWidget(txtPercent);
    scoreRow->addStretch(1);
    scoreRow->addWidget(lblNpool);
    scoreRow->addWidget(txtNpool);
    scoreRow->addSpacing(12);
    scoreRow->addWidget(cmdExit);

    auto* top = new QVBoxLayout(central);
    top->setSpacing(4);
    top->setContentsMargins(8, 4, 8, 6);
    top->addWidget(lblMode);
    top->addLayout(upper, 1);
    top->addLayout(modeRow);
    top->addLayout(scoreRow);

    // Keyboard order follows the reading order.
    QWidget* order[] = {txtQueNr,    chkMark,       txtPage,    txtQuestion, cmdA,       txtA,
                        cmdB,        txtB,          cmdC,       txtC,        cmdD,       txtD,
                        txtAnswer,   txtRightWrong, cmdShowAns, cmdShowFig,  txtExplain, lstTestQue,
                        cmdPrevious, cmdNext,       cmdAll,     cmdNewTest,  cmdStudy,   cboCh,
                        cboPage,     txtQueAns,     txtNrRight, txtPercent,  txtNpool,   cmdExit};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Handlers.
    OnClick(this, cmdA, &frmShowQue::cmdA_Click);
    OnClick(this, cmdB, &frmShowQue::cmdB_Click);
    OnClick(this, cmdC, &frmShowQue::cmdC_Click);
    OnClick(this, cmdD, &frmShowQue::cmdD_Click);
    OnClick(this, cmdAll, &frmShowQue::cmdAll_Click);
    OnClick(this, cmdExit, &frmShowQue::cmdExit_Click);
    OnClick(this, cmdNewTest, &frmShowQue::cmdNewTest_Click);
    OnClick(this, cmdNext, &frmShowQue::cmdNext_Click);
    OnClick(this, cmdPrevious, &frmShowQue::cmdPrevious_Click);
    OnClick(this, cmdShowAns, &frmShowQue::cmdShowAns_Click);
    OnClick(this, cmdShowFig, &frmShowQue::cmdShowFig_Click);
    OnClick(this, cmdStudy, &frmShowQue::cmdStudy_Click);
    // The combo boxes react to a user's pick of a row only.
    connect(cboCh, &QComboBox::activated, this, [this] {
        if (!TypedCommit) this->Mod.Handle([this] { cboCh_Click(); });
    });
    connect(cboPage, &QComboBox::activated, this, [this] {
        if (!TypedCommit) this->Mod.Handle([this] { cboPage_Click(); });
    });
    // A user's keys and the focus go to the box itself, which hands them to its
    // text part directly; events sent to the text part go there.
    for (QComboBox* box : {cboCh, cboPage}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    // A mark changes nothing but the mark, which follows the box however it
    // changes: a click, its keys, or an assistive tool's toggle.
    connect(chkMark, &QCheckBox::toggled, this,
            [this] { this->Mod.Handle([this] { chkMark_Click(); }); });
    OnKey(this, QKeySequence(Qt::CTRL | Qt::Key_M), [this] { chkMark->click(); });
    connect(pgmFind, &QAction::triggered, this,
            [this] { this->Mod.Handle([this] { pgmFind_Click(); }); });
    connect(pgmMarked, &QAction::triggered, this,
            [this] { this->Mod.Handle([this] { pgmMarked_Click(); }); });
    for (auto [item, handler] : {std::pair{pgmDue, &frmShowQue::pgmDue_Click},
                                 std::pair{pgmNever, &frmShowQue::pgmNever_Click},
                                 std::pair{pgmProgress, &frmShowQue::pgmProgress_Click}})
        connect(item, &QAction::triggered, this,
                [this, handler] { this->Mod.Handle([this, handler] { (this->*handler)(); }); });
    for (auto [item, handler] : {std::pair{pgmLarger, &frmShowQue::pgmLarger_Click},
                                 std::pair{pgmSmaller, &frmShowQue::pgmSmaller_Click},
                                 std::pair{pgmNormalSize, &frmShowQue::pgmNormalSize_Click}})
        connect(item, &QAction::triggered, this,
                [this, handler] { this->Mod.Handle([this, handler] { (this->*handler)(); }); });
    connect(pgmHelp, &QAction::triggered, this,
            [this] { this->Mod.Handle([this] { pgmHelp_Click(); }); });
    connect(pgmAbout, &QAction::triggered, this,
            [this] { this->Mod.Handle([this] { pgmAbout_Click(); }); });
    for (auto [item, handler] : {std::pair{pgmNewRecord, &frmShowQue::pgmNewRecord_Click},
                                 std::pair{pgmOpenRecord, &frmShowQue::pgmOpenRecord_Click},
                                 std::pair{pgmCloseRecord, &frmShowQue::pgmCloseRecord_Click},
                                 std::pair{pgmPrintTest, &frmShowQue::pgmPrintTest_Click}})
        connect(item, &QAction::triggered, this,
                [this, handler] { this->Mod.Handle([this, handler] { (this->*handler)(); }); });
    // Every change of the selected row is a pick, and so is a click on the
    // row already selected (which changes nothing and is reported only as a
    // click). The row that becomes current when the list gets the keyboard
    // focus is not selected, and is no pick.
    connect(lstTestQue, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lstTestQue->selectedItems().isEmpty())
            this->Mod.Handle([this] { lstTestQue_Click(); });
    });
    lstTestQue->viewport()->installEventFilter(this);
    connect(lstTestQue, &QListWidget::itemClicked, this, [this](QListWidgetItem* Item) {
        if (lstTestQue->row(Item) == RowAtPress) this->Mod.Handle([this] { lstTestQue_Click(); });
    });

    // Keys: A to D and 1 to 4 answer as the letter buttons do, wherever the
    // focus is; an editable box (the text part of the chapter and page boxes)
    // takes them as typed text instead.
    const std::tuple<QPushButton*, Qt::Key, Qt::Key> answerKeys[] = {{cmdA, Qt::Key_A, Qt::Key_1},
                                                                     {cmdB, Qt::Key_B, Qt::Key_2},
                                                                     {cmdC, Qt::Key_C, Qt::Key_3},
                                                                     {cmdD, Qt::Key_D, Qt::Key_4}};
    for (const auto& [button, letter, digit] : answerKeys) {
        for (Qt::Key key : {letter, digit})
            OnKey(this, key, [button] {
                if (button->isEnabled() && button->isVisible()) button->click();
            });
        const QString name = button->text();
        button->setToolTip(QString("Answer %1: key %1 or %2, or Alt+%1")
                               .arg(name, QString::number(name[0].unicode() - 'A' + 1)));
    }
    cmdNext->setToolTip("Next question: Alt+N, or Enter or Space when it has the focus");
    cmdPrevious->setToolTip("Previous question: Alt+P, or Enter or Space when it has the focus");
    OnKey(this, QKeySequence(Qt::CTRL | Qt::Key_Q),
          [this] { this->Mod.Handle([this] { cmdExit_Click(); }); });
    cmdExit->setToolTip("Quit: Alt+Q or Ctrl+Q");

    // A new width wraps the texts afresh.
    Body->installEventFilter(this);
    SizeToText();
    resize(1100, 690);
}

void frmShowQue::changeEvent(QEvent* Event) {
    if (Event->type() == QEvent::FontChange && Body && Body->layout()) SizeToText();
    QMainWindow::changeEvent(Event);
}

bool frmShowQue::eventFilter(QObject* Watched, QEvent* Event) {
    // Text typed into a combo box and confirmed with Enter or by leaving the
    // box matches a row and would count as a pick; it waits for the next one.
    if (Watched == cboCh || Watched == cboPage || Watched == cboCh->lineEdit() ||
        Watched == cboPage->lineEdit()) {
        const auto* key =
            Event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(Event) : nullptr;
        const bool commit = Event->type() == QEvent::FocusOut ||
                            (key && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter));
        if (commit) {
            TypedCommit = true;
            Watched->event(Event);
            TypedCommit = false;
            return true;
        }
    }
    if (Watched == Body && Event->type() == QEvent::Resize &&
        static_cast<QResizeEvent*>(Event)->oldSize().width() != Body->width()) {
        if (Fitting)
            FitAgain = true;
        else if (!std::exchange(FitQueued, true))
            QMetaObject::invokeMethod(
                this,
                [this] {
                    FitQueued = false;
                    FitTexts();
                },
                Qt::QueuedConnection);
    }
    if (Watched == lstTestQue->viewport() && Event->type() == QEvent::MouseButtonPress) {
        const QList<QListWidgetItem*> selected = lstTestQue->selectedItems();
        RowAtPress = selected.isEmpty() ? -1 : lstTestQue->row(selected.first());
    }
    return QMainWindow::eventFilter(Watched, Event);
}

void frmShowQue::closeEvent(QCloseEvent* Event) {
    Event->ignore();
    Mod.Handle([this] { cmdExit_Click(); });
}

} // namespace korvell
