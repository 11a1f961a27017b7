// The question pool reader: each input is written as "Tech_Pool.txt" and read
// by LoadPool, as at start-up.
#include "core/bank.h"
#include "core/logic.h"
#include "fuzz_support.h"

using namespace korvell;
using fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("Tech_Pool.txt", Data, Size);
    static fuzz::SilentPlatform sys;
    static Bank& bank = *new Bank(sys); // large: one for the whole run, reset per input
    bank.CurQue = QueRec{};
    bank.ChPgCount = {};
    try {
        bank.LoadPool();
    } catch (const ProgramEnded&) {
        Finding("LoadPool ended the program although its file exists");
    }
    const int n = bank.Npool;
    if (bank.File1.IsOpen() || n < 0 || n > MaxQue) Finding("file left open or Npool out of range");
    // Entry Npool is written after the end of a usable pool.
    for (int k = 0; k < n + (n > 1); ++k) {
        const QueRec& r = bank.QuePool[k];
        for (const std::string* f : {&r.QueNr, &r.Answer, &r.Question, &r.ChoiceA, &r.ChoiceB,
                                     &r.ChoiceC, &r.ChoiceD, &r.Fig, &r.ChPg}) {
            fuzz::CheckText(*f, "a record field is not one line of UTF-8");
            if (f->size() > MaxTextBytes + 1) Finding("a record field beyond its bound");
        }
        const int16_t found = bank.FindQuestionIndex(Trim(r.QueNr));
        if (k < n && (found < 0 || found > k)) Finding("a question is not found by its identifier");
    }
    for (const auto& pages : bank.ChPgCount)
        for (const int16_t c : pages)
            if (c < 0) Finding("a chapter-page count below zero");
    return 0;
}
