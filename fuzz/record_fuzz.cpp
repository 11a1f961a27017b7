// Opens each input as a study record, as a reader and as the window: it ends in
// a refusal with its reason, or in a record whose every part reads back and
// which takes an answer, a test and a mark.
#include "core/explain.h"
#include "fuzz_support.h"
#include "record/record.h"

#include <filesystem>

using namespace korvell;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    static const std::vector<QueRec> pool = {
        {"T1A01", "A", "Question?", "a", "b", "c", "d", "", ""},
        {"T5A01", "B", "Another?", "a", "b", "c", "d", "", ""}};
    static const std::vector<std::string> groups = {"T1A", "T5A"};
    static const std::vector<int16_t> counts = {1, 1};
    const std::string file = fuzz::WriteInput("input.korvell", Data, Size);
    std::filesystem::remove(file + "-journal"); // left by a write that failed
    for (const auto how : {StudyRecord::Use::Reader, StudyRecord::Use::Window}) {
        try {
            const auto r = StudyRecord::Open(file, how);
            for (const AnswerEvent& e : r->History(pool))
                if (e.Idx < 0 || e.Idx >= 2) Finding("history outside the pool");
            for (const int16_t k : r->Marks(pool))
                if (k < 0 || k >= 2) Finding("a mark outside the pool");
            r->Answers();
            ProgressLines(*r, pool, groups, counts, 0,
                          [](const std::string&) { return std::string(); });
            if (how == StudyRecord::Use::Reader) continue;
            r->AddAnswer({"T1A01", QueFingerprint(pool[0]), 1, "study", "A", true});
            r->AddTest({2, {"T1A01", "T5A01"}, {"A", "C"}, 1});
            r->SetMark("T5A01", QueFingerprint(pool[1]), true);
        } catch (const RecordError& e) {
            if (!*e.what()) Finding("a refusal without its reason");
        }
    }
    return 0;
}
