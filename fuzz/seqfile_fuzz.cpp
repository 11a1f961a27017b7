// The sequential input channel. The first input byte chooses the mix of
// reads (two bits for each of three reads in turn: field, number, line,
// field); with its two top bits set the remaining bytes are placed just behind
// a long first line so that they straddle the channel's buffer boundary.
#include "core/seqfile.h"
#include "fuzz_support.h"

#include <string>

using namespace korvell;
using korvell::fuzz::CheckText;
using korvell::fuzz::Finding;

namespace {

constexpr std::size_t Chunk = 64 * 1024; // the channel's buffer size

void CheckRead(const std::string& Text) {
    CheckText(Text, "a read gave text that is not UTF-8");
    if (Text.find_first_of("\r\n") != std::string::npos) Finding("a read gave a line end");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size < 1) return 0;
    const uint8_t ops = Data[0];
    std::string content;
    std::size_t padding = 0;
    if ((ops & 0xC0) == 0xC0 && Size >= 2) {
        padding = Chunk - (Data[1] & 63u);
        content.assign(padding - 1, 'p');
        content += '\n';
        content.append(reinterpret_cast<const char*>(Data) + 2, Size - 2);
    } else {
        content.assign(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    }
    fuzz::WriteInput("input.txt", content.data(), content.size());

    SeqFile f;
    if (!f.Open(fuzz::WorkDir() + "/input.txt")) Finding("an existing file did not open");
    if (padding > 0) {
        std::string first;
        if (!f.LineInput(first) || first.size() != padding - 1)
            Finding("the long first line was not read whole");
    }
    // Every read that succeeds consumes at least one byte, so the file must
    // end within as many reads as it has bytes.
    std::size_t reads = 0;
    for (unsigned step = 0; !f.Eof(); ++step) {
        if (++reads > content.size() + 1) Finding("reads do not move through the file");
        std::string text;
        int16_t number = 0;
        bool ok = false;
        switch ((ops >> (2 * (step % 3))) & 3) {
        case 0:
        case 3:
            ok = f.InputField(text);
            if (ok) CheckRead(text);
            break;
        case 1:
            ok = f.InputInt(number);
            if (!ok && f.ErrNumber != ErrTypeMismatch && f.ErrNumber != ErrOverflow)
                Finding("a number read failed for another reason than its field");
            break;
        case 2:
            ok = f.LineInput(text);
            if (ok) CheckRead(text);
            break;
        }
        if (!ok && f.ErrNumber == 0) Finding("a failed read left no error number");
    }
    // At the end every read fails with "Input past end of file".
    std::string text;
    int16_t number = 0;
    if (f.InputField(text) || f.ErrNumber != ErrInputPastEnd) Finding("a field read past the end");
    if (f.LineInput(text) || f.ErrNumber != ErrInputPastEnd) Finding("a line read past the end");
    if (f.InputInt(number) || f.ErrNumber != ErrInputPastEnd) Finding("a number read past the end");
    f.Close();
    if (f.IsOpen() || f.LineInput(text) || f.ErrNumber != ErrBadFileMode)
        Finding("a closed channel still reads");
    return 0;
}
