// A study record of 50,000 answers: opening it as the window does (its
// history and marks read against the pool), its progress as --progress prints
// it, and keeping one more answer, each repeated to give the median and the
// 99th percentile.
#include "core/explain.h"
#include "record/record.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using korvell::StudyRecord;

std::vector<korvell::QueRec> BenchPool() {
    std::vector<korvell::QueRec> pool;
    for (int i = 0; i < 430; ++i) {
        const std::string id =
            "T" + std::to_string(i % 10) + char('A' + i / 10 % 4) + std::to_string(10 + i / 40);
        pool.push_back({id, "A", "Question " + std::to_string(i) + " of the bench pool?",
                        "Choice A", "Choice B", "Choice C", "Choice D", "", ""});
    }
    return pool;
}

// Made once: the record in a directory of its own on the temporary file system.
const std::string& BigRecord() {
    static const std::string file = [] {
        std::string dir =
            (std::filesystem::temp_directory_path() / "korvell-bench-XXXXXX").string();
        if (!mkdtemp(dir.data())) std::abort();
        const std::string path = dir + "/big.korvell";
        StudyRecord::Open(path, StudyRecord::Use::Window); // made, then closed
        const auto pool = BenchPool();
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO answer VALUES(?, ?, ?, 'study', 'B', ?)", -1, &s,
                           nullptr);
        for (int i = 0; i < 50000; ++i) {
            const auto& q = pool[static_cast<std::size_t>(i * 7 % 430)];
            const std::string fp = korvell::QueFingerprint(q);
            sqlite3_bind_text(s, 1, q.QueNr.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(s, 2, fp.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(s, 3, 1796601600000 + i * 20000LL);
            sqlite3_bind_int(s, 4, i % 3 != 0);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        sqlite3_finalize(s);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        std::atexit(
            [] { std::filesystem::remove_all(std::filesystem::path(BigRecord()).parent_path()); });
        return path;
    }();
    return file;
}

double P99(const std::vector<double>& Times) {
    std::vector<double> t = Times;
    std::sort(t.begin(), t.end());
    return t[static_cast<std::size_t>(std::ceil(0.99 * double(t.size()))) - 1];
}

void BM_OpenRecord(benchmark::State& State) {
    const auto pool = BenchPool();
    const std::string& file = BigRecord();
    for (auto _ : State) {
        const auto r = StudyRecord::Open(file, StudyRecord::Use::Window);
        benchmark::DoNotOptimize(r->History(pool).size() + r->Marks(pool).size());
    }
}
BENCHMARK(BM_OpenRecord)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(50)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly(true);

// The summary --progress prints: the history read, replayed into the study
// model and its figures (the chance to pass among them) taken at one moment.
void BM_ProgressOfRecord(benchmark::State& State) {
    const auto pool = BenchPool();
    const auto& groups = korvell::ExamGroups();
    const std::vector<int16_t> counts(groups.size(), 20);
    const std::string& file = BigRecord();
    for (auto _ : State) {
        const auto r = StudyRecord::Open(file, StudyRecord::Use::Reader);
        benchmark::DoNotOptimize(
            korvell::ProgressLines(*r, pool, groups, counts, 1797601600000,
                                   [](const std::string&) { return std::string(); }));
    }
}
BENCHMARK(BM_ProgressOfRecord)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(50)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly(true);

void BM_KeepAnswer(benchmark::State& State) {
    const auto pool = BenchPool();
    const auto r = StudyRecord::Open(BigRecord(), StudyRecord::Use::Window);
    const korvell::RecordAnswer answer{
        pool[0].QueNr, korvell::QueFingerprint(pool[0]), 1796601600000, "study", "A", true};
    for (auto _ : State)
        r->AddAnswer(answer);
}
BENCHMARK(BM_KeepAnswer)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(200)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly(true);

} // namespace
