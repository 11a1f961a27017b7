#include "memory.h"

#include "logic.h"
#include "studylists.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>

namespace korvell {

namespace {

const auto& w = MemWeights;
constexpr double Factor = 19.0 / 81.0; // makes the recall 0.9 after S days
constexpr double MinStability = 0.01;

double ClampDifficulty(double D) {
    return std::clamp(D, 1.0, 10.0);
}

} // namespace

double Recall(double T, double S) {
    return std::pow(1.0 + Factor * std::max(T, 0.0) / S, -0.5);
}

double InitialDifficulty(int G) {
    return w[4] - std::exp(w[5] * (G - 1)) + 1.0;
}

void QueMemory::Answer(bool Right, std::int64_t TimeMs) {
    const int g = Right ? GradeGood : GradeAgain;
    if (!Answered) {
        S = w[g - 1];
        D = ClampDifficulty(InitialDifficulty(g));
    } else {
        const double r = Recall(DaysSince(TimeMs), S);
        if (Right)
            S *= 1.0 + std::exp(w[8]) * (11.0 - D) * std::pow(S, -w[9]) *
                           (std::exp(w[10] * (1.0 - r)) - 1.0);
        else
            S = std::min(S, w[11] * std::pow(D, -w[12]) * (std::pow(S + 1.0, w[13]) - 1.0) *
                                std::exp(w[14] * (1.0 - r)));
        S = std::max(S, MinStability);
        const double change = -w[6] * (g - 3);
        const double d1 = D + change * (10.0 - D) / 9.0;
        D = ClampDifficulty(w[7] * InitialDifficulty(4) + (1.0 - w[7]) * d1);
    }
    Answered = true;
    LastRight = Right;
    LastMs = TimeMs;
}

double QueMemory::DaysSince(std::int64_t NowMs) const {
    // One division of the milliseconds, so that S days after an answer is
    // exactly S in days wherever S is a whole number of milliseconds.
    return std::max(static_cast<double>(NowMs - LastMs) / static_cast<double>(MsPerDay), 0.0);
}

QueNow MemoryAt(const QueMemory& Q, std::int64_t NowMs) {
    QueNow n;
    if (!Q.Answered) return n;
    const double t = Q.DaysSince(NowMs);
    n.R = Recall(t, Q.S);
    n.Due = !Q.LastRight || t >= Q.S;
    n.Known = Q.LastRight && t < Q.S;
    n.P = Q.LastRight ? 0.25 + 0.75 * n.R : 0.25;
    return n;
}

void StudyMemory::Reset(std::size_t Size) {
    Memory.assign(Size, {});
    Answers.assign(Size, {});
    Count = 0;
}

void StudyMemory::Replay(std::size_t Size, std::span<const AnswerEvent> History) {
    Reset(Size);
    for (const AnswerEvent& e : History)
        Add(e);
}

void StudyMemory::Add(const AnswerEvent& E) {
    if (E.Idx < 0 || static_cast<std::size_t>(E.Idx) >= Memory.size()) return;
    auto& kept = Answers[E.Idx];
    QueMemory& q = Memory[E.Idx];
    ++Count;
    if (kept.empty() || kept.back().TimeMs <= E.TimeMs) {
        kept.push_back({E.TimeMs, E.Right});
        q.Answer(E.Right, E.TimeMs);
        return;
    }
    // Given before an answer already replayed (a clock set back): it goes
    // after those of the same time and the question is replayed afresh.
    const auto at = std::upper_bound(kept.begin(), kept.end(), E.TimeMs,
                                     [](std::int64_t T, const Kept& K) { return T < K.TimeMs; });
    kept.insert(at, {E.TimeMs, E.Right});
    q = {};
    for (const Kept& k : kept)
        q.Answer(k.Right, k.TimeMs);
}

double ChanceOfAtLeast(std::span<const double> Chances, int Needed) {
    if (Needed <= 0) return 1.0;
    const auto certain =
        std::count_if(Chances.begin(), Chances.end(), [](double c) { return c >= 1.0; });
    const auto possible =
        std::count_if(Chances.begin(), Chances.end(), [](double c) { return c > 0.0; });
    if (certain >= Needed) return 1.0;
    if (possible < Needed) return 0.0;
    // Table[k]: the chance of k events among those seen so far.
    std::vector<double> table(Chances.size() + 1, 0.0);
    table[0] = 1.0;
    for (std::size_t i = 0; i < Chances.size(); ++i) {
        const double c = std::clamp(Chances[i], 0.0, 1.0);
        for (std::size_t k = i + 1; k > 0; --k)
            table[k] = table[k] * (1.0 - c) + table[k - 1] * c;
        table[0] *= 1.0 - c;
    }
    double chance = 0.0;
    for (std::size_t k = static_cast<std::size_t>(Needed); k < table.size(); ++k)
        chance += table[k];
    // Neither certain nor impossible, whatever the sum's last bits say.
    return std::clamp(chance, std::numeric_limits<double>::denorm_min(), std::nextafter(1.0, 0.0));
}

Progress ProgressAt(const StudyMemory& Memory, std::span<const QueRec> Pool,
                    std::span<const std::string> Groups, std::span<const int16_t> Counts,
                    std::int64_t NowMs) {
    Progress p;
    const std::span<const QueMemory> mem = Memory.Ques();
    p.Ques.resize(Pool.size());
    std::unordered_map<std::string, int16_t> byId;
    for (std::size_t k = 0; k < Pool.size(); ++k) {
        byId.emplace(Trim(Pool[k].QueNr), static_cast<int16_t>(k));
        const QueMemory q = k < mem.size() ? mem[k] : QueMemory{};
        p.Ques[k] = MemoryAt(q, NowMs);
        const auto idx = static_cast<int16_t>(k);
        if (!q.Answered) p.Never.push_back(idx);
        if (p.Ques[k].Due) p.Due.push_back(idx);
        p.Answered += q.Answered;
        p.Known += p.Ques[k].Known;
    }
    std::stable_sort(p.Due.begin(), p.Due.end(), [&](int16_t a, int16_t b) {
        const bool againA = !mem[a].LastRight, againB = !mem[b].LastRight;
        if (againA != againB) return againA;
        return p.Ques[a].R < p.Ques[b].R;
    });

    // A test draws number 1 to the group's count with equal chance (number 1
    // for a count below 2); the identifier takes the number's last two digits.
    for (std::size_t i = 0; i < Groups.size(); ++i) {
        const int n = std::max<int>(i < Counts.size() ? Counts[i] : 0, 1);
        double sum = 0.0, held = 0.0;
        for (int r = 0; r < 100; ++r) {
            const int times = r == 0 ? n / 100 : n >= r ? (n - r) / 100 + 1 : 0;
            if (times == 0) continue;
            const auto q = byId.find(QuestionId(Groups[i], TwoDigits(static_cast<int16_t>(r))));
            if (q == byId.end()) continue;
            sum += times * p.Ques[q->second].P;
            held += times;
        }
        p.GroupChance.push_back(held > 0 ? sum / held : 0.25);
        p.Expected += p.GroupChance.back();
    }
    p.Groups = static_cast<int>(Groups.size());
    p.PassChance = ChanceOfAtLeast(p.GroupChance, PassMark);

    for (const std::string& code : SubelementCodes(Groups)) {
        SubProgress s{code};
        for (const int16_t k : SubelementQuestions(Pool, Groups, code)) {
            ++s.Total;
            s.Answered += k < static_cast<int>(mem.size()) && mem[k].Answered;
            s.Known += p.Ques[k].Known;
            s.Due += p.Ques[k].Due;
        }
        double sum = 0.0;
        int groups = 0;
        for (std::size_t i = 0; i < Groups.size(); ++i)
            if (std::string_view(Groups[i]).substr(0, 2) == code) sum += p.GroupChance[i], ++groups;
        s.Chance = groups > 0 ? sum / groups : 0.25;
        p.BySubelement.push_back(std::move(s));
    }
    if (p.BySubelement.empty()) return p;
    const auto weakest = std::min_element(
        p.BySubelement.begin(), p.BySubelement.end(),
        [](const SubProgress& a, const SubProgress& b) { return a.Chance < b.Chance; });
    const bool alike =
        std::all_of(p.BySubelement.begin(), p.BySubelement.end(),
                    [&](const SubProgress& s) { return s.Chance == weakest->Chance; });
    if (!alike) p.Weakest = static_cast<int>(weakest - p.BySubelement.begin());
    return p;
}

double RoundHalfUp(double X, int Decimals) {
    const double scale = std::pow(10.0, Decimals);
    return std::floor(X * scale + 0.5 + 1e-9) / scale;
}

std::string PassChanceText(double Chance) {
    if (Chance <= 0.0) return "0 %";
    if (Chance >= 1.0) return "100 %";
    const double pct = RoundHalfUp(Chance * 100.0, 0);
    if (pct < 1.0) return "below 1 %";
    if (pct >= 100.0) return "above 99 %";
    return std::to_string(static_cast<int>(pct)) + " %";
}

std::string ScoreText(double Expected) {
    const auto tenths = static_cast<long long>(RoundHalfUp(std::max(Expected, 0.0) * 10.0, 0));
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string PassChanceLine(const Progress& P) {
    return "Chance to pass now: " + PassChanceText(P.PassChance);
}

std::string ExpectedScoreLine(const Progress& P) {
    return "Expected score: " + ScoreText(P.Expected) + " of " + std::to_string(P.Groups) + " (" +
           std::to_string(PassMark) + " needed)";
}

std::string PassChanceSummary(const Progress& P) {
    return PassChanceLine(P) + " (expected score " + ScoreText(P.Expected) + " of " +
           std::to_string(P.Groups) + ")";
}

} // namespace korvell
