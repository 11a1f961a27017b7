// A directory for the inputs, and the check of the texts readers return.
#pragma once

#include "support/fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace korvell::fuzz {

// Made once per run, in memory where there is room (unless TMPDIR says otherwise); each
// input overwrites its files.
inline const testing::TempDir& Dir() {
    static const testing::TempDir dir =
        (std::filesystem::is_directory("/dev/shm") && setenv("TMPDIR", "/dev/shm", 0),
         testing::TempDir{});
    return dir;
}

inline std::string WriteInput(const std::string& Name, const void* Data, std::size_t Size) {
    return Dir().Write(Name, std::string(static_cast<const char*>(Data), Size));
}

// A broken promise of a reader: stops the run so that libFuzzer keeps the input.
[[noreturn]] inline void Finding(const char* What) {
    std::fprintf(stderr, "korvell fuzz finding: %s\n", What);
    std::abort();
}

// Readers hand back single lines of valid UTF-8 only.
inline void CheckText(const std::string& Text, const char* What) {
    static iconv_t cd = iconv_open("UTF-32LE", "UTF-8");
    std::string in = Text, out(4 * Text.size() + 4, '\0');
    char *src = in.data(), *dst = out.data();
    std::size_t left = in.size(), room = out.size();
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &src, &left, &dst, &room) == std::size_t(-1) ||
        Text.find_first_of("\r\n") != std::string::npos)
        Finding(What);
}

} // namespace korvell::fuzz
