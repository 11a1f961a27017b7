// "Next Question" and "Previous Question" through a study list, to both ends.
#include "support/drive.h"

using namespace korvell::testing;

TEST(Navigation, StudyListMovesOneEntryAndRefusesToPassEitherEnd) {
    Session run({MakeQuestion("T1A01"), MakeQuestion("T1A02", "B"), MakeQuestion("T1A03", "C")});
    auto& w = run.Win();
    // With the answer revealed, Next (N) or Previous (P), also where its button is disabled;
    // then the question on display, the current row, answer shown, Previous and Next enabled.
    const std::tuple<char, const char*, const char*> steps[] = {
        {'P', "T1A01 0 0 01", "Can not go before first question"},
        {'N', "T1A02 1 0 11", ""},
        {'N', "T1A03 2 0 10", ""},
        {'N', "T1A03 2 1 10", "Can not go past last question"},
        {'P', "T1A02 1 0 11", ""},
        {'P', "T1A01 0 0 01", ""}};
    for (auto [button, state, message] : steps) {
        Click(w.cmdShowAns);
        run.Mod.Handle([&, b = button] { b == 'N' ? w.cmdNext_Click() : w.cmdPrevious_Click(); });
        EXPECT_EQ(Said(run.Fake),
                  *message ? "Invalid Increment Request: " + std::string(message) + "\n" : "");
        EXPECT_EQ(run.Shown() + " " + QString::number(w.lstTestQue->currentRow()) + " " +
                      Flags({w.txtAnswer}) + " " + Flags({w.cmdPrevious, w.cmdNext}, true),
                  state);
    }
}
