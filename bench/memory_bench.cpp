// The study model's figures of a long history: 50,000 answers over a pool of
// 409 questions in the 35 exam groups, replayed and looked at one moment.
#include "core/logic.h"
#include "core/memory.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>

namespace {

void BM_Progress(benchmark::State& State) {
    std::vector<korvell::QueRec> pool;
    std::vector<int16_t> counts;
    const auto& groups = korvell::ExamGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        counts.push_back(g < 24 ? 12 : 11); // 409 in all, as the bundled pool
        for (int16_t n = 1; n <= counts.back(); ++n)
            pool.push_back({korvell::QuestionId(groups[g], korvell::TwoDigits(n)) + " ", "A", "?",
                            "a", "b", "c", "d", "", ""});
    }
    // A year of study: answers a few minutes apart, three in four right.
    std::vector<korvell::AnswerEvent> history;
    std::uint32_t x = 12345;
    std::int64_t time = 1796601600000;
    for (int i = 0; i < 50000; ++i) {
        x = x * 1664525u + 1013904223u;
        time += 60000 + (x >> 8) % 600000;
        history.push_back({static_cast<int16_t>((x >> 4) % pool.size()), time, (x >> 28) % 4 != 0});
    }
    for (auto _ : State) {
        korvell::StudyMemory memory;
        memory.Replay(pool.size(), history);
        const korvell::Progress p =
            korvell::ProgressAt(memory, pool, groups, counts, time + 86400000);
        benchmark::DoNotOptimize(p.PassChance);
    }
}
BENCHMARK(BM_Progress)->Unit(benchmark::kMillisecond);

} // namespace
