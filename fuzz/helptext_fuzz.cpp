// The help and disclaimer reader: each input is written as "Vellkor-Help.txt",
// opened with OpenHelpFile and read field by field as the help window's list
// is filled.
#include "core/bank.h"
#include "fuzz_support.h"

using namespace korvell;
using korvell::fuzz::CheckText;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    fuzz::WriteInput("Vellkor-Help.txt", Data, Size);
    // One bank for the whole run (it is large); what the reader keeps from
    // an earlier input is cleared so that every input runs alike.
    static fuzz::SilentPlatform sys(fuzz::WorkDir());
    static Bank& bank = *new Bank(sys);
    sys.Messages = 0;
    try {
        bank.OpenHelpFile();
    } catch (const ProgramEnded&) {
        Finding("the help file did not open");
    }
    std::size_t rows = 0;
    std::string field;
    while (!bank.File1.Eof() && bank.File1.InputField(field)) {
        if (++rows > Size + 1) Finding("more rows than the file has bytes");
        CheckText(field, "a help row is not UTF-8");
        if (field.find_first_of("\r\n") != std::string::npos)
            Finding("a help row holds a line end");
    }
    if (!bank.File1.Eof()) Finding("the help text stopped before its end");
    bank.File1.Close();
    return 0;
}
