#include "core/bank.h"
#include "support/fake_platform.h"
#include "temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>
#include <string_view>
#include <vector>

namespace korvell {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using Strings = std::vector<std::string>;

class RecordingBank : public Bank {
public:
    using Bank::Bank;
    int Loaded = 0;

protected:
    void PoolLoaded() override {
        ++Loaded;
        EXPECT_FALSE(File1.IsOpen());
    }
};

// The nine fields joined with "|".
std::string Fields(const QueRec& R) {
    std::string out = R.QueNr;
    for (const auto* f :
         {&R.Answer, &R.Question, &R.ChoiceA, &R.ChoiceB, &R.ChoiceC, &R.ChoiceD, &R.Fig, &R.ChPg})
        out += "|" + *f;
    return out;
}

Strings Lines(std::string_view Text) {
    Strings out;
    while (!Text.empty()) {
        const std::size_t nl = std::min(Text.find('\n'), Text.size());
        out.emplace_back(Text.substr(0, nl));
        Text.remove_prefix(std::min(nl + 1, Text.size()));
    }
    return out;
}

// One well-formed question; End false leaves out its record end line.
Strings Q(const std::string& Id, const std::string& Tail = "", bool End = true) {
    Strings q = Lines(Id + " (A)" + Tail + "\nText " + Id + "\nA. a" + Id + "\nB. b" + Id +
                      "\nC. c" + Id + "\nD. d" + Id);
    if (End) q.push_back("~~");
    return q;
}

Strings operator+(Strings A, const Strings& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

const Strings Example = Lines(R"(Pool for practice
T1A01 (B) Pg 2-4
Which of these is the example colour of the first label?
A. Red
B. Green
C. Blue
D. Yellow
~~~~~~~~
T1A02 (D) Fig T1 Pg 2-5
In the figure, which part is drawn at the top
of the sketch?
A. The circle
B. The square
C. The triangle
D. The line
~~~~~~~~
)");

class PoolTest : public ::testing::Test {
protected:
    PoolTest() { Sys.Dir = Dir.Str(); }

    void LoadBytes(const std::string& Bytes) {
        Dir.Write("Tech_Pool.txt", Bytes);
        Bank.LoadPool();
    }
    void Load(const Strings& Lines, const std::string& Eol = "\r\n", bool FinalEol = true) {
        std::string bytes;
        for (const auto& l : Lines)
            bytes += l + Eol;
        if (!FinalEol && !Lines.empty()) bytes.resize(bytes.size() - Eol.size());
        LoadBytes(bytes);
    }
    int Counted() const {
        int total = 0;
        for (const auto& ch : Bank.ChPgCount)
            total = std::accumulate(ch.begin(), ch.end(), total);
        return total;
    }

    TempDir Dir;
    FakePlatform Sys;
    RecordingBank Bank{Sys};
};

TEST_F(PoolTest, ExampleFileWithAnyLineEnd) {
    const struct {
        const char* Eol;
        bool Final;
    } ends[] = {{"\r\n", true}, {"\n", true}, {"\n", false}, {"\r", true}, {"\r\n", false}};
    const std::string first = "T1A01 |B|Which of these is the example colour of the first label? "
                              "|Red |Green |Blue |Yellow ||2-4 ";
    const std::string second = "T1A02 |D|In the figure, which part is drawn at the top of the "
                               "sketch? |The circle |The square |The triangle |The line |T1|2-5 ";
    for (const auto& e : ends) {
        Bank.ChPgCount = {};
        Load(Example, e.Eol, e.Final);
        SCOPED_TRACE(::testing::PrintToString(std::string(e.Eol)) + (e.Final ? "" : " no final"));
        EXPECT_EQ(Bank.Npool, 2);
        EXPECT_EQ(Fields(Bank.QuePool[0]), first);
        EXPECT_EQ(Fields(Bank.QuePool[1]), second);
        EXPECT_EQ(Fields(Bank.QuePool[2]), second); // the record kept after the end
        EXPECT_EQ(Bank.ChPgCount[2][4], 1);
        EXPECT_EQ(Bank.ChPgCount[2][5], 1);
        EXPECT_EQ(Counted(), 2);
        EXPECT_TRUE(Sys.Messages.empty());
        EXPECT_FALSE(Bank.File1.IsOpen());
    }
    EXPECT_EQ(Bank.Loaded, 5);
    EXPECT_EQ(Bank.AppDir, Dir.Str() + "/");
    EXPECT_EQ(Bank.PoolFileName, "Tech_Pool.txt");
    EXPECT_EQ(Bank.QueIdx, 0);
    EXPECT_EQ(Bank.FindQuestionIndex("T1A02"), 1);
    EXPECT_EQ(Bank.FindQuestionIndex("T1A03"), -1);
}

TEST_F(PoolTest, ShortLinesBlankLinesAndSingleTildes) {
    // A lone "~" is skipped like a blank line, so the question runs on into
    // the next one; lines of one character never reach the parser.
    Strings q1 = Q("T1A01");
    q1.back() = "~";
    q1.insert(q1.begin() + 1, {"", "x", "  "});
    Load(q1 + Q("T1A02") + Q("T1A03") + Strings{"", "z"});
    EXPECT_EQ(Bank.Npool, 2);
    EXPECT_EQ(Fields(Bank.QuePool[0]), "T1A01 |A|       Text T1A01 |aT1A01 |bT1A01 |cT1A01 |dT1A01 "
                                       "T1A02 (A) Text T1A02 A. aT1A02 B. bT1A02 C. cT1A02 "
                                       "D. dT1A02 ||");
    EXPECT_EQ(Bank.QuePool[1].QueNr, "T1A03 ");
}

TEST_F(PoolTest, RejectedHeadersMissingChoicesAndRecordEnds) {
    const Strings late = {"T1A02     (B) Pg 3-3", "Text", "A. x", "B. x", "C. x", "D. x", "~~"};
    const Strings tenth = {"T1A03    (C)", "Short", "A. a3", "B. b3", "~~"};
    Load(Q("T1A01", " Pg 1-2") + late + tenth + Q("T1A04", "", false) + Q("T1A05") +
         Q("T1A06", "", false));
    EXPECT_EQ(Bank.Npool, 4);
    EXPECT_EQ(Fields(Bank.QuePool[1]), Fields(Bank.QuePool[0])); // "(" as 11th character
    // Choices C and D are kept from the question before.
    EXPECT_EQ(Fields(Bank.QuePool[2]), "T1A03    |C|Short |a3 |b3 |cT1A01 |dT1A01 ||");
    EXPECT_EQ(Fields(Bank.QuePool[3]), "T1A04 |A|Text T1A04 |aT1A04 |bT1A04 |cT1A04 |dT1A04 "
                                       "T1A05 (A) Text T1A05 A. aT1A05 B. bT1A05 C. cT1A05 "
                                       "D. dT1A05 ||");
    EXPECT_EQ(Bank.QuePool[4].QueNr, "T1A06 "); // kept after the end, never counted
    EXPECT_EQ(Bank.FindQuestionIndex("T1A06"), -1);
    EXPECT_EQ(Counted(), 1);
}

TEST_F(PoolTest, PoolsTooSmallAreReportedAndTheProgramGoesOn) {
    const struct {
        Strings Lines;
        int Npool;
    } cases[] = {{{}, 0}, {{"just text", "more text"}, 0}, {Q("T1A01"), 1}};
    for (const auto& c : cases) {
        Sys.Messages.clear();
        Load(c.Lines);
        EXPECT_EQ(Bank.Npool, c.Npool);
        ASSERT_EQ(Sys.Messages.size(), 1u);
        EXPECT_EQ(Sys.Messages[0].Text, "Unable to parse question pool file");
        EXPECT_EQ(Sys.Messages[0].Title, "Failed!");
        EXPECT_FALSE(Sys.Ended);
        EXPECT_FALSE(Bank.File1.IsOpen());
    }
    EXPECT_EQ(Bank.QuePool[0].QueNr, "T1A01 ");
    EXPECT_EQ(Bank.Loaded, 0);
}

TEST_F(PoolTest, AtMost430QuestionsAreKept) {
    for (const int n : {430, 431, 1000}) {
        Strings lines;
        for (int i = 1; i <= n; ++i)
            lines.insert(lines.end(), {"T1A01 (A) Pg 1-1", "Question " + std::to_string(i), "A. a",
                                       "B. b", "C. c", "D. d", "~~"});
        Sys.Messages.clear();
        Bank.ChPgCount = {};
        Load(lines);
        SCOPED_TRACE(n);
        EXPECT_EQ(Bank.Npool, 430);
        EXPECT_EQ(Bank.QuePool[429].Question, "Question 430 ");
        EXPECT_EQ(Bank.ChPgCount[1][1], 430);
        if (n == 430) {
            EXPECT_TRUE(Sys.Messages.empty());
        } else {
            ASSERT_EQ(Sys.Messages.size(), 1u);
            EXPECT_EQ(Sys.Messages[0].Title, "Question pool too large");
            EXPECT_NE(Sys.Messages[0].Text.find("first 430 questions"), std::string::npos);
        }
    }
    EXPECT_EQ(Bank.Loaded, 3);
}

TEST_F(PoolTest, HeaderFieldsAndChapterPageCounts) {
    const struct {
        const char* Header;
        const char* Fig;
        const char* ChPg;
        int Chapter, Page; // -1: nothing counted
    } cases[] = {
        {"T1A01 (B) Pg 2-4", "", "2-4 ", 2, 4},
        {"G1A01 (B) Pg 10-35", "", "10-35 ", 10, 35},
        {"E1A01 (B) Pg 0-0", "", "0-0 ", 0, 0},
        {"T1A01 (B) pG  4 - 5", "", " 4 - 5 ", 4, 5},
        {"T1A01 (B) Pg 11-3", "", "11-3 ", -1, -1},
        {"T1A01 (B) Pg 2-36", "", "2-36 ", -1, -1},
        {"T1A01 (B) Pg 2.4", "", "2.4 ", -1, -1},
        {"T1A01 (B) Pg x-4", "", "x-4 ", -1, -1},
        {"T1A01 (B) Pg 2-", "", "2- ", -1, -1},
        {"T1A01 (B) Pg -4", "", "-4 ", -1, -1},
        {"T1A01 (B) Pg 2-99999999999", "", "2-99999999999 ", -1, -1},
        {"T1A01 (B)", "", "", -1, -1},
        {"T1A01 (B) Pg", "", "", -1, -1},
        {"T1A01 (B) Fig T1", "T1", "", -1, -1},
        {"T1A01 (B) fig t-9 PG 3-12", "t-9", "3-12 ", 3, 12},
        {"T1A01 (B) FIG  T2  pg 5-6", "T2", "5-6 ", 5, 6},
        {"T1A01 (B) FigPg 1-2", "", "1-2 ", 1, 2},
    };
    for (const auto& c : cases) {
        Bank.ChPgCount = {};
        Bank.ParseState = 0;
        Bank.CurQue.Fig = "old";
        Bank.CurQue.ChPg = "9-9 ";
        std::string line = std::string(c.Header) + " ";
        Bank.ParsePoolLine(line);
        SCOPED_TRACE(c.Header);
        EXPECT_EQ(Bank.ParseState, 3);
        EXPECT_EQ(Bank.CurQue.Fig, c.Fig);
        EXPECT_EQ(Bank.CurQue.ChPg, c.ChPg);
        EXPECT_EQ(Counted(), c.Chapter < 0 ? 0 : 1);
        EXPECT_EQ(c.Chapter < 0 ? 1 : Bank.ChPgCount[c.Chapter][c.Page], 1);
    }
    Bank.ChPgCount[2][4] = INT16_MAX;
    std::string line = "T1A01 (B) Pg 2-4 ";
    Bank.ParsePoolLine(line);
    EXPECT_EQ(Bank.ChPgCount[2][4], INT16_MAX);
}

TEST_F(PoolTest, CharactersAreCountedNotBytes) {
    // Ä, ä and é are two bytes each in UTF-8.
    const Strings q = Lines("T1Ä01ääää(é) Fig X1éPgé2-4\néé\né\nA.éRot\nB. b\nC. c\nD. d\n~~");
    Load(q + q);
    ASSERT_EQ(Bank.Npool, 2);
    EXPECT_EQ(Fields(Bank.QuePool[0]), "T1Ä01ääää|é|éé     |Rot |b |c |d |X1|2-4 ");
    EXPECT_EQ(Bank.ChPgCount[2][4], 2);
}

TEST_F(PoolTest, Windows1252FileIsConverted) {
    const std::string q = "T1A01 (B) Pg 2-4\r\nCaf\xE9 \x93menu\x94?\r\nA. \x80 5\r\nB. \x81\r\n"
                          "C. c\r\nD. d\r\n~~\r\n";
    LoadBytes(q + q);
    ASSERT_EQ(Bank.Npool, 2);
    EXPECT_EQ(Fields(Bank.QuePool[1]), "T1A01 |B|Café “menu”? |€ 5 |\u0081 |c |d ||2-4 ");
}

} // namespace
} // namespace korvell
