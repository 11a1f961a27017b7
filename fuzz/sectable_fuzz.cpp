// The section count table reader: each input is written as "SecCntTbl.txt",
// read after the exam groups are built, compared as at start-up and drawn
// from as a test start does.
#include "core/bank.h"
#include "core/logic.h"
#include "fuzz_support.h"

using namespace korvell;
using fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("SecCntTbl.txt", Data, Size);
    static fuzz::SilentPlatform sys;
    static Bank& bank = *new Bank(sys); // large: one for the whole run, reset per input
    sys.Messages = 0;
    bank.SecCntIds = {};
    bank.SecCnt = {};
    bank.AppDir = sys.Dir() + "/";
    bank.BuildSecGroups();
    try {
        bank.ReadSecCntTbl();
    } catch (const ProgramEnded&) {
        Finding("the table reader ended the program");
    }
    if (bank.File1.IsOpen() || sys.Messages > 1) Finding("file left open or several reports");
    for (const std::string& id : bank.SecCntIds)
        fuzz::CheckText(id, "a group code is not one line of UTF-8");
    const int mismatch = bank.FirstSecCntMismatch();
    if (mismatch < -1 || mismatch >= bank.NrSecGroups) Finding("mismatch index out of range");
    for (int i = 0; i < bank.NrSecGroups; ++i)
        for (const float r : {0.0f, 0.5f, 0.99999994f}) {
            const int16_t n = DrawNumber(bank.SecCnt[i], r);
            if (n < 1 || (bank.SecCnt[i] >= 1 && n > bank.SecCnt[i]))
                Finding("a draw outside 1..count");
            if (TwoDigits(n).find_first_not_of("0123456789") != std::string::npos ||
                TwoDigits(n).size() != 2)
                Finding("a drawn number is not two digits");
        }
    return 0;
}
