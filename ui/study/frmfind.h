// The window that finds questions by the words they contain.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace korvell {

class modKorvell;

class frmFind : public QWidget {
    Q_OBJECT
public:
    explicit frmFind(modKorvell& Mod);

    modKorvell& Mod;
    QLineEdit* txtFind;
    QPushButton* cmdFind;
    QLabel* lblNoMatch; // what a search that found nothing looked for

    void cmdFind_Click();
};

} // namespace korvell
