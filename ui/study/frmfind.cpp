#include "ui/study/frmfind.h"

#include "core/studylists.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace korvell {

frmFind::frmFind(modKorvell& Mod) : Mod(Mod) {
    setObjectName("frmFind");
    setWindowTitle("Find Questions");
    txtFind = new QLineEdit(this);
    txtFind->setObjectName("txtFind");
    txtFind->setAccessibleName("Find");
    txtFind->setPlaceholderText("Words, or a code such as T5A03");
    txtFind->setMinimumWidth(280);
    cmdFind = MakeButton(this, "cmdFind", "&Find");
    cmdFind->setDefault(true);
    lblNoMatch = MakeLabel(this, "lblNoMatch", {});
    lblNoMatch->setWordWrap(true);

    auto* row = new QHBoxLayout;
    row->addWidget(txtFind, 1);
    row->addWidget(cmdFind);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(lblNoMatch);
    layout->addStretch(1);

    OnClick(this, cmdFind, &frmFind::cmdFind_Click);
    // Enter in the field finds, as the window's default button does.
    connect(txtFind, &QLineEdit::returnPressed, this,
            [this] { this->Mod.Handle([this] { cmdFind_Click(); }); });
    OnKey(this, Qt::Key_Escape, [this] { close(); });
}

void frmFind::cmdFind_Click() {
    const std::string typed = txtFind->text().toStdString();
    const std::vector<std::string> words = FindWords(typed);
    if (words.empty()) return;
    std::string shown;
    for (const std::string& w : words)
        shown += (shown.empty() ? "" : " ") + w;
    const std::vector<int16_t> found =
        FindQuestions(std::span(Mod.QuePool).first(Mod.Npool), typed);
    if (found.empty()) {
        lblNoMatch->setText("No question matches \"" + ShownText(shown) + "\".");
        return;
    }
    lblNoMatch->clear();
    Mod.StartStudyList(found, "Questions Containing: " + ShownText(shown));
    hide();
    Mod.frmShowQue->raise();
    Mod.frmShowQue->activateWindow();
}

void frmShowQue::pgmFind_Click() {
    auto& f = *Mod.frmFind;
    f.show();
    f.raise();
    f.activateWindow();
    f.txtFind->setFocus();
    f.txtFind->selectAll();
}

} // namespace korvell
