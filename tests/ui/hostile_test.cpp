// Hostile data files: whatever the files hold, start-up either ends with its
// report or leaves a working main window, and a test started afterwards
// either works or ends with its report. Nothing crashes, hangs or reads
// outside its arrays (the sanitizer build runs these too).
#include "core/logic.h"
#include "support/fake_platform.h"
#include "support/fixtures.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/widgets.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using korvell::modKorvell;
using korvell::Trim;
using namespace korvell::testing;

const std::string PoolFile = "Tech_Pool.txt";
const std::string TableFile = "SecCntTbl.txt";
const std::string HelpFile = "Vellkor-Help.txt";
const std::string DisclaimerFile = "Disclaimer.txt";

// Message titles of the program's reports.
const std::string OpenFailed = "Problem in Opening file";
const std::string Unparsable = "Failed!";
const std::string TooLarge = "Question pool too large";
const std::string ProcFailed = "Procedure Failed";
const std::string Mismatch = "Section Table Mismatch";
const std::string NotFound = "Error!!!";

// The text with every "\n" written as Eol.
std::string WithEol(const std::string& Text, const std::string& Eol) {
    std::string out;
    for (const char c : Text) {
        if (c == '\n')
            out += Eol;
        else
            out += c;
    }
    return out;
}

std::string RandomBytes(std::size_t N, unsigned Start) {
    std::mt19937 gen(Start);
    std::string s(N, '\0');
    for (char& c : s)
        c = static_cast<char>(gen() & 0xFF);
    return s;
}

std::string JpegBytes() {
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes.toStdString();
}

// The data files of one start, byte for byte. Names are relative to the
// program's directory ("../x.jpg" lies beside it); a name in Dirs is made a
// directory instead of a file.
struct DataSet {
    std::map<std::string, std::string> Files;
    std::vector<std::string> Dirs;

    std::string& Pool() { return Files[PoolFile]; }
    std::string& Table() { return Files[TableFile]; }
    std::string& Help() { return Files[HelpFile]; }
};

// A usable set with CR LF line ends: PerGroup questions in each of the 35
// groups, the matching table, the standard help and disclaimer texts.
DataSet Standard(int PerGroup = 1, const std::string& Eol = "\r\n") {
    DataSet d;
    d.Files[PoolFile] = WithEol(PoolText(StandardQuestions(PerGroup)), Eol);
    d.Files[TableFile] = WithEol(SecCntTblText(PerGroup), Eol);
    d.Files[HelpFile] = WithEol(JoinLines(StandardHelpLines()), Eol);
    d.Files[DisclaimerFile] = WithEol(JoinLines(StandardDisclaimerLines()), Eol);
    return d;
}

// The table of the 35 groups with one count changed.
std::string TableWith(const std::string& Group, const std::string& Count, int Others = 1) {
    std::string t;
    for (const auto& g : GroupCodes())
        t += "\"" + g + "\"," + (g == Group ? Count : std::to_string(Others)) + "\r\n";
    return t;
}

// A pool with Counts[i] questions in group i (exam order).
std::string PoolWithCounts(const std::vector<int>& Counts) {
    std::vector<FixtureQuestion> qs;
    for (std::size_t i = 0; i < GroupCodes().size(); ++i)
        for (int n = 1; n <= Counts[i]; ++n)
            qs.push_back(MakeQuestion(QuestionIdOf(GroupCodes()[i], n)));
    return WithEol(PoolText(qs), "\r\n");
}

std::string TableWithCounts(const std::vector<int>& Counts) {
    std::string t;
    for (std::size_t i = 0; i < GroupCodes().size(); ++i)
        t += "\"" + GroupCodes()[i] + "\"," + std::to_string(Counts[i]) + "\r\n";
    return t;
}

// The standard pool whose first question's header carries Extra after its
// answer letter, e.g. " Fig ../x Pg 2-4".
std::string PoolWithFirstHeader(const std::string& Extra) {
    std::string pool = WithEol(PoolText(StandardQuestions(1)), "\r\n");
    const std::string header = "T1A01 (A)";
    pool.insert(pool.find(header) + header.size(), Extra);
    return pool;
}

// One program run in a fresh directory: the program's directory is "prog"
// inside it, so that names leading out of it have somewhere to point.
class ProgramRun {
public:
    explicit ProgramRun(const DataSet& Data) {
        namespace fs = std::filesystem;
        Prog = Root.Path() + "/prog";
        fs::create_directories(Prog);
        for (const auto& name : Data.Dirs)
            fs::create_directories(Prog + "/" + name);
        for (const auto& [name, bytes] : Data.Files)
            std::ofstream(Prog + "/" + name, std::ios::binary) << bytes;
        Fake.Dir = Prog;
    }

    void Start() {
        Mod.Handle([this] { Mod.Main(); });
    }
    // A user's click on "Begin New Test".
    void NewTest() { QTest::mouseClick(Mod.frmShowQue->cmdNewTest, Qt::LeftButton); }

    std::vector<std::string> Titles() const {
        std::vector<std::string> t;
        for (const auto& m : Fake.Messages)
            t.push_back(m.Title);
        return t;
    }

    DataDir Root;
    std::string Prog;
    FakePlatform Fake;
    modKorvell Mod{Fake};
};

// A test in progress as StartTest leaves it: 35 rows, and every drawn
// question is the pool question it names.
void ExpectWorkingTest(modKorvell& Mod) {
    auto& w = *Mod.frmShowQue;
    EXPECT_EQ(Mod.OpMode, -1);
    ASSERT_EQ(w.lstTestQue->count(), 35);
    for (int i = 0; i < 35; ++i) {
        const int idx = Mod.ListQueIdx[i];
        ASSERT_GE(idx, 0) << i;
        ASSERT_LT(idx, Mod.Npool) << i;
        EXPECT_EQ(Trim(Mod.QuePool[idx].QueNr), Mod.ListQueIds[i]) << i;
        EXPECT_EQ(Mod.ListQueIds[i].substr(0, 3), GroupCodes()[i]);
    }
    EXPECT_EQ(w.txtQueNr->text().toStdString(), Mod.ListQueIds[0]);
    EXPECT_EQ(w.lblMode->text(), "Simulated Technician License Test");
}

struct Hostile {
    const char* Name;
    std::function<void(DataSet&)> Make; // changes the standard set
    std::vector<std::string> StartTitles;
    bool StartEnds;
    int Listed; // questions listed after a start that stays up
    std::vector<float> Draw;
    std::vector<std::string> TestTitles;
    bool TestEnds;
};

void PrintTo(const Hostile& Case, std::ostream* Out) {
    *Out << Case.Name;
}

// r that draws number N of a group of Count questions.
float DrawOf(int N, int Count) {
    return (static_cast<float>(N) - 0.5f) / static_cast<float>(Count);
}

// 430 questions: 13 in each of the first ten groups, 12 in the others.
std::vector<int> Counts430() {
    std::vector<int> counts(GroupCodes().size(), 12);
    for (int i = 0; i < 10; ++i)
        counts[i] = 13;
    return counts;
}

// Each set changes the standard one; the expected outcome reads: message
// titles at start-up, whether start-up ends, questions listed, the random
// values of the test draw, message titles at the test start, whether it ends.
// clang-format off
const std::vector<Hostile>& Cases() {
    static const std::vector<Hostile> cases = {
        // Pool files.
        {"PoolRandomBytes", [](DataSet& d) { d.Pool() = RandomBytes(20000, 7); },
         {Unparsable}, false, 1, {}, {NotFound}, true},
        {"PoolNulBytes", [](DataSet& d) { d.Pool() = std::string(5000, '\0'); },
         {Unparsable}, false, 0, {}, {NotFound}, true},
        {"PoolNulBytesInTexts", [](DataSet& d) {
             std::string& p = d.Pool();
             for (auto at = p.find("choice"); at != std::string::npos; at = p.find("choice", at + 2))
                 p[at + 1] = '\0';
         }, {}, false, 35, {}, {}, false},
        {"PoolEmpty", [](DataSet& d) { d.Pool().clear(); },
         {Unparsable}, false, 0, {}, {NotFound}, true},
        {"PoolBlankOnly", [](DataSet& d) { d.Pool() = "   \r\n\r\n \t \r\n\n\r "; },
         {Unparsable}, false, 0, {}, {NotFound}, true},
        {"PoolOneQuestion", [](DataSet& d) { d.Pool() = WithEol(PoolText({MakeQuestion("T1A01")}), "\r\n"); },
         {Unparsable}, false, 1, {}, {NotFound}, true},
        {"AllFilesCrOnly", [](DataSet& d) { d = Standard(1, "\r"); }, {}, false, 35, {}, {}, false},
        {"AllFilesLfOnly", [](DataSet& d) { d = Standard(1, "\n"); }, {}, false, 35, {}, {}, false},
        {"AllFilesCrLf", [](DataSet&) {}, {}, false, 35, {}, {}, false},
        {"AllFilesMixedLineEnds", [](DataSet& d) {
             for (auto& [name, bytes] : d.Files) {
                 std::string out;
                 int n = 0;
                 for (std::size_t at = 0; at < bytes.size(); ++at) {
                     if (bytes.compare(at, 2, "\r\n") != 0) {
                         out += bytes[at];
                         continue;
                     }
                     const int k = n++ % 3;
                     out += k == 0 ? "\r" : k == 1 ? "\n" : "\r\n";
                     ++at;
                 }
                 bytes = out;
             }
         }, {}, false, 35, {}, {}, false},
        {"AllFilesByteOrderMark", [](DataSet& d) {
             for (auto& [name, bytes] : d.Files) bytes.insert(0, "\xEF\xBB\xBF");
         }, {}, false, 35, {}, {}, false},
        {"AllFilesWindows1252", [](DataSet& d) {
             for (auto& [name, bytes] : d.Files)
                 for (auto at = bytes.find('e'); at != std::string::npos; at = bytes.find('e', at + 1))
                     bytes[at] = '\xE9';
         }, {}, false, 35, {}, {}, false},
        {"AllFilesWithoutFinalLineEnd", [](DataSet& d) {
             for (auto& [name, bytes] : d.Files) bytes.resize(bytes.size() - 2);
         }, {}, false, 35, {}, {}, false},
        {"PoolOneHugeLineNoLineEnd", [](DataSet& d) { d.Pool() = "T1A01 (A) " + std::string(6 << 20, 'x'); },
         {Unparsable}, false, 0, {}, {NotFound}, true},
        {"PoolHugeQuestionText", [](DataSet& d) {
             std::string& p = d.Pool();
             const std::string q = "Question T1A01?";
             p.replace(p.find(q), q.size(), std::string(3 << 20, 'q'));
         }, {}, false, 35, {}, {}, false},
        {"PoolHugeQuestionCopiedByRecordEnds", [](DataSet& d) {
             d.Pool() = "T1A01 (A)\r\n" + std::string(3 << 20, 'q') + "\r\nA. a\r\nB. b\r\nC. c\r\nD. d\r\n";
             for (int i = 0; i < 500; ++i) d.Pool() += "~~\r\n";
         }, {TooLarge}, false, 430, {}, {NotFound}, true},
        {"PoolExactly430", [](DataSet& d) {
             d.Pool() = PoolWithCounts(Counts430());
             d.Table() = TableWithCounts(Counts430());
         }, {}, false, 430, std::vector<float>(35, 0.99999994f), {}, false},
        {"Pool436QuestionsKeepsTheFirst430", [](DataSet& d) {
             std::vector<int> counts = Counts430();
             counts.back() += 6;
             d.Pool() = PoolWithCounts(counts);
             d.Table() = TableWithCounts(Counts430());
         }, {TooLarge}, false, 430, std::vector<float>(35, 0.99999994f), {}, false},
        {"Pool455QuestionsLastGroupLost", [](DataSet& d) { d = Standard(13); },
         {TooLarge}, false, 430, {}, {NotFound}, true},
        {"PoolBadReferences", [](DataSet& d) {
             std::string& p = d.Pool();
             const char* refs[] = {" Pg 11-40", " Pg x-y", " Pg 2-", " Pg -", " Pg", " Fig F1",
                                   " Pg 99999999999-1", " Pg -3--4", " Pg 2-4-6"};
             std::size_t at = 0;
             for (const char* ref : refs) {
                 at = p.find(" (A)", at + 1);
                 p.insert(at + 4, ref);
             }
         }, {}, false, 35, {}, {}, false},
        {"PoolFigureMissing", [](DataSet& d) { d.Pool() = PoolWithFirstHeader(" Fig NoSuch"); },
         {}, false, 35, {}, {}, false},

        // Section count tables.
        {"TableMissing", [](DataSet& d) { d.Files.erase(TableFile); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableEmpty", [](DataSet& d) { d.Table().clear(); }, {Mismatch}, true, 0, {}, {}, false},
        {"TableBlankOnly", [](DataSet& d) { d.Table() = "  \r\n"; },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableRandomBytes", [](DataSet& d) { d.Table() = RandomBytes(3000, 11); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableIsADirectory", [](DataSet& d) { d.Files.erase(TableFile); d.Dirs.push_back(TableFile); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"Table37Records", [](DataSet& d) { d.Table() += "\"T0D\",1\r\n\"T0E\",1\r\n"; },
         {ProcFailed}, false, 35, {}, {ProcFailed}, false},
        {"TableNotANumber", [](DataSet& d) { d.Table() = TableWith("T3B", "three"); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableOverflowingCount", [](DataSet& d) { d.Table() = TableWith("T1A", "40000"); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableOverflowIn36thRecord", [](DataSet& d) { d.Table() += "\"T0D\",99999\r\n"; },
         {ProcFailed}, false, 35, {}, {ProcFailed}, false},
        {"TableLastCountMissing", [](DataSet& d) { d.Table().resize(d.Table().rfind(',') + 1); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableUnbalancedQuote", [](DataSet& d) { d.Table().erase(d.Table().find("T2A") + 3, 1); },
         {ProcFailed, Mismatch}, true, 0, {}, {}, false},
        {"TableNegativeCount", [](DataSet& d) { d.Table() = TableWith("T1A", "-5"); },
         {}, false, 35, std::vector<float>(35, 0.9f), {}, false},
        {"TableZeroCount", [](DataSet& d) { d.Table() = TableWith("T5C", "0"); },
         {}, false, 35, std::vector<float>(35, 0.9f), {}, false},
        {"TableMinimumCount", [](DataSet& d) { d.Table() = TableWith("T1A", "-32768"); },
         {}, false, 35, std::vector<float>(35, 0.99999994f), {}, false},
        {"TableCountOver99DrawsHundred", [](DataSet& d) { d.Table() = TableWith("T1A", "150"); },
         {}, false, 35, {DrawOf(100, 150)}, {NotFound}, true},
        {"TableCountOver99WrapsToAQuestion", [](DataSet& d) {
             std::vector<int> counts(GroupCodes().size(), 1);
             counts[0] = 120;
             d.Pool() = PoolWithCounts(counts);
             d.Table() = TableWith("T1A", "120");
         }, {}, false, 154, {DrawOf(105, 120)}, {}, false},
        {"TableMaximumCount", [](DataSet& d) { d.Table() = TableWith("T1A", "32767"); },
         {}, false, 35, {0.99999994f}, {NotFound}, true},
        {"TableCountsLargerThanPool", [](DataSet& d) { d.Table() = SecCntTblText(5); },
         {}, false, 35, {DrawOf(3, 5)}, {NotFound}, true},
        {"TableCountsLargerThanPoolFirstDraws", [](DataSet& d) { d.Table() = SecCntTblText(5); },
         {}, false, 35, {}, {}, false},

        // Help and disclaimer texts, and files that are directories.
        {"HelpRandomBytes", [](DataSet& d) { d.Help() = RandomBytes(20000, 3); },
         {}, false, 35, {}, {}, false},
        {"HelpVeryLong", [](DataSet& d) {
             std::string& h = d.Help();
             for (int i = 0; i < 20000; ++i) h += "Help line " + std::to_string(i) + ", with a comma\r\n";
             h += std::string(4 << 20, 'h') + "\r\n";
         }, {}, false, 35, {}, {}, false},
        {"HelpUnbalancedQuotes", [](DataSet& d) { d.Help() = "\"open, never closed\r\n\"\r\n\"\"\"\r\na\"b,\"c"; },
         {}, false, 35, {}, {}, false},
        {"PoolIsADirectory", [](DataSet& d) { d.Files.erase(PoolFile); d.Dirs.push_back(PoolFile); },
         {OpenFailed}, true, 0, {}, {}, false},
        {"HelpIsADirectory", [](DataSet& d) { d.Files.erase(HelpFile); d.Dirs.push_back(HelpFile); },
         {OpenFailed}, true, 0, {}, {}, false},
        {"DisclaimerIsADirectory", [](DataSet& d) { d.Files.erase(DisclaimerFile); d.Dirs.push_back(DisclaimerFile); },
         {OpenFailed}, true, 0, {}, {}, false},
    };
    return cases;
}
// clang-format on

class HostileData : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileData, StartEndsWithItsReportOrStaysUpAndATestStartsOrEndsWithItsReport) {
    const Hostile& c = GetParam();
    DataSet data = Standard();
    c.Make(data);
    ProgramRun run(data);

    run.Start();
    ASSERT_EQ(run.Titles(), c.StartTitles);
    ASSERT_EQ(run.Mod.Ended, c.StartEnds);
    if (c.StartEnds) {
        EXPECT_TRUE(run.Fake.Ended);
        EXPECT_EQ(run.Fake.EndStatus, 1);
        EXPECT_FALSE(run.Mod.frmShowQue.Loaded() && run.Mod.frmShowQue->isVisible());
        return;
    }
    auto& w = *run.Mod.frmShowQue;
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.lstTestQue->count(), c.Listed);
    EXPECT_EQ(run.Mod.Npool, c.Listed);
    EXPECT_EQ(run.Mod.OpMode, 0);

    run.Fake.Messages.clear();
    run.Fake.Values.assign(c.Draw.begin(), c.Draw.end());
    run.NewTest();
    ASSERT_EQ(run.Titles(), c.TestTitles);
    ASSERT_EQ(run.Mod.Ended, c.TestEnds);
    if (c.TestEnds) {
        EXPECT_EQ(run.Fake.Messages.back().Text.rfind("For Section ", 0), 0u);
        return;
    }
    ExpectWorkingTest(run.Mod);
}

INSTANTIATE_TEST_SUITE_P(Table, HostileData, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Hostile>& Info) {
                             return std::string(Info.param.Name);
                         });

// Decoding, seen in what the windows show.
TEST(HostileText, ByteOrderMarkAndWindows1252ReachTheWindowsAsText) {
    DataSet data = Standard();
    data.Help() = "\xEF\xBB\xBF"
                  "First row\r\n\"caf\xC3\xA9, bar\"\r\n";
    data.Pool() = WithEol(PoolText(StandardQuestions(1)), "\r\n");
    const std::string q = "Question T1A01?";
    data.Pool().replace(data.Pool().find(q), q.size(), "Caf\xE9 \x93quoted\x94 \x80");
    ProgramRun run(data);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    auto& help = *run.Mod.frmShowHelp->lstHelpText;
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help.item(0)->text(), "First row");
    EXPECT_EQ(help.item(1)->text(), QString::fromUtf8("caf\xC3\xA9, bar"));
    EXPECT_EQ(run.Mod.frmShowQue->txtQuestion->toPlainText(),
              QString::fromUtf8("Caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC "));
}

// Texts of megabytes are shown cut, so that laying them out does not hold
// the window; the font rule still goes by the whole text.
TEST(HostileText, TextsOfMegabytesAreShownCut) {
    DataSet data = Standard();
    const std::string q = "Question T1A01?";
    data.Pool().replace(data.Pool().find(q), q.size(), std::string(3 << 20, 'q'));
    data.Help() = std::string(4 << 20, 'h') + "\r\nshort\r\n";
    ProgramRun run(data);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    const QString shown = run.Mod.frmShowQue->txtQuestion->toPlainText();
    EXPECT_EQ(shown, QString(korvell::MaxShownChars, 'q') + QChar(0x2026));
    EXPECT_EQ(run.Mod.frmShowQue->txtQuestion->font().pointSize(), 16);
    EXPECT_EQ(run.Mod.CurQue.Question.size(), korvell::MaxTextBytes);
    auto& help = *run.Mod.frmShowHelp->lstHelpText;
    ASSERT_EQ(help.count(), 2);
    EXPECT_EQ(help.item(0)->text().size(), korvell::MaxShownChars + 1);
    EXPECT_EQ(help.item(1)->text(), "short");
}

TEST(HostileText, UnbalancedQuotesEndTheirRowAtTheLineEnd) {
    DataSet data = Standard();
    data.Help() = "\"open, never closed\r\nnext, row\r\n\"closed\"tail,last";
    ProgramRun run(data);
    run.Start();
    ASSERT_FALSE(run.Mod.Ended);
    QStringList rows;
    for (int i = 0; i < run.Mod.frmShowHelp->lstHelpText->count(); ++i)
        rows << run.Mod.frmShowHelp->lstHelpText->item(i)->text();
    EXPECT_EQ(rows, QStringList({"open, never closed", "next", "row", "closed", "last"}));
}

// Figure names: only a plain name of a readable picture in the program's
// directory enables "Show Figure".
TEST(HostileFigure, OnlyAReadablePictureInTheProgramDirectoryIsShown) {
    const std::string jpeg = JpegBytes();
    struct Case {
        std::string Fig; // "$OUT" stands for the directory that holds the program's
        bool Enabled;
    };
    const std::vector<Case> cases = {
        {"Good", true},        {"good", false},
        {"NoSuch", false},     {"Garbage", false},
        {"Empty", false},      {"Folder", false},
        {"../Outside", false}, {"..//prog/Good", false},
        {"sub/Good", false},   {"$OUT/Outside", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Fig);
        DataSet data = Standard();
        data.Files["Good.jpg"] = jpeg;
        data.Files["Garbage.jpg"] = RandomBytes(2000, 5);
        data.Files["Empty.jpg"] = "";
        data.Files["sub/Good.jpg"] = jpeg;
        data.Files["../Outside.jpg"] = jpeg;
        data.Dirs = {"Folder.jpg", "sub"};
        ProgramRun run(data);
        std::string fig = c.Fig;
        if (fig.rfind("$OUT", 0) == 0) fig.replace(0, 4, run.Root.Path());
        std::ofstream(run.Prog + "/" + PoolFile, std::ios::binary)
            << PoolWithFirstHeader(" Fig " + fig + " Pg 2-4");
        run.Start();
        ASSERT_FALSE(run.Mod.Ended);
        auto& w = *run.Mod.frmShowQue;
        ASSERT_EQ(run.Mod.CurQue.QueNr, "T1A01 ");
        EXPECT_EQ(w.cmdShowFig->isEnabled(), c.Enabled);
        // The window opens only through the button.
        QTest::mouseClick(w.cmdShowFig, Qt::LeftButton);
        EXPECT_EQ(run.Mod.frmShowFig->isVisible(), c.Enabled);
    }
}

// A count the table gives as negative, zero or far beyond two digits never
// indexes outside the pool: every draw of a test over many random values
// finds its question or ends with the not-found report.
TEST(HostileTable, EveryDrawOfAnOddCountFindsAQuestionOrEndsWithTheReport) {
    const char* counts[] = {"-32768", "-1", "0", "1", "99", "100", "101", "199", "32767"};
    for (const char* count : counts) {
        for (const float r : {0.0f, 0.25f, 0.5f, 0.75f, 0.99f, 0.99999994f}) {
            SCOPED_TRACE(std::string(count) + " r=" + std::to_string(r));
            DataSet data = Standard();
            std::vector<int> perGroup(GroupCodes().size(), 1);
            perGroup[4] = 99; // T1E01 .. T1E99
            data.Pool() = PoolWithCounts(perGroup);
            data.Table() = TableWith("T1E", count);
            ProgramRun run(data);
            run.Start();
            ASSERT_FALSE(run.Mod.Ended);
            run.Fake.Values.assign(35, r);
            run.NewTest();
            const int n = korvell::DrawNumber(static_cast<int16_t>(std::stoi(count)), r);
            const bool found = n % 100 != 0; // T1E01 .. T1E99 are in the pool
            if (found) {
                ASSERT_FALSE(run.Mod.Ended);
                ExpectWorkingTest(run.Mod);
                EXPECT_EQ(run.Mod.ListQueIds[4], "T1E" + korvell::TwoDigits(n));
            } else {
                ASSERT_TRUE(run.Mod.Ended);
                EXPECT_EQ(run.Fake.Messages.back().Title, NotFound);
                EXPECT_NE(run.Fake.Messages.back().Text.find("T1E00"), std::string::npos);
            }
        }
    }
}

} // namespace
