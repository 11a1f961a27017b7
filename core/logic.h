// Small pure helpers shared by the windows: text measures and trimming,
// the test draw and identifiers, the percent format and chapter-page keys.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvell {

// Number of characters (code points) of a UTF-8 text.
std::size_t CharCount(std::string_view Text);

// The text without blanks at either end.
std::string Trim(std::string_view Text);

// Question number drawn for a group of Count questions from a random value
// 0 <= R < 1: uniform over 1..Count, 1 for a count below 2.
int16_t DrawNumber(int16_t Count, float R);

// The last two digits of "00" followed by N: 5 -> "05", 12 -> "12".
std::string TwoDigits(int16_t N);

// "T1A" and "05" -> "T1A05" and "T1A  05".
std::string QuestionId(const std::string& Group, const std::string& Digits);
std::string TestListRow(const std::string& Group, const std::string& Digits);

// The caption of a figure, printed and spoken: "T1" -> "Figure T-1"; a name
// that is not letters followed by digits stays whole ("Figure X").
std::string FigureCaption(std::string_view Fig);

// Fraction as "#0.00%": 2/3 -> "66.67%", 0 -> "0.00%", 1 -> "100.00%".
std::string FormatPercent(float Fraction);

// Key of a chapter and page as written in the combo boxes: "3" and " 12" -> "3-12".
std::string ChPgKey(std::string_view Chapter, std::string_view Page);

// A chapter text that is a whole number 0..10 (blanks around it allowed).
std::optional<int> ParseChapter(std::string_view Text);

} // namespace korvell
