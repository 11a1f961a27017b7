// The desktop's services for the program.
#pragma once

#include "core/platform.h"

#include <cstdint>
#include <random>

namespace korvell {

class QtPlatform : public Platform {
public:
    void MsgBox(const std::string& Text, const std::string& Title) override;
    [[noreturn]] void EndProgram(int Status) override;
    void Randomize() override;
    float Rnd() override;
    std::string ProgramDir() override;

private:
    std::mt19937 Generator{std::random_device{}()};
};

} // namespace korvell
