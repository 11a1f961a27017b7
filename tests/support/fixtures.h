// What every test shares: a temporary directory, and a platform that records what
// the program asks of it and never blocks.
#pragma once

#include "core/platform.h"

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace korvell::testing {

// A temporary directory, removed with its contents.
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

struct Message {
    std::string Text;
    std::string Title;
};

class FakePlatform : public Platform {
public:
    void MsgBox(const std::string& Text, const std::string& Title) override {
        Messages.push_back({Text, Title});
    }
    [[noreturn]] void EndProgram(int Status) override {
        Ended = true;
        EndStatus = Status;
        throw ProgramEnded{Status};
    }
    void Randomize() override { ++Reseeds; }
    float Rnd() override {
        if (!Values.empty()) {
            const float v = Values.front();
            Values.pop_front();
            return v;
        }
        return 0.0f;
    }
    std::string ProgramDir() override { return Dir; }
    // The messages shown since the last call, "Title: Text" each.
    std::string Said() {
        std::string s;
        for (const auto& m : Messages)
            s += m.Title + ": " + m.Text + "\n";
        Messages.clear();
        return s;
    }

    std::string Dir;
    std::vector<Message> Messages;
    std::deque<float> Values; // random values handed out in order, then 0
    bool Ended = false;
    int EndStatus = 0;
    int Reseeds = 0;
};

} // namespace korvell::testing
