// The release text parser of korvell-pool: each input is read as a text
// release and parsed; a release without errors must make a sound pool.
#include "fuzz_support.h"
#include "korvell-pool/release.h"

using namespace korvell;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("release.txt", Data, Size);
    pool::Release rel;
    rel.Name = fuzz::SilentPlatform::Dir() + "/release.txt";
    pool::Diags problems;
    if (!pool::ReadTextRelease(rel.Name, {}, rel, problems)) Finding("a readable release refused");
    const pool::Pool p = pool::ParseRelease(rel, problems);
    for (const auto& d : problems)
        if (d.Line < 1 || d.Text.empty()) Finding("a problem without its line or text");
    if (pool::HasErrors(problems)) return 0;
    if (p.Questions.empty() || p.Questions.size() > 430)
        Finding("a sound pool of 0 or 431+ questions");
    int total = 0;
    for (int c : p.Counts) {
        if (c < 1) Finding("a sound pool with an empty group");
        total += c;
    }
    if (total != static_cast<int>(p.Questions.size())) Finding("group counts do not add up");
    for (const auto& q : p.Questions) {
        fuzz::CheckText(q.Text, "a question text is not UTF-8");
        if (q.Text.empty() || q.Answer.size() != 1 || q.Answer[0] < 'A' || q.Answer[0] > 'D')
            Finding("a sound question without text or a letter A..D");
        for (const auto& c : q.Choices)
            if (c.empty() || c.find_first_of("\r\n") != std::string::npos)
                Finding("a sound question with an empty or broken choice");
    }
    return 0;
}
