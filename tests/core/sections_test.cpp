#include "core/bank.h"
#include "support/fake_platform.h"
#include "temp_dir.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

namespace korvell {
namespace {

using testing::FakePlatform;
using testing::TempDir;

const char* const Codes = "T1A T1B T1C T1D T1E T1F T2A T2B T2C T3A T3B T3C T4A T4B T5A T5B T5C "
                          "T5D T6A T6B T6C T6D T7A T7B T7C T7D T8A T8B T8C T8D T9A T9B T0A T0B T0C";

class SecCntTest : public ::testing::Test {
protected:
    SecCntTest() {
        Bank.AppDir = Dir.Str() + "/";
        Bank.BuildSecGroups();
        std::istringstream in(Codes);
        for (std::string code; in >> code;)
            Table += "\"" + code + "\"," + std::to_string(Records++ + 10) + "\r\n";
    }
    void Read(const std::string& Bytes) {
        Dir.Write("SecCntTbl.txt", Bytes);
        Bank.ReadSecCntTbl();
        EXPECT_FALSE(Bank.File1.IsOpen());
    }
    void ExpectReport(int Number, const std::string& Description) {
        ASSERT_EQ(Sys.Messages.size(), 1u);
        EXPECT_EQ(Sys.Messages[0].Text,
                  "Error number " + std::to_string(Number) + "\n" + Description);
        EXPECT_EQ(Sys.Messages[0].Title, "Procedure Failed");
        EXPECT_FALSE(Sys.Ended);
    }

    TempDir Dir;
    FakePlatform Sys;
    korvell::Bank Bank{Sys};
    std::string Table; // the 35 groups in order, counts 10, 11, ...
    int Records = 0;
};

TEST_F(SecCntTest, GroupsAreTheThirtyFiveExamGroupsInOrder) {
    EXPECT_EQ(Bank.NrSecGroups, 35);
    std::string joined;
    for (int i = 0; i < Bank.NrSecGroups; ++i)
        joined += (i ? " " : "") + Bank.SecGroups[i];
    EXPECT_EQ(joined, Codes);
    Bank.BuildSecGroups(); // rebuilding does not add to the list
    EXPECT_EQ(Bank.NrSecGroups, 35);
}

TEST_F(SecCntTest, GoodTableMatchesTheGroups) {
    Read(Table);
    EXPECT_TRUE(Sys.Messages.empty());
    EXPECT_EQ(Bank.FirstSecCntMismatch(), -1);
    EXPECT_EQ(Bank.SecCntIds[34], "T0C");
    EXPECT_EQ(Bank.SecCnt[0], 10);
    EXPECT_EQ(Bank.SecCnt[34], 44);

    Bank.SecCntIds[7] = "T2b"; // letter case counts
    EXPECT_EQ(Bank.FirstSecCntMismatch(), 7);
    std::swap(Bank.SecCntIds[0], Bank.SecCntIds[1]);
    EXPECT_EQ(Bank.FirstSecCntMismatch(), 0);
}

TEST_F(SecCntTest, EmptyTableReadsNothingAndFailsTheCheck) {
    Read("");
    EXPECT_TRUE(Sys.Messages.empty());
    EXPECT_EQ(Bank.FirstSecCntMismatch(), 0);
}

TEST_F(SecCntTest, ReadFailuresAreReportedAndKeepWhatWasRead) {
    const struct {
        std::string Tail; // after the 35 good records
        int Number;
        const char* Description;
        int Stored; // records stored before the failure
    } cases[] = {
        {"\"X1\",1\r\n\"X2\",2\r\n", ErrSubscript, "Subscript out of range", 36},
        {"\"X1\",many\r\n", ErrTypeMismatch, "Type mismatch", 35},
        {"\"X1\",40000\r\n", ErrOverflow, "Overflow", 35},
        {"\"X1\"", ErrInputPastEnd, "Input past end of file", 35},
    };
    for (const auto& c : cases) {
        Sys.Messages.clear();
        Bank.SecCntIds[35] = "keep";
        Bank.SecCnt[35] = -5;
        Read(Table + c.Tail);
        SCOPED_TRACE(c.Description);
        ExpectReport(c.Number, c.Description);
        EXPECT_EQ(Bank.SecCntIds[34], "T0C");
        EXPECT_EQ(Bank.SecCntIds[35], c.Stored == 36 ? "X1" : "keep");
        EXPECT_EQ(Bank.SecCnt[35], c.Stored == 36 ? 1 : -5);
    }
}

TEST_F(SecCntTest, MissingTableIsReported) {
    Bank.ReadSecCntTbl();
    ExpectReport(ENOENT, std::strerror(ENOENT));
    EXPECT_FALSE(Bank.File1.IsOpen());
}

} // namespace
} // namespace korvell
