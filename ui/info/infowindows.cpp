#include "ui/info/infowindows.h"

#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace korvell {

namespace {

QLabel* Heading(QWidget* Parent, const char* Name, const QString& Caption) {
    QLabel* label = MakeLabel(Parent, Name, Caption);
    QFont f = label->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmShowHelp::frmShowHelp(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmShowHelp");
    setWindowTitle("View Help");
    lblHelp = Heading(this, "lblHelp", "Technician Test Simulator Program Help");
    lstHelpText = MakeList(this, "lstHelpText", "Help text");
    lstHelpText->setWordWrap(true);
    cmdClose = MakeButton(this, "cmdClose", "&Close Help");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHelp);
    layout->addWidget(lstHelpText, 1);
    layout->addLayout(buttons);
    resize(720, 560);

    OnClick(this, cmdClose, &frmShowHelp::cmdClose_Click);
    OnKey(this, Qt::Key_Escape, [this] { close(); });
}

void frmShowHelp::cmdClose_Click() {
    hide();
}

frmAbout::frmAbout(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmAbout");
    setWindowTitle("About This Program");
    lblAbout1 = Heading(this, "lblAbout1", "Korvell.exe");
    lblAbout5 = MakeLabel(this, "lblAbout5",
                          "An Amateur Radio Technician License Examination Test Simulator");
    lblAbout2 = MakeLabel(this, "lblAbout2", "Beta Test Version 10.100");
    lblAbout3 = MakeLabel(this, "lblAbout3", "Written by the Korvell developers");
    lblAbout4 = MakeLabel(this, "lblAbout4", "Write to the Korvell project for help and reports");
    lblAbout6 = MakeLabel(this, "lblAbout6", "Please Read");
    cmdDisclaimer = MakeButton(this, "cmdDisclaimer", "View &Disclaimer");
    cmdClose = MakeButton(this, "cmdClose", "&Close About");

    auto* layout = new QVBoxLayout(this);
    for (QLabel* label : {lblAbout1, lblAbout5, lblAbout2, lblAbout3, lblAbout4, lblAbout6}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdDisclaimer);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    OnClick(this, cmdDisclaimer, &frmAbout::cmdDisclaimer_Click);
    OnClick(this, cmdClose, &frmAbout::cmdClose_Click);
    OnKey(this, Qt::Key_Escape, [this] { close(); });
}

void frmAbout::cmdDisclaimer_Click() {
    Mod.frmDisclaimer->show();
}

void frmAbout::cmdClose_Click() {
    hide();
}

frmDisclaimer::frmDisclaimer(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmDisclaimer");
    setWindowTitle("Disclaimer");
    lblRead = Heading(this, "lblRead", "Please Read Disclaimer");
    lstDisclaimer = MakeList(this, "lstDisclaimer", "Disclaimer text");
    lstDisclaimer->setWordWrap(true);
    cmdQuit = MakeButton(this, "cmdQuit", "&Quit Program");
    cmdClose = MakeButton(this, "cmdClose", "&Close Disclaimer");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdQuit);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblRead);
    layout->addWidget(lstDisclaimer, 1);
    layout->addLayout(buttons);
    resize(640, 480);

    OnClick(this, cmdClose, &frmDisclaimer::cmdClose_Click);
    OnClick(this, cmdQuit, &frmDisclaimer::cmdQuit_Click);
    OnKey(this, Qt::Key_Escape, [this] { close(); });
}

void frmDisclaimer::cmdClose_Click() {
    hide();
}

void frmDisclaimer::cmdQuit_Click() {
    Mod.Sys.EndProgram(0);
}

} // namespace korvell
