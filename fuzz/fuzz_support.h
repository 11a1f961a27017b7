// Shared pieces of the fuzz targets: a platform that shows nothing, a
// directory of this process's own that receives each input as a data file,
// and the checks every target applies to the texts a reader hands back.
#pragma once

#include "core/platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

// Each target is a single source file that includes this header once.
// A small quarantine lets the channel's buffer, allocated at every open, reuse
// its pages; without it page faults dominate a run.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=4";
}

namespace korvell::fuzz {

// Reports nothing; ending the program unwinds to the target, which catches it.
class SilentPlatform : public Platform {
public:
    explicit SilentPlatform(std::string Dir) : Dir(std::move(Dir)) {}
    void MsgBox(const std::string&, const std::string&) override { ++Messages; }
    [[noreturn]] void EndProgram(int Status) override { throw ProgramEnded{Status}; }
    void Randomize() override {}
    float Rnd() override { return 0.0f; }
    std::string ProgramDir() override { return Dir; }

    std::string Dir;
    int Messages = 0;
};

// A temporary directory made once per process and removed at its exit. Every
// run writes a file, so it lies in memory (/dev/shm) unless TMPDIR says
// otherwise.
inline const std::string& WorkDir() {
    static const std::string dir = [] {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path();
        if (!std::getenv("TMPDIR") && std::filesystem::is_directory("/dev/shm", ec) &&
            access("/dev/shm", W_OK) == 0)
            base = "/dev/shm";
        std::string pattern = (base / "korvell-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        static std::string removeAtExit;
        removeAtExit = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return pattern;
    }();
    return dir;
}

// Writes the bytes to Name in the work directory, replacing the file.
inline void WriteInput(const std::string& Name, const void* Data, std::size_t Size) {
    const std::string path = WorkDir() + "/" + Name;
    std::FILE* fp = std::fopen(path.c_str(), "wb");
    if (!fp) {
        std::perror(path.c_str());
        std::abort();
    }
    if (Size > 0 && std::fwrite(Data, 1, Size, fp) != Size) {
        std::perror(path.c_str());
        std::abort();
    }
    std::fclose(fp);
}

// A broken promise of a reader: stops the run so that libFuzzer keeps the input.
[[noreturn]] inline void Finding(const char* What) {
    std::fprintf(stderr, "korvell fuzz finding: %s\n", What);
    std::abort();
}

// Readers hand back UTF-8 only: every text reaches the windows as UTF-8.
inline bool IsUtf8(std::string_view Text) {
    std::size_t i = 0;
    while (i < Text.size()) {
        const auto b = static_cast<unsigned char>(Text[i]);
        int need = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b < 0x80) {
            need = 0;
        } else if (b >= 0xC2 && b <= 0xDF) {
            need = 1;
        } else if (b == 0xE0) {
            need = 2;
            lo = 0xA0;
        } else if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF) {
            need = 2;
        } else if (b == 0xED) {
            need = 2;
            hi = 0x9F;
        } else if (b == 0xF0) {
            need = 3;
            lo = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            need = 3;
        } else if (b == 0xF4) {
            need = 3;
            hi = 0x8F;
        } else {
            return false;
        }
        ++i;
        for (int k = 0; k < need; ++k, ++i) {
            if (i >= Text.size()) return false;
            const auto c = static_cast<unsigned char>(Text[i]);
            if (c < lo || c > hi) return false;
            lo = 0x80;
            hi = 0xBF;
        }
    }
    return true;
}

inline void CheckText(std::string_view Text, const char* What) {
    if (!IsUtf8(Text)) Finding(What);
}

} // namespace korvell::fuzz
