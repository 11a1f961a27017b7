// The sequential input channel. The first byte chooses the mix of reads (two
// bits for each of three reads in turn: field, number, line, field); with its
// two top bits set the rest is placed just behind a long first line, so that
// it straddles the channel's buffer boundary.
#include "core/seqfile.h"
#include "fuzz_support.h"

using namespace korvell;
using fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 2) return 0;
    const uint8_t ops = Data[0];
    const bool straddle = (ops & 0xC0) == 0xC0;
    const std::size_t first = straddle ? 64 * 1024 - 1 - (Data[1] & 63u) : 0;
    std::string content = straddle ? std::string(first, 'p') + '\n' : "";
    content.append(reinterpret_cast<const char*>(Data) + 1 + straddle, Size - 1 - straddle);
    fuzz::WriteInput("input.txt", content.data(), content.size());

    SeqFile f;
    std::string text;
    int16_t number = 0;
    if (!f.Open(fuzz::SilentPlatform::Dir() + "/input.txt"))
        Finding("an existing file did not open");
    if (straddle && (!f.LineInput(text) || text.size() != first))
        Finding("long first line not whole");
    // Every read that succeeds consumes at least one byte.
    for (std::size_t step = 0; !f.Eof(); ++step) {
        if (step > content.size()) Finding("reads do not move through the file");
        const int kind = (ops >> (2 * (step % 3))) & 3;
        const bool ok = kind == 1   ? f.InputInt(number)
                        : kind == 2 ? f.LineInput(text)
                                    : f.InputField(text);
        if (ok && kind != 1) fuzz::CheckText(text, "a read gave other than one line of UTF-8");
        if (!ok && kind == 1 && f.ErrNumber != ErrTypeMismatch && f.ErrNumber != ErrOverflow)
            Finding("a number read failed for another reason than its field");
        if (!ok && f.ErrNumber == 0) Finding("a failed read left no error number");
    }
    if (f.InputField(text) || f.ErrNumber != ErrInputPastEnd || f.LineInput(text) ||
        f.ErrNumber != ErrInputPastEnd || f.InputInt(number) || f.ErrNumber != ErrInputPastEnd)
        Finding("a read past the end");
    f.Close();
    if (f.IsOpen() || f.LineInput(text) || f.ErrNumber != ErrBadFileMode)
        Finding("a closed channel reads");
    return 0;
}
