// A temporary directory, and a platform that records what it is asked and never blocks.
#pragma once

#include "core/platform.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <utility>

namespace korvell::testing {

struct TempDir {
    std::filesystem::path Path =
        mkdtemp((std::filesystem::temp_directory_path() / "korvell-XXXXXX").string().data());
    ~TempDir() { std::filesystem::remove_all(Path); }
    std::string operator/(const std::string& Name) const { return (Path / Name).string(); }
    std::string Write(const std::string& Name, const std::string& Bytes) const {
        std::ofstream(*this / Name, std::ios::binary) << Bytes;
        return *this / Name;
    }
};

inline std::string ReadFile(const std::string& Path) { // its bytes, "" if it cannot be read
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class FakePlatform : public Platform {
public:
    void MsgBox(const std::string& Text, const std::string& Title) override {
        Messages += Title + ": " + Text + "\n";
        ++Shown;
    }
    [[noreturn]] void EndProgram(int Status) override { throw ProgramEnded{EndStatus = Status}; }
    void Randomize() override { ++Restarts; }
    float Rnd() override {
        const float v = Values.empty() ? 0.0f : Values.front();
        return Values.empty() ? v : (Values.pop_front(), v);
    }
    std::string ProgramDir() override { return Dir; }
    std::int64_t NowMs() override { return Now; }
    std::string Said() { return std::exchange(Messages, ""); } // "Title: Text" since last asked

    std::string Dir, Messages;
    std::deque<float> Values;                    // random values handed out in order, then 0
    int EndStatus = -1, Restarts = 0, Shown = 0; // EndStatus: -1 while the program runs
    std::int64_t Now = 1796601600000;            // the clock: 2026-12-07 00:00 UTC, set at will
};

} // namespace korvell::testing
