// Command-line arguments read the usual Unix way, for both programs: options
// may stand before and after operands, "--" ends the options, a long option
// takes its value as "--name=VALUE" or as the next argument, and short flags
// may be bundled ("-hv").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvell {

struct KnownOption {
    std::string Long; // without the dashes: "study-map"
    char Short = 0;   // 'h', or 0 when the option has no short form
    bool TakesValue = false;
};

struct Arguments {
    std::vector<std::pair<std::string, std::string>> Options; // long name and value, in order
    std::vector<std::string> Operands;
    std::string Problem; // what is wrong, such as "unknown option '--bogus'"; empty if nothing

    bool Has(const std::string& Long) const;
    std::string Value(const std::string& Long) const; // of its last occurrence
};

// Scans Args (without the program name). The scan stops at the first problem;
// an option with a value given twice is one.
Arguments ScanArguments(const std::vector<std::string>& Args,
                        const std::vector<KnownOption>& Known);

// A whole number written in decimal digits only (no sign, no blanks), within 64 bits.
std::optional<std::uint64_t> WholeNumber(std::string_view Text);

} // namespace korvell
