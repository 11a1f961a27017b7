#include "core/logic.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvell {
namespace {

TEST(FormatPercent, RoundsToHundredthsHalfAwayFromZero) {
    const struct {
        int Right, Answered;
        const char* Text;
    } cases[] = {{1, 3, "33.33%"},  {2, 3, "66.67%"},   {3, 32, "9.38%"},   {0, 1, "0.00%"},
                 {1, 1, "100.00%"}, {26, 35, "74.29%"}, {25, 35, "71.43%"}, {1, 32, "3.13%"}};
    for (const auto& c : cases) {
        const float fraction = static_cast<float>(c.Right) / static_cast<float>(c.Answered);
        EXPECT_EQ(FormatPercent(fraction), c.Text) << c.Right << "/" << c.Answered;
    }
}

TEST(DrawNumber, StaysWithinOneToCount) {
    const float below_one = std::nextafter(1.0f, 0.0f);
    EXPECT_EQ(DrawNumber(35, 0.0f), 1);
    EXPECT_EQ(DrawNumber(35, below_one), 35);
    EXPECT_EQ(DrawNumber(35, 1.0f), 35); // a value rounded up to 1 never yields 36
    EXPECT_EQ(DrawNumber(10, 0.5f), 6);
    EXPECT_EQ(DrawNumber(10, 0.0999f), 1);
    EXPECT_EQ(DrawNumber(10, 0.1f), 2);
    EXPECT_EQ(DrawNumber(1, 0.9f), 1);
    EXPECT_EQ(DrawNumber(0, 0.9f), 1);
}

TEST(TextHelpers, TwoDigitsKeysAndCounts) {
    EXPECT_EQ(TwoDigits(5), "05");
    EXPECT_EQ(TwoDigits(12), "12");
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(123), "23");
    EXPECT_EQ(ChPgKey("3", " 12"), "3-12");
    EXPECT_EQ(ChPgKey(" 10 ", "0"), "10-0");
    EXPECT_EQ(CharCount(""), 0u);
    EXPECT_EQ(CharCount("abc"), 3u);
    EXPECT_EQ(CharCount("caf\xC3\xA9"), 4u);                          // é
    EXPECT_EQ(CharCount("\xCE\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), 3u); // Ω € emoji
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("   "), "");
}

TEST(ParseChapter, AcceptsWholeNumbersZeroToTen) {
    EXPECT_EQ(ParseChapter("0"), 0);
    EXPECT_EQ(ParseChapter(" 7 "), 7);
    EXPECT_EQ(ParseChapter("10"), 10);
    for (const char* bad : {"", " ", "11", "-1", "a", "2a", "007", "1.5"})
        EXPECT_FALSE(ParseChapter(bad).has_value()) << '"' << bad << '"';
}

} // namespace
} // namespace korvell
