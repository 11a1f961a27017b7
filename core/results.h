// A finished test by subelement, and its distance to the pass mark.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvell {

// One subelement of a test: its code ("T1"), the questions the test drew from
// it and the right answers among them.
struct SubResult {
    std::string Code;
    int16_t Right = 0;
    int16_t Asked = 0;
};

// The subelements of a test's group codes (their first two characters), in
// the order the groups first name them, with whether each group's question
// was answered right.
std::vector<SubResult> ResultsBySubelement(std::span<const std::string> Groups,
                                           std::span<const bool> Right);

// The distance to the pass mark in words, for Right right answers of Asked
// with a pass mark of Needed.
std::string MarginText(int Right, int Needed, int Asked);

} // namespace korvell
