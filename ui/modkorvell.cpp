#include "ui/modkorvell.h"

#include "record/record.h"

#include "ui/exam/frmtestcomplete.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/main/reader.h"
#include "ui/study/frmfind.h"
#include "ui/study/frmprogress.h"

namespace korvell {

modKorvell::modKorvell(Platform& Sys)
    : Bank(Sys), frmShowQue(*this), frmShowFig(*this), frmTestComplete(*this), frmShowHelp(*this),
      frmAbout(*this), frmDisclaimer(*this), frmFind(*this), frmProgress(*this), Reader(*this) {
    AskRecordFile = [this](bool New) { return AskRecordFileByDialog(&*frmShowQue, New); };
}

modKorvell::~modKorvell() = default;

void modKorvell::PoolLoaded() {
    frmShowQue->txtNpool->setText(QString::number(Npool));
}

} // namespace korvell
