// Hostile data files: whatever the files hold, start-up either ends with its
// report or leaves a working main window, and a test started afterwards
// either works or ends with its report. Nothing crashes, hangs or reads
// outside its arrays (the sanitizer build runs these too).
#include "core/logic.h"
#include "support/drive.h"

#include <QBuffer>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>

namespace {

using namespace korvell::testing;
// The data files of a run by name; a name ending in "/" is made a directory.
using Files = std::map<std::string, std::string>;

const std::string Pool = "Tech_Pool.txt", Table = "SecCntTbl.txt", Help = "Vellkor-Help.txt",
                  Disclaimer = "Disclaimer.txt";

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
// A pool with Counts[i] questions in group i, or the table of those counts.
std::string PoolOf(const std::vector<int>& Counts) {
    std::vector<FixtureQuestion> qs;
    for (std::size_t i = 0; i < Counts.size(); ++i)
        for (int n = 1; n <= Counts[i]; ++n)
            qs.push_back(MakeQuestion(QuestionIdOf(GroupCodes()[i], n)));
    return Crlf(PoolText(qs));
}
std::string TableOf(const std::vector<int>& Counts) {
    std::string t;
    for (std::size_t i = 0; i < Counts.size(); ++i)
        t += "\"" + GroupCodes()[i] + "\"," + std::to_string(Counts[i]) + "\r\n";
    return t;
}
// The table of one question per group with Group's count written as Count.
std::string TableWith(const std::string& Group, const std::string& Count) {
    std::string t = TableOf(std::vector<int>(35, 1));
    const auto at = t.find(Group + "\",1\r\n") + 5;
    return t.replace(at, 1, Count);
}
std::vector<int> Counts430() { // 13 in the first ten groups, 12 in the others
    std::vector<int> c(35, 12);
    std::fill_n(c.begin(), 10, 13);
    return c;
}
// Replaces the first From in Text by To.
void Put(std::string& Text, const std::string& From, const std::string& To) {
    Text.replace(Text.find(From), From.size(), To);
}
void MakeDir(Files& F, const std::string& Name) {
    F.erase(Name);
    F[Name + "/"];
}

// One question per group with the standard texts, CR LF line ends.
Files Standard(int PerGroup = 1) {
    return {{Pool, Crlf(PoolText(StandardQuestions(PerGroup)))},
            {Table, Crlf(SecCntTblText(PerGroup))},
            {Help, Crlf(JoinLines(StandardHelpLines()))},
            {Disclaimer, Crlf(JoinLines(StandardDisclaimerLines()))}};
}

// A run whose program directory is "prog" in a fresh directory, so that names
// leading out of it have somewhere to point.
struct HostileRun : Program {
    explicit HostileRun(const Files& F) {
        Fake.Dir = Data.Path() + "/prog";
        std::filesystem::create_directories(Fake.Dir);
        for (const auto& [name, bytes] : F) {
            if (name.back() == '/')
                std::filesystem::create_directories(Fake.Dir + "/" + name);
            else
                std::ofstream(Fake.Dir + "/" + name, std::ios::binary) << bytes;
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
    // After "Begin New Test": a test in progress whose every row names a pool
    // question of its group, or the program ended with the not-found report.
    std::string NewTest(const std::vector<float>& Draw = {}) {
        Fake.Values.assign(Draw.begin(), Draw.end());
        Click(Win().cmdNewTest);
        const std::string last = Fake.Messages.empty() ? "" : Fake.Messages.back().Text;
        if (Mod.Ended) {
            EXPECT_EQ(last.rfind("For Section ", 0), 0u) << last;
        }
        for (int i = 0; i < 35 && !Mod.Ended; ++i) {
            const int idx = Mod.ListQueIdx[i];
            EXPECT_TRUE(idx >= 0 && idx < Mod.Npool &&
                        korvell::Trim(Mod.QuePool[idx].QueNr) == Mod.ListQueIds[i])
                << i;
            EXPECT_EQ(Mod.ListQueIds[i].substr(0, 3), GroupCodes()[i]);
        }
        const bool testing = Mod.OpMode == -1 && Win().lstTestQue->count() == 35;
        return Outcome(testing ? "test" : "no test");
    }
};

struct Hostile {
    const char* Name;
    std::function<void(Files&)> Make; // changes the standard set
    std::string Start;            // start-up's Outcome: titles, then "end" or the questions listed
    std::string Test;             // NewTest's outcome
    std::vector<float> Draw = {}; // random values of the test's draw (then 0)
};
void PrintTo(const Hostile& C, std::ostream* Out) {
    *Out << C.Name;
}

const float Top = 0.99999994f; // the largest value below 1
const std::string Failed = "Failed!;", TooLarge = "Question pool too large;",
                  ProcFailed = "Procedure Failed;", Mismatch = "Section Table Mismatch;",
                  NotFound = "Error!!!;end", OpenFailed = "Problem in Opening file;end";

// clang-format off
const Hostile Cases[] = {
    {"PoolRandomBytes", [](Files& f) { f[Pool] = RandomBytes(20000, 7); }, Failed + "1", NotFound},
    {"PoolNulBytes", [](Files& f) { f[Pool] = std::string(5000, '\0'); }, Failed + "0", NotFound},
    {"PoolNulBytesInTexts", [](Files& f) {
         for (auto at = f[Pool].find("choice"); at != std::string::npos; at = f[Pool].find("choice", at + 2))
             f[Pool][at + 1] = '\0';
     }, "35", "test"},
    {"PoolEmpty", [](Files& f) { f[Pool].clear(); }, Failed + "0", NotFound},
    {"PoolBlankOnly", [](Files& f) { f[Pool] = "   \r\n\r\n \t \r\n\n\r "; }, Failed + "0", NotFound},
    {"PoolOneQuestion", [](Files& f) { f[Pool] = PoolOf({1}); }, Failed + "1", NotFound},
    {"CrOnly", [](Files& f) { for (auto& [n, b] : f) std::erase(b, '\n'); }, "35", "test"},
    {"LfOnly", [](Files& f) { for (auto& [n, b] : f) std::erase(b, '\r'); }, "35", "test"},
    {"MixedLineEnds", [](Files& f) {
         for (auto& [n, b] : f)
             for (std::size_t at = b.find("\r\n"), k = 0; at != std::string::npos; at = b.find("\r\n", at + 1), ++k)
                 b.erase(at + (k % 3 == 0), k % 3 == 2 ? 0 : 1);
     }, "35", "test"},
    {"ByteOrderMark", [](Files& f) { for (auto& [n, b] : f) b.insert(0, "\xEF\xBB\xBF"); }, "35", "test"},
    {"Windows1252", [](Files& f) { for (auto& [n, b] : f) std::replace(b.begin(), b.end(), 'e', '\xE9'); },
     "35", "test"},
    {"NoFinalLineEnd", [](Files& f) { for (auto& [n, b] : f) b.resize(b.size() - 2); }, "35", "test"},
    {"PoolOneHugeLine", [](Files& f) { f[Pool] = "T1A01 (A) " + std::string(6 << 20, 'x'); },
     Failed + "0", NotFound},
    {"PoolHugeQuestion", [](Files& f) { Put(f[Pool], "Question T1A01?", std::string(3 << 20, 'q')); },
     "35", "test"},
    {"PoolHugeQuestionCopiedByRecordEnds", [](Files& f) {
         f[Pool] = "T1A01 (A)\r\n" + std::string(3 << 20, 'q') + "\r\nA. a\r\nB. b\r\nC. c\r\nD. d\r\n";
         for (int i = 0; i < 500; ++i) f[Pool] += "~~\r\n";
     }, TooLarge + "430", NotFound},
    {"PoolExactly430", [](Files& f) { f[Pool] = PoolOf(Counts430()); f[Table] = TableOf(Counts430()); },
     "430", "test", std::vector<float>(35, Top)},
    {"Pool436KeepsTheFirst430", [](Files& f) {
         std::vector<int> c = Counts430();
         c.back() += 6;
         f[Pool] = PoolOf(c);
         f[Table] = TableOf(Counts430());
     }, TooLarge + "430", "test", std::vector<float>(35, Top)},
    {"Pool455LosesItsLastGroup", [](Files& f) { f = Standard(13); }, TooLarge + "430", NotFound},
    {"PoolBadReferences", [](Files& f) {
         std::size_t at = 0;
         for (const char* ref : {" Pg 11-40", " Pg x-y", " Pg 2-", " Pg -", " Pg", " Fig F1",
                                 " Pg 99999999999-1", " Pg -3--4", " Pg 2-4-6"})
             f[Pool].insert((at = f[Pool].find(" (A)", at + 1)) + 4, ref);
     }, "35", "test"},
    {"TableMissing", [](Files& f) { f.erase(Table); }, ProcFailed + Mismatch + "end", ""},
    {"TableEmpty", [](Files& f) { f[Table].clear(); }, Mismatch + "end", ""},
    {"TableBlankOnly", [](Files& f) { f[Table] = "  \r\n"; }, ProcFailed + Mismatch + "end", ""},
    {"TableRandomBytes", [](Files& f) { f[Table] = RandomBytes(3000, 11); }, ProcFailed + Mismatch + "end", ""},
    {"TableIsADirectory", [](Files& f) { MakeDir(f, Table); }, ProcFailed + Mismatch + "end", ""},
    {"Table37Records", [](Files& f) { f[Table] += "\"T0D\",1\r\n\"T0E\",1\r\n"; }, ProcFailed + "35",
     ProcFailed + "test"},
    {"TableNotANumber", [](Files& f) { f[Table] = TableWith("T3B", "three"); }, ProcFailed + Mismatch + "end", ""},
    {"TableOverflowingCount", [](Files& f) { f[Table] = TableWith("T1A", "40000"); },
     ProcFailed + Mismatch + "end", ""},
    {"TableOverflowIn36thRecord", [](Files& f) { f[Table] += "\"T0D\",99999\r\n"; }, ProcFailed + "35",
     ProcFailed + "test"},
    {"TableLastCountMissing", [](Files& f) { f[Table].resize(f[Table].rfind(',') + 1); },
     ProcFailed + Mismatch + "end", ""},
    {"TableUnbalancedQuote", [](Files& f) { f[Table].erase(f[Table].find("T2A") + 3, 1); },
     ProcFailed + Mismatch + "end", ""},
    {"TableCountsLargerThanPool", [](Files& f) { f[Table] = SecCntTblText(5); }, "35", NotFound, {0.5f}},
    {"TableCountsLargerThanPoolDrawFirst", [](Files& f) { f[Table] = SecCntTblText(5); }, "35", "test"},
    {"HelpRandomBytes", [](Files& f) { f[Help] = RandomBytes(20000, 3); }, "35", "test"},
    {"HelpVeryLong", [](Files& f) {
         for (int i = 0; i < 20000; ++i) f[Help] += "Help line " + std::to_string(i) + ", with a comma\r\n";
         f[Help] += std::string(4 << 20, 'h') + "\r\n";
     }, "35", "test"},
    {"PoolIsADirectory", [](Files& f) { MakeDir(f, Pool); }, OpenFailed, ""},
    {"HelpIsADirectory", [](Files& f) { MakeDir(f, Help); }, OpenFailed, ""},
    {"DisclaimerIsADirectory", [](Files& f) { MakeDir(f, Disclaimer); }, OpenFailed, ""},
};
// clang-format on

class HostileData : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileData, StartEndsWithItsReportOrStaysUpAndATestStartsOrEndsWithItsReport) {
    const Hostile& c = GetParam();
    Files files = Standard();
    c.Make(files);
    HostileRun run(files);
    const int listed = run.Mod.frmShowQue.Loaded() ? run.Win().lstTestQue->count() : -1;
    ASSERT_EQ(run.Outcome(std::to_string(listed)), c.Start);
    if (run.Mod.Ended) {
        EXPECT_EQ(run.Fake.EndStatus, 1);
        EXPECT_FALSE(run.Mod.frmShowQue.Loaded() && run.Win().isVisible());
        return;
    }
    EXPECT_TRUE(run.Win().isVisible() && run.Mod.OpMode == 0);
    EXPECT_EQ(run.Mod.Npool, listed);
    EXPECT_EQ(run.NewTest(c.Draw), c.Test);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileData, ::testing::ValuesIn(Cases),
                         [](const auto& Info) { return std::string(Info.param.Name); });

// What the windows show of decoded, unbalanced and megabyte texts: the first
// help rows and the first question.
TEST(HostileText, ShownDecodedAndCut) {
    const QString cut = QString(korvell::MaxShownChars, 'q') + QChar(0x2026);
    const struct {
        std::string Help, Question;
        QStringList Rows;
        QString Shown;
    } cases[] = {
        {"\xEF\xBB\xBF"
         "First row\r\n\"caf\xC3\xA9, bar\"\r\n",
         "Caf\xE9 \x93quoted\x94 \x80",
         {"First row", QString::fromUtf8("caf\xC3\xA9, bar")},
         QString::fromUtf8("Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC ")},
        {"\"open, never closed\r\nnext, row\r\n\"closed\"tail,last",
         "Plain?",
         {"open, never closed", "next", "row", "closed", "last"},
         "Plain? "},
        {std::string(4 << 20, 'h') + "\r\nshort\r\n",
         std::string(3 << 20, 'q'),
         {QString(korvell::MaxShownChars, 'h') + QChar(0x2026), "short"},
         cut},
    };
    for (const auto& c : cases) {
        Files files = Standard();
        files[Help] = c.Help;
        Put(files[Pool], "Question T1A01?", c.Question);
        HostileRun run(files);
        ASSERT_FALSE(run.Mod.Ended);
        EXPECT_TRUE(ListRows(run.Mod.frmShowHelp->lstHelpText) == c.Rows);
        EXPECT_TRUE(run.Win().txtQuestion->toPlainText() == c.Shown);
    }
}

// Only a plain name of a readable picture in the program's directory enables
// "Show Figure", and the window opens only through the button.
TEST(HostileFigure, OnlyAReadablePictureInTheProgramDirectoryIsShown) {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray jpeg;
    QBuffer buf(&jpeg);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    DataDir outside; // a directory apart from the program's
    std::ofstream(outside.Path() + "/Outside.jpg", std::ios::binary) << jpeg.toStdString();
    for (const std::string fig : {"Good", "good", "NoSuch", "Garbage", "Empty", "Folder",
                                  "../Outside", "..//prog/Good", "sub/Good", "$OUT/Outside", ""}) {
        SCOPED_TRACE(fig);
        Files files = Standard();
        for (const char* name : {"Good.jpg", "sub/Good.jpg", "../Outside.jpg"})
            files[name] = jpeg.toStdString();
        files["Garbage.jpg"] = RandomBytes(2000, 5);
        files["Empty.jpg"] = "";
        files["Folder.jpg/"] = files["sub/"] = "";
        std::string name = fig;
        if (name.rfind("$OUT", 0) == 0) name.replace(0, 4, outside.Path());
        files[Pool] = Crlf(PoolText(StandardQuestions(1)));
        Put(files[Pool], "(A)", "(A) Fig " + name + " Pg 2-4");
        HostileRun run(files);
        ASSERT_FALSE(run.Mod.Ended);
        Click(run.Win().cmdShowFig);
        EXPECT_EQ(run.Win().cmdShowFig->isEnabled(), fig == "Good");
        EXPECT_EQ(run.Mod.frmShowFig->isVisible(), fig == "Good");
    }
}

// A count given as negative, zero or far beyond two digits never indexes
// outside the pool: every draw finds its question or ends with the report.
TEST(HostileTable, EveryDrawOfAnOddCountFindsAQuestionOrEndsWithTheReport) {
    std::vector<int> perGroup(35, 1);
    perGroup[4] = 99; // T1E01 .. T1E99
    for (const char* count : {"-32768", "-1", "0", "1", "99", "100", "101", "199", "32767"}) {
        for (const float r : {0.0f, 0.5f, 0.99f, Top}) {
            SCOPED_TRACE(std::string(count) + " r=" + std::to_string(r));
            Files files = Standard();
            files[Pool] = PoolOf(perGroup);
            files[Table] = TableWith("T1E", count);
            HostileRun run(files);
            ASSERT_FALSE(run.Mod.Ended);
            const int n = korvell::DrawNumber(static_cast<int16_t>(std::stoi(count)), r);
            EXPECT_EQ(run.NewTest(std::vector<float>(35, r)), n % 100 ? "test" : NotFound);
            if (n % 100) {
                EXPECT_EQ(run.Mod.ListQueIds[4], "T1E" + korvell::TwoDigits(n));
            }
        }
    }
}

} // namespace
