// The desktop's services for the program.
#pragma once

#include "core/platform.h"
#include "core/practice.h"

#include <cstdint>
#include <optional>
#include <random>

namespace korvell {

class QtPlatform : public Platform {
public:
    // With KORVELL_TEST_NUMBER set to a whole number N in the environment, every
    // simulated test draws the questions of practice test number N as
    // --print-test writes it, so that a printed test can be taken again on
    // screen; the pictures of the documents are made that way.
    QtPlatform();
    void MsgBox(const std::string& Text, const std::string& Title) override;
    [[noreturn]] void EndProgram(int Status) override;
    void Randomize() override;
    float Rnd() override;
    std::string ProgramDir() override;

private:
    std::mt19937 Generator{std::random_device{}()};
    std::optional<std::uint64_t> TestNumber;
    std::optional<NumberedValues> Numbered;
};

} // namespace korvell
