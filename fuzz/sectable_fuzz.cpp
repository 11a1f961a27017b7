// The section count table reader: each input is written as "SecCntTbl.txt"
// and read by ReadSecCntTbl after the exam groups are built, then compared at
// start-up and drawn from as a test start does.
#include "core/bank.h"
#include "core/logic.h"
#include "fuzz_support.h"

using namespace korvell;
using korvell::fuzz::CheckText;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("SecCntTbl.txt", Data, Size);
    // One bank for the whole run (it is large); what the reader keeps from
    // an earlier input is cleared so that every input runs alike.
    static fuzz::SilentPlatform sys(fuzz::WorkDir());
    static Bank& bank = *new Bank(sys);
    sys.Messages = 0;
    bank.SecCntIds = {};
    bank.SecCnt = {};
    bank.AppDir = fuzz::WorkDir() + "/";
    bank.BuildSecGroups();
    try {
        bank.ReadSecCntTbl();
    } catch (const ProgramEnded&) {
        Finding("the table reader ended the program");
    }
    if (bank.File1.IsOpen()) Finding("the table reader left file 1 open");
    if (sys.Messages > 1) Finding("the table reader reported more than once");
    for (const std::string& id : bank.SecCntIds)
        CheckText(id, "a group code is not UTF-8");

    const int mismatch = bank.FirstSecCntMismatch();
    if (mismatch < -1 || mismatch >= bank.NrSecGroups) Finding("mismatch index out of range");

    // The draw of a test: for every group, the lowest and the highest value
    // of the generator give a number 1..99 written as two digits.
    for (int i = 0; i < bank.NrSecGroups; ++i) {
        for (const float r : {0.0f, 0.5f, 0.99999994f}) {
            const int16_t n = DrawNumber(bank.SecCnt[i], r);
            if (n < 1) Finding("a drawn number below 1");
            if (bank.SecCnt[i] >= 1 && n > bank.SecCnt[i])
                Finding("a drawn number above the count");
            const std::string digits = TwoDigits(n);
            if (digits.size() != 2 || digits[0] < '0' || digits[0] > '9' || digits[1] < '0' ||
                digits[1] > '9')
                Finding("a drawn number is not two digits");
            if (bank.FindQuestionIndex(QuestionId(bank.SecGroups[i], digits)) != -1)
                Finding("a question found in an empty pool");
        }
    }
    return 0;
}
