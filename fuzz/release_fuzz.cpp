// Reads each input as a text release; one parsed without errors must make a sound pool.
// Each input is also decoded as a figure, which must fail or succeed without harm.
#include "fuzz_support.h"
#include "korvell-pool/release.h"

using namespace korvell;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    std::string why;
    pool::DecodeJpeg(std::string(reinterpret_cast<const char*>(Data), Size), why);
    pool::Release rel;
    rel.Name = fuzz::WriteInput("release.txt", Data, Size);
    pool::Diags problems;
    if (!pool::ReadTextRelease(rel.Name, {}, rel, problems)) Finding("a readable release refused");
    const pool::Pool p = pool::ParseRelease(rel, problems);
    for (const auto& d : problems)
        if (d.Line < 1 || d.Text.empty()) Finding("a problem without its line or text");
    if (pool::HasErrors(problems)) return 0;
    int total = 0; // an empty group adds 1000, more than any pool may hold
    for (int c : p.Counts)
        total += c < 1 ? 1000 : c;
    if (total > 430 || total != static_cast<int>(p.Questions.size()))
        Finding("a sound pool with an empty group, 431+ questions or counts that do not add up");
    for (const auto& q : p.Questions) {
        if (q.Answer.size() != 1 || q.Answer[0] < 'A' || q.Answer[0] > 'D')
            Finding("a sound question without a letter A..D");
        for (const auto& t : {q.Text, q.Choices[0], q.Choices[1], q.Choices[2], q.Choices[3]})
            t.empty() ? Finding("an empty text or choice") : fuzz::CheckText(t, "a broken text");
    }
    return 0;
}
