// Pool files with lines of megabytes: the reader keeps a bounded start of
// every text, so that the copies a run of record end lines stores stay small.
// (Texts are compared with EXPECT_TRUE: a failure must not print megabytes.)
#include "core/bank.h"
#include "support/fake_platform.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace korvell {
namespace {

class PoolBounds : public ::testing::Test {
protected:
    PoolBounds() {
        if (!mkdtemp(Dir.data())) throw std::runtime_error("mkdtemp failed");
        Sys.Dir = Dir;
    }
    ~PoolBounds() override { std::filesystem::remove_all(Dir); }
    void Load(const std::string& Bytes) {
        std::ofstream(Dir + "/Tech_Pool.txt", std::ios::binary) << Bytes;
        Bank->LoadPool();
    }

    std::string Dir = (std::filesystem::temp_directory_path() / "korvell-XXXXXX").string();
    testing::FakePlatform Sys;
    std::unique_ptr<korvell::Bank> Bank = std::make_unique<korvell::Bank>(Sys);
};

const std::string Choices = "A. a\r\nB. b\r\nC. c\r\nD. d\r\n";

TEST_F(PoolBounds, HugeQuestionCopiedByManyRecordEndsStaysSmall) {
    std::string pool = "T1A01 (A) Pg 2-4\r\n" + std::string(2 << 20, 'q') + "\r\n" + Choices;
    for (int i = 0; i < 430; ++i)
        pool += "~~\r\n";
    Load(pool);
    ASSERT_EQ(Bank->Npool, MaxQue);
    std::size_t total = 0;
    for (const QueRec& r : Bank->QuePool) {
        EXPECT_TRUE(r.Question == std::string(MaxTextBytes, 'q')) << r.Question.size();
        for (const auto* f : {&r.QueNr, &r.Answer, &r.Question, &r.ChoiceA, &r.ChoiceB, &r.ChoiceC,
                              &r.ChoiceD, &r.Fig, &r.ChPg})
            total += f->size();
    }
    EXPECT_LT(total, (MaxQue + 1) * (MaxTextBytes + 100));
    EXPECT_EQ(Bank->ChPgCount[2][4], 1);
}

TEST_F(PoolBounds, TextsAreCutAtACharacterAndLinesStillJoin) {
    const std::string e = "\xC3\xA9"; // two bytes
    std::string wide = "x";
    for (int i = 0; i < 10000; ++i)
        wide += e;
    std::string many;
    for (int i = 0; i < 100; ++i)
        many += std::string(999, char('a' + i % 26)) + "\r\n";
    Load("T1A01 (B) Fig F1 Pg 3-5\r\n" + wide + "\r\nA. " + many + "B. b\r\nC. c\r\nD. d\r\n" +
         "~~\r\nT1A02 (C) " + std::string(1 << 20, 'z') + " Pg 2-4\r\nshort\r\n" + Choices +
         "~~\r\n");
    ASSERT_EQ(Bank->Npool, 2);
    const QueRec& first = Bank->QuePool[0];
    // The cut falls inside a character: the whole character goes.
    std::string kept = "x";
    for (std::size_t i = 0; i < (MaxTextBytes - 1) / 2; ++i)
        kept += e;
    EXPECT_TRUE(first.Question == kept + " ") << first.Question.size();
    // Appended lines fill the field up to the bound, then stop.
    ASSERT_EQ(first.ChoiceA.size(), MaxTextBytes);
    EXPECT_EQ(first.ChoiceA.substr(0, 1002), std::string(999, 'a') + " bb");
    EXPECT_EQ(first.Fig + "|" + first.ChPg, "F1|3-5 ");
    // A header of a megabyte keeps its identifier and answer; its reference is lost.
    const QueRec& second = Bank->QuePool[1];
    EXPECT_EQ(second.QueNr + "|" + second.Answer + "|" + second.Question, "T1A02 |C|short ");
    EXPECT_TRUE(second.ChPg.empty());
    EXPECT_EQ(Bank->ChPgCount[2][4], 0);
    EXPECT_EQ(Bank->ChPgCount[3][5], 1);
}

} // namespace
} // namespace korvell
