// Hostile data files: whatever the files hold, start-up either ends with its
// report or leaves a working main window, and a test started afterwards either
// works or ends with its report. Nothing crashes, hangs or reads outside its
// arrays (the sanitizer build runs these too).
#include "core/logic.h"
#include "support/run.h"

#include <QBuffer>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

namespace korvell::testing {
namespace {

// The data files of a run by name; a name ending in "/" is made a directory.
using Files = std::map<std::string, std::string>;
const std::string Pool = "Tech_Pool.txt", Table = "SecCntTbl.txt", Help = "Vellkor-Help.txt";

std::string Crlf(const std::string& Text) {
    std::string out;
    for (const char c : Text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}
std::string RandomBytes(std::size_t N, unsigned Start) {
    std::mt19937 gen(Start);
    std::string s(N, '\0');
    for (char& c : s)
        c = static_cast<char>(gen());
    return s;
}
// A pool of Counts[i] questions in group i, with the table of those counts.
void Counts(Files& F, std::vector<int> PoolCounts, const std::vector<int>& TableCounts) {
    std::vector<Que> qs;
    std::string t;
    for (std::size_t i = 0; i < 35; ++i) {
        for (int n = 1; n <= PoolCounts[i]; ++n)
            qs.push_back({Id(GroupCodes[i], n)});
        t += "\"" + GroupCodes[i] + "\"," + std::to_string(TableCounts[i]) + "\r\n";
    }
    F[Pool] = Crlf(PoolText(qs));
    F[Table] = t;
}
std::vector<int> Counts430(int Last = 12) { // 13 in the first ten groups, 12 in the others
    std::vector<int> c(35, 12);
    std::fill_n(c.begin(), 10, 13);
    c.back() = Last;
    return c;
}

// A run whose program directory is "prog" in a fresh directory, so that names
// leading out of it have somewhere to point.
struct HostileRun : Program {
    explicit HostileRun(const Files& F) {
        Fake.Dir += "/prog";
        for (const auto& [name, bytes] : F) {
            std::filesystem::create_directories(
                std::filesystem::path(Fake.Dir + "/" + name).parent_path());
            if (name.back() != '/') std::ofstream(Fake.Dir + "/" + name, std::ios::binary) << bytes;
        }
        Start();
    }
    // The titles shown since the last call, each followed by ";", then "end"
    // if the program ended, else Rest.
    std::string Outcome(const std::string& Rest) {
        std::string s;
        for (const auto& m : Fake.Messages)
            s += m.Title + ";";
        Fake.Messages.clear();
        return s + (Mod.Ended ? "end" : Rest);
    }
    // After "Begin New Test": a test whose every row names a pool question of its
    // group, or the program ended.
    std::string NewTest(float R) {
        Fake.Values.assign(35, R);
        Click(Win().cmdNewTest);
        for (int i = 0; i < 35 && !Mod.Ended; ++i) {
            const int idx = Mod.ListQueIdx[i];
            EXPECT_TRUE(idx >= 0 && idx < Mod.Npool &&
                        Trim(Mod.QuePool[idx].QueNr) == Mod.ListQueIds[i] &&
                        Mod.ListQueIds[i].substr(0, 3) == GroupCodes[i])
                << i;
        }
        return Outcome(Win().lstTestQue->count() == 35 ? "test" : "no test");
    }
};

const float Top = 0.99999994f; // the largest value below 1
const std::string Failed = "Failed!;", TooLarge = "Question pool too large;",
                  ProcFailed = "Procedure Failed;", Mismatch = "Section Table Mismatch;",
                  NotFound = "Error!!!;end", OpenFailed = "Problem in Opening file;end";

struct Hostile {
    const char* Name;
    std::function<void(Files&)> Make; // changes the standard set
    std::string Start;                // start-up's outcome: titles, then "end" or the rows listed
    std::string Test;                 // the outcome of a test drawing Draw in every group
    float Draw = 0.0f;
};

// clang-format off
const Hostile Cases[] = {
    {"PoolRandomBytes", [](Files& f) { f[Pool] = RandomBytes(20000, 7); }, Failed + "1", NotFound},
    {"LfCrMixedAndNoFinalEnd", [](Files& f) {
         for (auto& [n, b] : f) {
             b.resize(b.size() - 2);
             for (std::size_t at = b.find("\r\n"), k = 0; at != std::string::npos; at = b.find("\r\n", at + 1), ++k)
                 b.erase(at + (k % 3 == 0), k % 3 == 2 ? 0 : 1);
         }
     }, "35", "test"},
    {"ByteOrderMarkAndWindows1252", [](Files& f) {
         for (auto& [n, b] : f) b.insert(0, "\xEF\xBB\xBF");
         std::replace(f[Pool].begin(), f[Pool].end(), 'e', '\xE9');
     }, "35", "test"},
    {"PoolHugeQuestionCopiedByRecordEnds", [](Files& f) {
         f[Pool] = "T1A01 (A)\r\n" + std::string(3 << 20, 'q') + "\r\nA. a\r\nB. b\r\nC. c\r\nD. d\r\n";
         for (int i = 0; i < 500; ++i) f[Pool] += "~~\r\n";
     }, TooLarge + "430", NotFound},
    {"Pool436KeepsTheFirst430", [](Files& f) { Counts(f, Counts430(18), Counts430()); },
     TooLarge + "430", "test", Top},
    {"Pool455LosesItsLastGroup", [](Files& f) { Counts(f, std::vector<int>(35, 13), std::vector<int>(35, 13)); },
     TooLarge + "430", NotFound},
    {"TableIsADirectory", [](Files& f) { f.erase(Table); f[Table + "/"]; }, ProcFailed + Mismatch + "end", ""},
    {"Table37Records", [](Files& f) { f[Table] += "\"T0D\",1\r\n\"T0E\",1\r\n"; }, ProcFailed + "35",
     ProcFailed + "test"},
    {"TableCountsLargerThanPool", [](Files& f) { Counts(f, std::vector<int>(35, 1), std::vector<int>(35, 5)); },
     "35", NotFound, 0.5f},
    {"TableCountBeyondTwoDigits", [](Files& f) {
         std::vector<int> t(35, 1);
         t[4] = 101;
         Counts(f, std::vector<int>(35, 1), t);
     }, "35", "test", Top}, // 101 is drawn and written "01"
    {"PoolIsADirectory", [](Files& f) { f.erase(Pool); f[Pool + "/"]; }, OpenFailed, ""},
};
// clang-format on

void PrintTo(const Hostile& C, std::ostream* Out) {
    *Out << C.Name;
}

class HostileData : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileData, StartEndsWithItsReportOrStaysUpAndATestStartsOrEndsWithItsReport) {
    const Hostile& c = GetParam();
    Files files;
    Counts(files, std::vector<int>(35, 1), std::vector<int>(35, 1));
    files[Help] = files["Disclaimer.txt"] = "Some text\r\n";
    c.Make(files);
    HostileRun run(files);
    const int listed = run.Mod.frmShowQue.Loaded() ? run.Win().lstTestQue->count() : -1;
    ASSERT_EQ(run.Outcome(std::to_string(listed)), c.Start);
    if (run.Mod.Ended) return;
    EXPECT_TRUE(run.Win().isVisible() && run.Mod.Npool == listed);
    EXPECT_EQ(run.NewTest(c.Draw), c.Test);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileData, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// Only a plain name of a readable picture in the program's directory enables
// "Show Figure"; a megabyte text is shown cut.
TEST(HostileFigure, OnlyAReadablePictureInTheProgramDirectoryIsShown) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    for (const std::string fig :
         {"Good", "good", "Garbage", "Folder", "../Outside", "sub/Good", ""}) {
        SCOPED_TRACE(fig);
        Files files;
        Counts(files, std::vector<int>(35, 1), std::vector<int>(35, 1));
        files[Help] = files["Disclaimer.txt"] = "Some text\r\n";
        for (const char* name : {"Good.jpg", "sub/Good.jpg", "../Outside.jpg"})
            files[name] = jpeg.toStdString();
        files["Garbage.jpg"] = RandomBytes(2000, 5);
        files["Folder.jpg/"];
        files[Pool].replace(files[Pool].find("(A)"), 3, "(A) Fig " + fig + " Pg 2-4");
        files[Pool].replace(files[Pool].find("Question T1A01?"), 15, std::string(3 << 20, 'q'));
        HostileRun run(files);
        ASSERT_FALSE(run.Mod.Ended);
        Click(run.Win().cmdShowFig);
        EXPECT_EQ(run.Win().cmdShowFig->isEnabled(), fig == "Good");
        EXPECT_EQ(run.Mod.frmShowFig->isVisible(), fig == "Good");
        EXPECT_TRUE(run.Win().txtQuestion->toPlainText() ==
                    QString(MaxShownChars, 'q') + QChar(0x2026));
    }
}

} // namespace
} // namespace korvell::testing
