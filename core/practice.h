// A practice test on paper: one question per exam group in exam order, drawn
// by the rule of the on-screen test from values that a test number fixes, so
// that the same number and the same pool give the same test on any machine.
#pragma once

#include "bank.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace korvell {

// Values 0 <= r < 1 that follow from a test number alone: the engine's output
// is fixed by the language, and r is made of its top 24 bits (exact in single
// precision, below 1).
class NumberedValues {
public:
    explicit NumberedValues(std::uint64_t Number) : Engine(Number) {}
    float Next() { return static_cast<float>(Engine() >> 40) * 0x1p-24f; }

private:
    std::mt19937_64 Engine;
};

struct PaperQue {
    std::string QueId; // as the test forms it: group code and two digits
    int16_t Idx = -1;  // its pool index, -1 when the pool lacks it
};

// The questions of test Number, one per exam group (ExamGroups), each drawn
// from the count that B.SecCnt holds at the group's position.
std::vector<PaperQue> DrawPaperTest(const Bank& B, std::uint64_t Number);

// A number for a test drawn without one: 0 to 999999, from the platform's generator.
std::uint64_t FreshTestNumber(Platform& Sys);

} // namespace korvell
