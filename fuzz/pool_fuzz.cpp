// Each input read as the pool, as the section table, as the explanations, as the syllabus,
// a field at a time as the help, and as words to find in the pool read.
#include "core/bank.h"
#include "core/logic.h"
#include "core/seqfile.h"
#include "core/studylists.h"
#include "fuzz_support.h"

#include <algorithm>

using namespace korvell;
using fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const std::string pool = fuzz::WriteInput("Tech_Pool.txt", Data, Size);
    fuzz::WriteInput("SecCntTbl.txt", Data, Size);
    fuzz::WriteInput("Tech_Explain.txt", Data, Size);
    fuzz::WriteInput(SyllabusFileName, Data, Size);
    static testing::FakePlatform sys;
    sys.Dir = fuzz::Dir().Path.string();
    sys.Messages.clear();
    static Bank& bank = *new Bank(sys); // large: one for the whole run, reset per input
    bank.CurQue = QueRec{};
    bank.ChPgCount = {};
    bank.SecCntIds = {};
    bank.SecCnt = {};
    int reports = 0;
    try {
        bank.LoadPool();
        if (bank.File1.IsOpen()) Finding("the pool file left open");
        reports = sys.Shown;
        bank.BuildSecGroups();
        bank.ReadSecCntTbl();
    } catch (const ProgramEnded&) {
        Finding("a reader ended the program although its file exists");
    }
    const int n = bank.Npool;
    if (bank.File1.IsOpen() || sys.Shown > reports + 1 || n < 0 || n > MaxQue)
        Finding("the table left open, several table reports or Npool out of range");
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
    const std::vector<int16_t> found = FindQuestions(
        std::span(bank.QuePool).first(static_cast<std::size_t>(std::clamp(n, 0, MaxQue + 1))),
        std::string_view(reinterpret_cast<const char*>(Data), Size));
    if (!std::is_sorted(found.begin(), found.end()) || (!found.empty() && found.back() >= n))
        Finding("found questions out of pool order or beyond the pool");
    for (const auto& pages : bank.ChPgCount)
        for (const int16_t c : pages)
            if (c < 0) Finding("a chapter-page count below zero");
    for (const std::string& id : bank.SecCntIds)
        fuzz::CheckText(id, "a group code is not one line of UTF-8");
    if (const int m = bank.FirstSecCntMismatch(); m < -1 || m >= bank.NrSecGroups)
        Finding("mismatch index out of range");
    bank.LoadExplain();
    if (bank.File1.IsOpen() || bank.Explains.size() > MaxExplain)
        Finding("the explanations left open or beyond their bound");
    for (const ExplainRec& e : bank.Explains) {
        fuzz::CheckText(e.Text, "an explanation is not one line of UTF-8");
        ExplainRec again;
        if (e.Text.empty() || e.Text.size() > MaxExplainBytes ||
            !ParseExplainHeader(ExplainHeader(e), again) ||
            ExplainHeader(again) != ExplainHeader(e))
            Finding("an explanation kept empty, beyond its bound or with a header it cannot write");
    }
    const int shown = sys.Shown;
    bank.ReadSyllabus();
    if (bank.File1.IsOpen() || sys.Shown != shown) Finding("the syllabus left open or reported");
    int line = 0; // entries: a code without blanks, a title without blanks at either end
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    for (const SylEntry& e : bank.Syllabus) {
        fuzz::CheckText(e.Code + e.Title, "a syllabus entry is not one line of UTF-8");
        if (e.Line <= line || e.Code.empty() || std::any_of(e.Code.begin(), e.Code.end(), blank) ||
            (!e.Title.empty() && (blank(e.Title.front()) || blank(e.Title.back()))))
            Finding("a syllabus entry out of order or not split at its first blank");
        line = e.Line;
    }
    std::string field;
    std::size_t fields = 0; // every field read moves on by a byte at least
    for (bank.File1.Open(pool); !bank.File1.Eof(); ++fields)
        if (!bank.File1.InputField(field) || fields > Size)
            Finding("a field read fails or stalls");
        else
            fuzz::CheckText(field, "a field is not one line of UTF-8");
    if (bank.File1.InputField(field) || bank.File1.ErrNumber != ErrInputPastEnd)
        Finding("a field read past the end");
    bank.File1.Close();
    return 0;
}
