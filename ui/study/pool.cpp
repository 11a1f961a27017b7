// Whole-pool browsing.
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

namespace korvell {

void modKorvell::StartPoolStudy() {
    std::vector<int16_t> all(Pool().size());
    for (std::size_t n = 0; n < all.size(); ++n)
        all[n] = static_cast<int16_t>(n);
    StartStudyList(all, "Pick Any Technician Question from Pool");
}

void frmShowQue::cmdAll_Click() {
    Mod.StartPoolStudy();
}

} // namespace korvell
