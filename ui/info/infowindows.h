// The help, About and disclaimer windows.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

namespace korvell {

class modKorvell;

class frmShowHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmShowHelp(modKorvell& Mod);

    modKorvell& Mod;
    QLabel* lblHelp;
    QListWidget* lstHelpText;
    QPushButton* cmdClose;

    void cmdClose_Click();
};

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(modKorvell& Mod);

    modKorvell& Mod;
    QLabel* lblAbout1;
    QLabel* lblAbout2;
    QLabel* lblAbout3;
    QLabel* lblAbout4;
    QLabel* lblAbout5;
    QLabel* lblAbout6;
    QPushButton* cmdDisclaimer;
    QPushButton* cmdClose;

    void cmdDisclaimer_Click();
    void cmdClose_Click();
};

class frmDisclaimer : public QWidget {
    Q_OBJECT
public:
    explicit frmDisclaimer(modKorvell& Mod);

    modKorvell& Mod;
    QLabel* lblRead;
    QListWidget* lstDisclaimer;
    QPushButton* cmdClose;
    QPushButton* cmdQuit;

    void cmdClose_Click();
    void cmdQuit_Click();
};

} // namespace korvell
