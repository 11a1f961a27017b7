// The question pool reader: each input is written as "Tech_Pool.txt" and read
// by LoadPool, as at start-up.
#include "core/bank.h"
#include "core/logic.h"
#include "fuzz_support.h"

using namespace korvell;
using korvell::fuzz::CheckText;
using korvell::fuzz::Finding;

namespace {

void CheckRecord(const QueRec& Rec) {
    for (const std::string* field :
         {&Rec.QueNr, &Rec.Answer, &Rec.Question, &Rec.ChoiceA, &Rec.ChoiceB, &Rec.ChoiceC,
          &Rec.ChoiceD, &Rec.Fig, &Rec.ChPg}) {
        CheckText(*field, "a pool record field is not UTF-8");
        if (field->find_first_of("\r\n") != std::string::npos)
            Finding("a pool record field holds a line end");
        // A kept line is at most MaxTextBytes and its one added blank.
        if (field->size() > MaxTextBytes + 1) Finding("a pool record field beyond its bound");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("Tech_Pool.txt", Data, Size);
    // One bank for the whole run (it is large); what the reader keeps from
    // an earlier input is cleared so that every input runs alike.
    static fuzz::SilentPlatform sys(fuzz::WorkDir());
    static Bank& bank = *new Bank(sys);
    sys.Messages = 0;
    bank.CurQue = QueRec{};
    bank.ChPgCount = {};
    try {
        bank.LoadPool();
    } catch (const ProgramEnded&) {
        Finding("LoadPool ended the program although its file exists");
    }
    if (bank.File1.IsOpen()) Finding("LoadPool left file 1 open");
    const int n = bank.Npool;
    if (n < 0 || n > MaxQue) Finding("Npool outside 0..430");
    if (bank.ParseState != 0 && (bank.ParseState < 3 || bank.ParseState > 7))
        Finding("ParseState outside its states");
    // Entries 0..Npool-1 are the questions; entry Npool is written after
    // the end of a usable pool.
    for (int k = 0; k < n + (n > 1 ? 1 : 0); ++k)
        CheckRecord(bank.QuePool[k]);
    CheckRecord(bank.CurQue);
    for (const auto& pages : bank.ChPgCount)
        for (const int16_t c : pages)
            if (c < 0) Finding("a chapter-page count below zero");
    // Every listed question is found again by its identifier.
    for (int k = 0; k < n; ++k) {
        const int16_t found = bank.FindQuestionIndex(Trim(bank.QuePool[k].QueNr));
        if (found < 0 || found > k) Finding("a pool question is not found by its identifier");
    }
    return 0;
}
