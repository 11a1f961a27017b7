#include "core/logic.h"
#include "core/memory.h"

#include <bit>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <tuple>

namespace korvell {
namespace {

constexpr std::int64_t Day = MsPerDay, T0 = 1796601600000; // 2026-12-07 00:00 UTC

// X with as many decimals as Expected has.
std::string Like(double X, const std::string& Expected) {
    const auto dot = Expected.find('.');
    char text[64];
    std::snprintf(text, sizeof text, "%.*f",
                  int(dot == std::string::npos ? 0 : Expected.size() - dot - 1), X);
    return text;
}

// Every exam group with its questions 01 to 03, of which the section table counts 2.
struct Exam {
    std::vector<QueRec> Pool;
    std::vector<int16_t> Counts = std::vector<int16_t>(ExamGroups().size(), 2);
    Exam() {
        for (const std::string& g : ExamGroups())
            for (const char* n : {"01", "02", "03"})
                Pool.push_back({QuestionId(g, n) + " ", "A", "?", "a", "b", "c", "d", "", ""});
    }
    Progress At(std::span<const AnswerEvent> History, std::int64_t Now) const {
        StudyMemory m;
        m.Replay(Pool.size(), History);
        return ProgressAt(m, Pool, ExamGroups(), Counts, Now);
    }
};

// The model's own checks: (answers as day and right; the moment looked at, in days) and the
// figures then.
TEST(Memory, ModelChecks) {
    using A = std::vector<std::pair<double, bool>>;
    const std::tuple<A, double, std::string, std::string, std::string, bool> checks[] = {
        {{{0, true}}, 3.173, "0.9", "3.173", "5.2824", true},
        {{{0, true}}, 3.1729, "0.9", "3.173", "5.2824", false},
        {{{0, true}}, 1, "0.96497", "3.173", "5.2824", false},
        {{{0, true}, {1, true}}, 1, "1", "5.869", "5.273", false},
        {{{0, true}}, 4, "0.8785", "3.173", "5.2824", true},
        {{{0, true}, {4, false}}, 4, "1", "1.120", "6.797", true},
        {{{0, true}, {4, false}}, 8, "0.7377", "1.120", "6.797", true},
        {{{0, true}, {4, false}, {8, true}}, 8, "1", "7.800", "6.780", false},
        {{{0, false}}, 0, "1", "0.40255", "7.1949", true},
        {{{0, true}}, -2, "1", "3.173", "5.2824", false}, // a clock set back
    };
    for (const auto& [answers, at, r, s, d, due] : checks) {
        QueMemory q;
        for (const auto& [day, right] : answers)
            q.Answer(right, T0 + std::int64_t(std::llround(day * double(Day))));
        const QueNow n = MemoryAt(q, T0 + std::int64_t(std::llround(at * double(Day))));
        EXPECT_EQ(Like(n.R, r) + " " + Like(q.S, s) + " " + Like(q.D, d) + " " +
                      (n.Due ? "due" : ""),
                  r + " " + s + " " + d + " " + (due ? "due" : ""))
            << answers.size() << " answers, at " << at;
        EXPECT_EQ(n.Known, q.LastRight && !n.Due);
    }
    // The exam: nothing answered; 25 groups right a moment ago and 10 never; the same wrong.
    const Exam exam;
    std::vector<AnswerEvent> right, wrong;
    for (int16_t k = 0; k < 25 * 3; ++k) {
        right.push_back({k, T0 - 1000, true});
        wrong.push_back({k, T0 - 1000, false});
    }
    const std::tuple<std::vector<AnswerEvent>, double, std::string> exams[] = {
        {{}, 1.32e-9, "Chance to pass now: below 1 % (expected score 8.8 of 35)"},
        {right, 1 - std::pow(0.75, 10), "Chance to pass now: 94 % (expected score 27.5 of 35)"},
        {wrong, 1.32e-9, "Chance to pass now: below 1 % (expected score 8.8 of 35)"}};
    for (const auto& [history, chance, summary] : exams) {
        const Progress p = exam.At(history, T0);
        EXPECT_NEAR(p.PassChance, chance, chance * 1e-2);
        EXPECT_EQ(PassChanceSummary(p), summary);
    }
    const Progress p = exam.At(right, T0);
    EXPECT_EQ(PassChanceLine(p) + "|" + ExpectedScoreLine(p),
              "Chance to pass now: 94 %|Expected score: 27.5 of 35 (26 needed)");
}

// The convolution against every outcome of a small exam; certainty and impossibility are exact.
TEST(Memory, ChanceToPassByConvolution) {
    const std::vector<double> cases[] = {{0.25, 0.5, 0.9, 1.0, 0.0, 0.7},
                                         {0.3, 0.3, 0.3, 0.3, 0.3, 0.3},
                                         {1.0, 1.0, 1.0, 0.999999, 0.25, 0.6}};
    for (const auto& c : cases)
        for (int needed = 0; needed <= 7; ++needed) {
            double brute = 0.0;
            for (unsigned outcome = 0; outcome < 64; ++outcome) {
                double chance = 1.0;
                for (int g = 0; g < 6; ++g)
                    chance *= outcome >> g & 1 ? c[g] : 1 - c[g];
                brute += std::popcount(outcome) >= needed ? chance : 0.0;
            }
            EXPECT_NEAR(ChanceOfAtLeast(c, needed), brute, 1e-12) << c[0] << " " << needed;
        }
    EXPECT_EQ(ChanceOfAtLeast(cases[2], 3), 1.0);
    EXPECT_LT(ChanceOfAtLeast(cases[2], 4), 1.0);
    EXPECT_EQ(ChanceOfAtLeast(cases[0], 6), 0.0);
    EXPECT_GT(ChanceOfAtLeast(std::vector<double>(8, 1e-80), 8), 0.0);
}

// Rounding at its edges, half up also where binary fractions fall a hair short.
TEST(Memory, Rounding) {
    const std::pair<double, const char*> chances[] = {
        {0.0, "0 %"},      {1e-300, "below 1 %"}, {0.00499, "below 1 %"},
        {0.005, "1 %"},    {0.9449, "94 %"},      {0.945, "95 %"},
        {0.99499, "99 %"}, {0.995, "above 99 %"}, {std::nextafter(1.0, 0.0), "above 99 %"},
        {1.0, "100 %"}};
    for (const auto& [chance, text] : chances)
        EXPECT_EQ(PassChanceText(chance), text) << chance;
    const double sum = 0.35 + 0.35 + 0.35; // 1.0499999999999998
    const std::pair<double, const char*> scores[] = {{8.75, "8.8"}, {8.7499, "8.7"},
                                                     {sum, "1.1"},  {27.45, "27.5"},
                                                     {0.0, "0.0"},  {35.0, "35.0"}};
    for (const auto& [score, text] : scores)
        EXPECT_EQ(ScoreText(score), text) << score;
}

// The lists after a scripted history: due (misses first, then the least recall), never
// answered in pool order; answers given out of time order replay in time order.
TEST(Memory, DueAndNeverAnswered) {
    Exam exam;
    exam.Counts[0] = 0; // T1A: only number 01 is drawn
    const std::vector<AnswerEvent> history = {{4, T0, true},           {1, T0 + 1000, false},
                                              {3, T0, true},           {3, T0 + 9 * Day, true},
                                              {0, T0 + 2 * Day, true}, {5, T0 + 6 * Day, false},
                                              {2, T0 + Day, true},     {2, T0 - Day, false},
                                              {999, T0, true},         {-1, T0, true}};
    const std::int64_t now = T0 + 10 * Day;
    const Progress p = exam.At(history, now);
    // Question 2 replays as Again on day -1, then Good on day 1; 999 and -1 count for nothing.
    std::string seen;
    for (const int16_t k : p.Due)
        seen += std::to_string(k) + " ";
    const SubProgress& t1 = p.BySubelement[0];
    EXPECT_EQ(seen + "| " + std::to_string(p.Never[0]) + " " + std::to_string(p.Never.size()) +
                  " " + std::to_string(p.Known) + " | " + t1.Code + " " + std::to_string(t1.Total) +
                  " " + std::to_string(t1.Answered) + " " + std::to_string(t1.Known) + " " +
                  std::to_string(t1.Due),
              "1 5 4 2 0 | 6 99 1 | T1 18 6 1 5");
    // Groups by the table's numbers: T1A only 01; T1B 01 and 02 (03 counts for nothing).
    EXPECT_DOUBLE_EQ(p.GroupChance[0], p.Ques[0].P);
    EXPECT_DOUBLE_EQ(p.GroupChance[1], (p.Ques[3].P + p.Ques[4].P) / 2);
    EXPECT_DOUBLE_EQ(p.GroupChance[2], 0.25);
    EXPECT_EQ(p.Weakest, 1); // T2: every group a guess, T1 better
    EXPECT_EQ(exam.At({}, now).Weakest, -1);
}

} // namespace
} // namespace korvell
