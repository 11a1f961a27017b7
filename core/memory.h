// The study model: from a student's answers, each question's memory (how
// stable, how difficult, when last answered and how), what is due for review
// at a moment, the chance of a right answer on the exam and the chance to pass
// it now. The state is replayed from the answers, never stored; the moment is
// always given, never read here.
//
// Each answer is a grade: a right pick Good (3), a wrong pick or Show Answer
// before a pick Again (1). The memory follows the two-grade form of the
// difficulty-stability-recall scheduler with its published default weights.
#pragma once

#include "bank.h"
#include "history.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace korvell {

// The scheduler's weights w0 .. w14.
inline constexpr std::array<double, 15> MemWeights{0.40255, 1.18385, 3.173,  15.69105, 7.1949,
                                                   0.5345,  1.4604,  0.0046, 1.54575,  0.1192,
                                                   1.01925, 1.9395,  0.11,   0.29605,  2.2698};

constexpr int GradeAgain = 1;
constexpr int GradeGood = 3;
constexpr std::int64_t MsPerDay = 86400000;

// Recall probability T days after an answer that left stability S days:
// (1 + 19/81 * T / S)^(-1/2); 0.9 at T = S. A negative T counts as 0.
double Recall(double T, double S);
// Difficulty of a first answer with grade G, not clamped.
double InitialDifficulty(int G);

// The memory of one question after the answers replayed so far.
struct QueMemory {
    bool Answered = false;
    bool LastRight = false; // the last grade was Good (else Again)
    double S = 0.0;         // stability, in days
    double D = 0.0;         // difficulty, 1 .. 10
    std::int64_t LastMs = 0;

    // Applies one more answer, given at TimeMs.
    void Answer(bool Right, std::int64_t TimeMs);
    // Days from the last answer to NowMs, at least 0.
    double DaysSince(std::int64_t NowMs) const;
};

// The figures of one question at a moment.
struct QueNow {
    double R = 0.0;     // recall probability (0 when never answered)
    bool Due = false;   // last grade Again, or at least S days since the last answer
    bool Known = false; // last grade Good, and less than S days since
    double P = 0.25;    // chance of a right answer on the exam (a guess: 1 of 4)
};
QueNow MemoryAt(const QueMemory& Q, std::int64_t NowMs);

// The answers of a pool replayed question by question, in the order of their
// times and, at the same time, of their writing. Answers can be added one at
// a time as they are given; one given with an earlier time than an answer
// already there replays its question afresh.
class StudyMemory {
public:
    // Forgets everything; Size questions.
    void Reset(std::size_t Size);
    // Reset(Size) and every answer of History, in the order written.
    void Replay(std::size_t Size, std::span<const AnswerEvent> History);
    // Adds one answer; one of a question outside the pool counts for nothing.
    void Add(const AnswerEvent& E);

    std::span<const QueMemory> Ques() const { return Memory; }
    std::size_t AnswerCount() const { return Count; }

private:
    struct Kept {
        std::int64_t TimeMs;
        bool Right;
    };
    std::vector<QueMemory> Memory;
    std::vector<std::vector<Kept>> Answers; // by question, in replay order
    std::size_t Count = 0;
};

// A subelement's figures: its questions in the pool, those answered, known
// and due, and its chance: the mean of its exam groups' chances.
struct SubProgress {
    std::string Code;
    int Total = 0;
    int Answered = 0;
    int Known = 0;
    int Due = 0;
    double Chance = 0.25;
};

// Everything the model says at one moment.
struct Progress {
    std::vector<QueNow> Ques;   // by pool index
    std::vector<int16_t> Due;   // Again first, then the least recall first; ties by pool order
    std::vector<int16_t> Never; // never answered, in pool order
    int Answered = 0;
    int Known = 0;
    std::vector<double> GroupChance;       // by exam group, in exam order
    double Expected = 0.0;                 // expected score: the sum of the groups' chances
    double PassChance = 0.0;               // chance of at least PassMark groups right
    int Groups = 0;                        // the exam's questions (one per group)
    std::vector<SubProgress> BySubelement; // in the order the groups name them
    int Weakest = -1;                      // the row of the lowest chance; -1 when all are alike
};

// The model's figures at NowMs of the questions of Pool, with the exam groups
// Groups and their question counts Counts (the section table) as a test draws
// them: number 01 to its count (at least 1) in each group.
Progress ProgressAt(const StudyMemory& Memory, std::span<const QueRec> Pool,
                    std::span<const std::string> Groups, std::span<const int16_t> Counts,
                    std::int64_t NowMs);

// The chance that at least Needed of independent events with these chances
// happen: exact, one event at a time over a table of the counts. Exactly 1
// when Needed of them are certain, exactly 0 when fewer than Needed can happen.
double ChanceOfAtLeast(std::span<const double> Chances, int Needed);

// X rounded to Decimals places, half up, where a value within a hair of the
// half counts as the half (sums of binary fractions are not exact).
double RoundHalfUp(double X, int Decimals);

// "94 %", "below 1 %" (under 0.5 %, above 0), "above 99 %" (from 99.5 %, below 1),
// "0 %" and "100 %" at the ends.
std::string PassChanceText(double Chance);
// "27.5": one decimal, half up.
std::string ScoreText(double Expected);
// "Chance to pass now: 94 %"
std::string PassChanceLine(const Progress& P);
// "Expected score: 27.5 of 35 (26 needed)"
std::string ExpectedScoreLine(const Progress& P);
// "Chance to pass now: 94 % (expected score 27.5 of 35)"
std::string PassChanceSummary(const Progress& P);

} // namespace korvell
