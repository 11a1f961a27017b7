// Time to load a full pool of 430 generated questions from a file through the
// real reader, in UTF-8 and in Windows-1252; and to import the shipped release.
#include "core/bank.h"
#include "korvell-pool/release.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

class QuietPlatform : public korvell::Platform {
public:
    explicit QuietPlatform(std::string Dir) : Dir(std::move(Dir)) {}
    void MsgBox(const std::string& Text, const std::string& Title) override {
        throw std::runtime_error(Title + ": " + Text);
    }
    [[noreturn]] void EndProgram(int Status) override { throw korvell::ProgramEnded{Status}; }
    void Randomize() override {}
    float Rnd() override { return 0.0f; }
    std::string ProgramDir() override { return Dir; }

private:
    std::string Dir;
};

// 430 questions over the 35 groups, each with a header carrying a chapter
// and page (every tenth one a figure), two lines of text and four choices.
std::string GeneratePool(bool Cp1252) {
    const std::string open = Cp1252 ? "\x93" : "\xE2\x80\x9C";
    const std::string close = Cp1252 ? "\x94" : "\xE2\x80\x9D";
    const char* const sections = "1234567890";
    std::string text = "Generated practice pool\r\n\r\n";
    for (int i = 0; i < 430; ++i) {
        const char digit = sections[i % 10];
        const char group = static_cast<char>('A' + (i / 10) % 4);
        const int number = i / 40 + 1;
        std::string id =
            std::string("T") + digit + group + (number < 10 ? "0" : "") + std::to_string(number);
        text += id + " (" + static_cast<char>('A' + i % 4) + ")";
        if (i % 10 == 0) text += " Fig T" + std::to_string(i % 3 + 1);
        text += " Pg " + std::to_string(2 + i % 8) + "-" + std::to_string(1 + i % 35) + "\r\n";
        text += "Which of the following statements about the " + open + "sample item " +
                std::to_string(i) + close + " is\r\ncorrect for the generated practice set?\r\n";
        for (const char letter : {'A', 'B', 'C', 'D'})
            text += std::string(1, letter) + ". Choice " + letter + " of question " +
                    std::to_string(i) + ", with a little more text to read\r\n";
        text += "~~\r\n\r\n";
    }
    return text;
}

void BM_LoadPool(benchmark::State& State) {
    const bool cp1252 = State.range(0) != 0;
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvell-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        State.SkipWithError("cannot make a temporary directory");
        return;
    }
    const std::filesystem::path dir = pattern;
    const std::string pool = GeneratePool(cp1252);
    std::ofstream(dir / "Tech_Pool.txt", std::ios::binary) << pool;

    QuietPlatform sys(dir.string());
    for (auto _ : State) {
        korvell::Bank bank(sys);
        bank.LoadPool();
        if (bank.Npool != 430) State.SkipWithError("the generated pool did not load whole");
        benchmark::DoNotOptimize(bank.QuePool[429].ChoiceD.data());
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) *
                            static_cast<int64_t>(pool.size()));
    State.SetLabel(cp1252 ? "Windows-1252" : "UTF-8");
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_LoadPool)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// korvell-pool import of the publisher's .docx: inflating, XML, parsing,
// writing the files and reading them back through the program's readers.
void BM_ImportRelease(benchmark::State& State) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvell-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        State.SkipWithError("cannot make a temporary directory");
        return;
    }
    const std::string out = pattern + "/out";
    for (auto _ : State) {
        korvell::pool::Diags problems;
        std::string summary;
        if (korvell::pool::Import(KORVELL_RELEASE, out, "", {}, problems, summary) != 0)
            State.SkipWithError("the shipped release did not import");
    }
    std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_ImportRelease)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
