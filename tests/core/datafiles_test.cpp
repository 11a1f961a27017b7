#include "core/bank.h"
#include "support/fake_platform.h"
#include "temp_dir.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

namespace korvell {
namespace {

using testing::FakePlatform;
using testing::TempDir;

std::string Report(const std::string& Kind, const std::string& Name, const std::string& Dir) {
    return std::string(std::strerror(ENOENT)) + "\nAttempt to open " + Kind +
           " file failed\nExpected to find file \"" + Name + "\" in \nSub-directory \"" + Dir +
           "\".";
}

TEST(OpenDataFile, MissingFileReportsAndEndsTheProgram) {
    const struct {
        std::function<void(Bank&)> Open;
        const char* Kind;
        const char* Name;
    } cases[] = {
        {[](Bank& b) { b.LoadPool(); }, "Question Pool File", "Tech_Pool.txt"},
        {[](Bank& b) { b.OpenHelpFile(); }, "Help File", "Vellkor-Help.txt"},
        {[](Bank& b) { b.OpenDisclaimerFile(); }, "Disclaimer File", "Disclaimer.txt"},
    };
    TempDir dir;
    for (const auto& c : cases) {
        FakePlatform sys;
        sys.Dir = dir.Str();
        Bank bank(sys);
        EXPECT_THROW(c.Open(bank), ProgramEnded) << c.Kind;
        EXPECT_TRUE(sys.Ended);
        EXPECT_EQ(sys.EndStatus, 1);
        // One report and nothing after it: no "Failed!" from the pool reader.
        ASSERT_EQ(sys.Messages.size(), 1u) << c.Kind;
        EXPECT_EQ(sys.Messages[0].Title, "Problem in Opening file");
        EXPECT_EQ(sys.Messages[0].Text, Report(c.Kind, c.Name, dir.Str() + "/"));
        EXPECT_FALSE(bank.File1.IsOpen());
    }
}

TEST(OpenDataFile, TrimsTheDirectoryAndEndsItWithASlash) {
    TempDir dir;
    dir.Write("data.txt", "from data\n");
    dir.Write("other.txt", "from other\n");
    FakePlatform sys;
    Bank bank(sys);

    std::string given = "  " + dir.Str() + "  ";
    bank.OpenDataFile("other.txt", given, "Other");
    EXPECT_EQ(given, dir.Str() + "/");
    // Opening again closes the first file; the slash is not doubled.
    bank.OpenDataFile("data.txt", given, "Data");
    EXPECT_EQ(given, dir.Str() + "/");
    std::string line;
    ASSERT_TRUE(bank.File1.LineInput(line));
    EXPECT_EQ(line, "from data");

    std::string missing = " " + dir.Str() + "/ ";
    EXPECT_THROW(bank.OpenDataFile("none.txt", missing, "Data"), ProgramEnded);
    EXPECT_EQ(missing, dir.Str() + "/");
    ASSERT_EQ(sys.Messages.size(), 1u);
    EXPECT_EQ(sys.Messages[0].Text, Report("Data", "none.txt", dir.Str() + "/"));
}

} // namespace
} // namespace korvell
