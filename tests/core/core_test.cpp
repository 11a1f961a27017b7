#include "core/bank.h"
#include "core/logic.h"
#include "core/options.h"
#include "core/practice.h"
#include "core/results.h"
#include "core/spoken.h"
#include "core/studylists.h"
#include "support/fixtures.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <tuple>

namespace korvell {
namespace {

using std::to_string;

TEST(Logic, PercentDrawAndTexts) {
    const std::tuple<int, int, const char*> percents[] = {
        {2, 3, "66.67%"}, {3, 32, "9.38%"}, {0, 1, "0.00%"}, {1, 1, "100.00%"}, {1, 32, "3.13%"}};
    for (const auto& [right, answered, text] : percents)
        EXPECT_EQ(FormatPercent(float(right) / float(answered)), text) << right << "/" << answered;
    const std::tuple<int16_t, float, int16_t> draws[] = {
        {35, 0.0f, 1}, {35, 0.99999994f, 35}, {35, 1.0f, 35}, {10, 0.0999f, 1},
        {10, 0.1f, 2}, {2, 0.5f, 2},          {1, 0.9f, 1},   {0, 0.9f, 1}};
    for (const auto& [count, r, number] : draws)
        EXPECT_EQ(DrawNumber(count, r), number) << count << " " << r; // 0.99999994f: below 1
    const std::tuple<const char*, int> chapters[] = {
        {"0", 0},   {" 7 ", 7}, {"10", 10}, {"", 99},    {" ", 99},  {"11", 99},
        {"-1", 99}, {"a", 99},  {"2a", 99}, {"007", 99}, {"1.5", 99}}; // 99: refused
    for (const auto& [text, chapter] : chapters)
        EXPECT_EQ(ParseChapter(text).value_or(99), chapter) << '"' << text << '"';
    EXPECT_EQ(TwoDigits(5) + TwoDigits(12) + TwoDigits(0) + TwoDigits(123), "05120023");
    EXPECT_EQ(ChPgKey("3", " 12") + ChPgKey(" 10 ", "0"), "3-1210-0");
    EXPECT_EQ(CharCount("caf\xC3\xA9 \xE2\x82\xAC\xF0\x9F\x98\x80"), 7u); // é, € and an emoji
    std::string texts;
    for (const char* fig : {"T1", "T10", "X", "1", "T1a", " T1 ", "AB12"})
        texts += FigureCaption(fig) + ";";
    for (const char* number :
         {"7", "0", "18446744073709551615", "18446744073709551616", "-1", "+1", " 7", "x", ""})
        texts += WholeNumber(number) ? to_string(*WholeNumber(number)) + ";" : "-;";
    EXPECT_EQ(texts, "Figure T-1;Figure T-10;Figure X;Figure 1;Figure T1a;Figure T-1;Figure AB-12;"
                     "7;0;18446744073709551615;-;-;-;-;-;-;");
    // A test number's values are the engine's, the same on every machine.
    EXPECT_EQ(NumberedValues(5489).Next(), 13200665 * 0x1p-24f);
    const QueRec q{"T1A05", "x", "Why?", "a.", "b\nline", "c!", "d", "T1", ""};
    EXPECT_EQ(
        QuestionSpoken(q) + "|" + AnswerSpoken("Wrong!", q, nullptr),
        "Question T1A05. Why? A: a. B: b line. C: c! D: d. Figure T-1.|Wrong! The answer is x.");
}

// What a speech engine is given: symbols as words, powers, ranges and straight quotes; the
// question and, once out, its answer.
TEST(Logic, SpeechWords) {
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"30 \u03a9, 10 k\u03a9 and 1 M\u03a9", "30 ohms, 10 kilohms and 1 megohms"},
        {"1 \u00b5V = 1 \u03bcF; the \u00b5 prefix, \u00b5Vx", "1 microvolts = 1 microfarads; the micro prefix, micro Vx"},
        {"\u03bb = c / f \u2248 2 m; \u03bb/4", "lambda = c divided by f about 2 m; lambda /4"},
        {"10^-6, 3 \u00d7 10^8 m/s, 10^-12 F, 2^\u221220", "ten to the minus six, 3 times ten to the eight m/s, ten to the minus twelve F, two to the minus twenty"},
        {"x^2, 10^, 10^x, 100^5", "x^2, 10^, 10^x, 100 to the five"},
        {"144\u2013148 MHz; HF \u2013 VHF", "144 to 148 MHz; HF, VHF"},
        {"P = I\u00b2 \u00d7 R; f = 1 / (2\u03c0\u221a(LC))", "P = I squared times R; f = 1 divided by (2 pi the square root of (LC))"},
        {"\u00b1600 kHz, 2\u00b0 of, \u221220 dB, 6 \u00f7 2", "plus or minus 600 kHz, 2 degrees of, minus 20 dB, 6 divided by 2"},
        {"\u201cCQ\u201d operator\u2019s", "\"CQ\" operator's"},
        {"Plain: T5A03 (A) 1/2", "Plain: T5A03 (A) 1/2"}};
    // clang-format on
    for (const auto& [text, words] : cases)
        EXPECT_EQ(SpeechWords(text), words) << text;
    const QueRec q{"T5A03", "B", "How many \u03a9?", "1 \u00b5A", "2", "3", "4", "T1", ""};
    const ExplainRec e{"T5A03", "B", "97.1", "", "Two \u03a9.", 1};
    EXPECT_EQ(ReadAloudText(q, false, "Right!", &e),
              "Question T5A03. How many ohms? A: 1 microamperes. B: 2. C: 3. D: 4. Figure T-1.");
    EXPECT_EQ(ReadAloudText(q, true, "", &e),
              "Question T5A03. How many ohms? A: 1 microamperes. B: 2. C: 3. D: 4. Figure T-1. "
              "The answer is B: 2. Rule reference: 97.1. Two ohms.");
}

// A test's subelements in the order its groups name them; the margin from the exam's own figures.
TEST(Logic, ResultsBySubelementAndMargin) {
    const std::string groups[] = {"T1A", "T1B", "T2A", "T0A", "T1C", "T0B"};
    const bool right[] = {true, false, true, false, true};
    const std::pair<std::size_t, std::string> cases[] = {{5, "T1 2/3 T2 1/1 T0 0/2 "},
                                                         {0, "T1 0/3 T2 0/1 T0 0/2 "}};
    for (const auto& [known, expected] : cases) { // verdicts beyond the known ones count as wrong
        std::string rows;
        for (const SubResult& r : ResultsBySubelement(groups, std::span(right).first(known)))
            rows += r.Code + " " + to_string(r.Right) + "/" + to_string(r.Asked) + " ";
        EXPECT_EQ(rows, expected);
    }
    const std::tuple<int, int, int, const char*> margins[] = {
        {24, 26, 35, "2 more right answers were needed to pass (26 of 35)."},
        {25, 26, 35, "1 more right answer was needed to pass (26 of 35)."},
        {26, 26, 35, "Passed with no answer to spare."},
        {27, 26, 35, "Passed with 1 to spare (26 of 35 needed)."},
        {40, 37, 50, "Passed with 3 to spare (37 of 50 needed)."}};
    for (const auto& [r, needed, asked, text] : margins)
        EXPECT_EQ(MarginText(r, needed, asked), text) << r;
}

// A subelement's questions by the exam groups; Find's words against texts, choices and codes.
TEST(Logic, SubelementsAndFind) {
    const auto q = [](const char* Id, std::string Text, std::string A) {
        return QueRec{Id, "A", std::move(Text), std::move(A), "b", "c", "d", {}, {}};
    };
    const std::vector<QueRec> pool = {
        q("T1A01 ", "What is a dummy load?", "A resistor"),
        q("T1A02 ", "Which loads?", "Dummy loads"),
        q("T5A03 ", "The operator\u2019s licence", "Ohm\u2019s law"),
        q("T5B01 ", "Straight 'quote' and \"dq\"", "Back\\slash"),
        q("T0A01 ",
          "\xC5\xB8"
          "es \xC3\x89LAN\xC3\x9E \xCE\xA9mega \xD0\x9F\xD1\x80\xD0\xB8",
          "e"),
        q("T5C01 ", "x", "e")};
    const std::string groups[] = {"T1A", "T5A", "T5B", "T0A"}; // T5C is no exam group
    EXPECT_EQ(SubelementCodes(groups), (std::vector<std::string>{"T1", "T5", "T0"}));
    EXPECT_EQ(SubelementQuestions(pool, groups, "T5"), (std::vector<int16_t>{2, 3}));
    // clang-format off
    const std::pair<std::string, std::vector<int16_t>> finds[] = {
        {"dummy load", {0, 1}}, {"  DUMMY   loads ", {1}}, {"load", {0, 1}}, {"operator's", {2}},
        {"OHM\u2019S", {2}}, {"\u201Bquote\u2019 \u201Cdq\u201D", {3}}, {"back\\slash", {3}},
        {"t5a03", {2}}, {"T5A", {2}}, {"T5", {2, 3, 5}}, {"t5 QUOTE", {3}}, {"T9", {}},
        {"\xC3\xBF" "es \xC3\xA9lan\xC3\xBE \xCF\x89MEGA \xD0\xBF\xD0\xA0\xD0\x98", {4}},
        {"dummy loads!", {}}, {"", {}}, {" \t ", {}}, {std::string(100000, 'x'), {}},
        {"\xFF\xC3", {}}};
    // clang-format on
    for (const auto& [typed, found] : finds)
        EXPECT_EQ(FindQuestions(pool, typed), found) << typed.substr(0, 40);
}

std::string Q(const std::string& Id, const std::string& End = "~~\n") {
    return Id + " (A)\nText " + Id + "\nA. a" + Id + "\nB. b" + Id + "\nC. c" + Id + "\nD. d" + Id +
           "\n" + End;
}

std::string Cells(const Bank& B, std::string out = "") { // "ch-pg=count " for each counted
    for (int ch = 0; ch <= MaxChapter; ++ch)
        for (int pg = 0; pg <= MaxPage; ++pg)
            if (const int n = B.ChPgCount[ch][pg])
                out += to_string(ch) + "-" + to_string(pg) + "=" + to_string(n) + " ";
    return out;
}

struct DataFiles : ::testing::Test {
    DataFiles() { Bank.AppDir = (Sys.Dir = Dir.Path.string()) + "/"; }
    // Reads Text as the pool file with every "\n" written as Eol.
    void Load(const std::string& Text, const std::string& Eol = "\r\n", bool Final = true) {
        std::string bytes;
        for (const char c : Text)
            bytes += c == '\n' ? Eol : std::string(1, c);
        Dir.Write("Tech_Pool.txt", Final ? bytes : bytes.substr(0, bytes.size() - Eol.size()));
        Bank.ChPgCount = {};
        Bank.LoadPool();
        EXPECT_FALSE(Bank.File1.IsOpen());
    }
    // The count, the fields of the first N records ("|" between) and the cells counted.
    std::string Stored(int N) {
        std::string s = to_string(Bank.Npool) + " ";
        for (const QueRec& r : std::span(Bank.QuePool).first(N))
            s += r.QueNr + "|" + r.Answer + "|" + r.Question + "|" + r.ChoiceA + "|" + r.ChoiceB +
                 "|" + r.ChoiceC + "|" + r.ChoiceD + "|" + r.Fig + "|" + r.ChPg;
        return s + Cells(Bank);
    }
    testing::TempDir Dir;
    testing::FakePlatform Sys;
    korvell::Bank Bank{Sys};
};

// UTF-8 is taken as it is, at each bound of each byte range (utf8); any other file is read as
// Windows-1252 (bad: each a file of its own, which comes back changed).
TEST_F(DataFiles, ChannelReadsLinesFieldsAndNumbersToTheEnd) {
    const std::string big(65535, 'a'); // one byte short of the first chunk
    const std::string utf8 = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xE1\x80\x80\xEC\xBF\xBF\xED\x9F\xBF"
                             "\xEE\x80\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF1\x80\x80\x80\xF3\xBF\xBF"
                             "\xBF\xF4\x8F\xBF\xBF";
    // Kind: LineInput, InputField or InputInt; "#n": the read failed with error n.
    const std::tuple<char, std::string, std::vector<std::string>> cases[] = {
        {'L', "a\r\nb\nc\rd\r\n\r\n\n\re", {"a", "b", "c", "d", "", "", "", "e", "#62"}},
        {'L', "\xEF\xBB\xBFx y\r" + utf8 + "\n", {"x y", utf8, "#62"}},
        {'L', "\xEF\xBB\xBF", {"#62"}},
        {'L', "\xE9t\xE9 \x93\x80\x94\n", {"été “€”", "#62"}},
        {'L', "\x81\x8D\x8F\x90\x9D", {"\u0081\u008D\u008F\u0090\u009D", "#62"}},
        {'L', "ok\n\xC3", {"ok", "Ã", "#62"}},
        {'L', big + "\r\nb", {big, "b", "#62"}},
        {'L', big + "é\n", {big + "é", "#62"}},
        {'F',
         "\"T1A\", 5\r\n  a , b\tc \t\n\n\"x, y\" dropped ,\"\"\n\"open, ended\nnext",
         {"T1A", "5", "a", "b\tc", "", "x, y", "", "open, ended", "next", "#62"}},
        {'F', big.substr(1) + "\n\"q, r\"", {big.substr(1), "q, r", "#62"}}, // '"' ends the chunk
        {'N',
         "5, -32768\n+32767,\"12\",32768,-32769,123456789012345678901,1.5,-\n\n",
         {"5", "-32768", "32767", "12", "#6", "#6", "#6", "#13", "#13", "#13", "#62"}},
    };
    for (const auto& [k, bytes, expected] : cases) {
        SeqFile f;
        ASSERT_TRUE(f.Open(Dir.Write("t.txt", bytes)));
        std::vector<std::string> items;
        for (std::string s; items.size() < 20 && (items.empty() || items.back() != "#62");) {
            int16_t n = 0;
            const bool ok = k == 'L' ? f.LineInput(s) : k == 'F' ? f.InputField(s) : f.InputInt(n);
            items.push_back(!ok ? "#" + to_string(f.ErrNumber) : k == 'N' ? to_string(n) : s);
        }
        EXPECT_EQ(items, expected) << bytes.substr(0, 20);
    }
    SeqFile f;
    std::string line;
    for (const std::string bad :
         {"\xC1\xBF", "\xC2\x7F", "\xC2\xC0", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\x80"})
        EXPECT_TRUE(f.Open(Dir.Write("t.txt", bad)) && f.LineInput(line) && line != bad)
            << ::testing::PrintToString(bad);
    EXPECT_FALSE(f.Open(Dir.Path.string()));
    EXPECT_EQ(f.ErrNumber, EISDIR);
}

// A pool with any line end; the edge cases of records and of headers.
TEST_F(DataFiles, PoolRecordsAndHeaders) {
    const std::string pool = "Practice pool\nT1A01 (B) Pg 2-4\nFirst?\nA. Red\nB. Green\nC. Blue\n"
                             "D. Gold\n~~~~~~~~\nT1A02 (D) Fig T1 Pg 2-5\nIn the fig,\nA is what?\n"
                             "A. Ring\nB. Box\nand lid\nC. Cone\nand tip\nD. Line\n~~~~~~~~\n";
    const std::string second =
        "T1A02 |D|In the fig, A is what? |Ring |Box and lid |Cone and tip |Line |T1|2-5 ";
    for (const char* eol : {"\r\n", "\n", "\r"})
        for (const bool final : {true, false}) {
            Load(pool, eol, final); // the last record is kept again after the end
            EXPECT_EQ(Stored(3), "2 T1A01 |B|First? |Red |Green |Blue |Gold ||2-4 " + second +
                                     second + "2-4=1 2-5=1 ")
                << int(eol[0] + eol[1]) << final;
        }
    // "(" as 11th character: no header; as 10th: a header. A lone "~" is skipped.
    std::string runOn = Q("T1A05", "") + Q("T1A06", "");
    const std::string utf8 = "T1Ä01ääää(é) Fig X1éPgé2-4\néé\né\nA.éRot\nB. b\nC. c\nD. d\n~~\n";
    Load(Q("T1A01") + "T1A02     (B) Pg 3-3\nText\nA. x\nB. x\nC. x\nD. x\n~~\n" +
         "T1A03    (C)\nShort\nA. a3\nB. b3\n~~\n" + Q("T1A04", "\nx\n  \n~\n") + runOn + "~~\n" +
         utf8 + Q("T1A07", ""));
    std::replace(runOn.begin(), runOn.end(), '\n', ' ');
    const std::string first = "T1A01 |A|Text T1A01 |aT1A01 |bT1A01 |cT1A01 |dT1A01 ||";
    EXPECT_EQ(Stored(5), "5 " + first + first + "T1A03    |C|Short |a3 |b3 |cT1A01 |dT1A01 ||" +
                             "T1A04 |A|Text T1A04 |aT1A04 |bT1A04 |cT1A04 |dT1A04        " + runOn +
                             "||T1Ä01ääää|é|éé     |Rot |b |c |d |X1|2-4 2-4=1 ");
    EXPECT_EQ(Bank.FindQuestionIndex("T1A07"), -1); // kept after the end, never counted
    // The General and Extra pools' headers are taken; lines unlike a header are not.
    Load(Q("G1A01") + Q("E2B03") + Q("TxA01") + Q("T1Ax1") + Q("X1A01"));
    std::string ids;
    for (int k = 0; k < 5; ++k)
        ids += Bank.QuePool[k].QueNr;
    EXPECT_EQ(ids, "G1A01 E2B03 E2B03 E2B03 E2B03 ");
    // After "T1A01 (B) ": the figure, the reference and the cells counted.
    // clang-format off
    const std::pair<const char*, const char*> cases[] = {
        {"Pg 10-35", "|10-35 |10-35=1 "}, {"Pg 0-0", "|0-0 |0-0=1 "}, {"pG  4 - 5", "| 4 - 5 |4-5=1 "},
        {"Pg 11-3", "|11-3 |"}, {"Pg 2-36", "|2-36 |"}, {"Pg 2.4", "|2.4 |"}, {"Pg x-4", "|x-4 |"},
        {"Pg 2-99999999999", "|2-99999999999 |"}, {"", "||"}, {"Fig T1", "T1||"},
        {"fig t-9 PG 3-12", "t-9|3-12 |3-12=1 "}, {"FIG  T2  pg 5-6", "T2|5-6 |5-6=1 "}};
    // clang-format on
    for (const auto& [tail, expected] : cases) {
        korvell::Bank b(Sys);
        b.CurQue.Fig = b.CurQue.ChPg = "old";
        std::string line = "T1A01 (B) " + std::string(tail) + " ";
        b.ParsePoolLine(line);
        EXPECT_EQ(b.CurQue.Fig + "|" + b.CurQue.ChPg + "|" + Cells(b), expected) << tail;
    }
}

// Too few records, 430 and 431; of megabyte lines a bounded start is kept, cut at a character
// (EXPECT_TRUE: prints less).
TEST_F(DataFiles, PoolSizeLimits) {
    for (const std::string& text : {std::string(), std::string("text\nmore\n"), Q("T1A01")}) {
        Load(text);
        EXPECT_EQ(Sys.Said(), "Failed!: Unable to parse question pool file\n");
    }
    for (const int n : {430, 431}) {
        std::string text;
        for (int i = 1; i <= n; ++i)
            text += "T1A01  (A) Pg 1-1\nQ" + to_string(i) + "\nA. a\nB. b\nC. c\nD. d\n~~\n";
        Load(text);
        EXPECT_EQ(to_string(Bank.Npool) + Bank.QuePool[429].Question + Cells(Bank) +
                      Sys.Said().substr(0, 24 * (n - 430)),
                  std::string("430Q430 1-1=430 ") + (n > 430 ? "Question pool too large:" : ""));
    }
    EXPECT_EQ(Bank.FindQuestionIndex("T1A01"), 0);
    EXPECT_EQ(Bank.FindQuestionIndex("t1a01"), -1);
    std::string wide, kept;
    for (int i = 0; i < 1 << 20; ++i)
        wide += "\xC3\xA9"; // two bytes
    kept = "x" + wide.substr(0, (MaxTextBytes - 1) / 2 * 2) + " ";
    std::string pool = "T1A01 (A) Pg 2-4\nx" + wide + "\nA. a\nB. b\nC. c\nD. d\n";
    for (int i = 0; i < 430; ++i)
        pool += "~~\n";
    Load(pool + "T1A02 (C) " + std::string(1 << 20, 'z') + " Pg 2-5\nq\nA. a\n~~\n");
    ASSERT_EQ(Bank.Npool, MaxQue);
    for (const QueRec& r : Bank.QuePool)
        EXPECT_TRUE(r.Question == kept) << r.Question.size();
    EXPECT_EQ(Cells(Bank), "2-4=1 ");
}

// Records kept ("id letter [ref] fp:text@line"; of more than two, their count before) and
// records refused ("!line").
TEST_F(DataFiles, ExplanationRecords) {
    std::string many, wide(MaxExplainBytes / 2 - 1, 'w');
    for (int i = 0; i < 432; ++i)
        many += "T1A01 (A)\nx\n~~\n";
    const std::pair<std::string, std::string> cases[] = {
        {"T1A01 (C) [97.1]\nWhy\nit is.\n~~~~~~~~\n", "T1A01 C [97.1] :Why it is.@1 "},
        {"T2B03 (D)  [97.9(a), 97.17(a)]  Fp 0A1B2C3D \n\n  two \t blanks \n~~\n",
         "T2B03 D [97.9(a), 97.17(a)] 0a1b2c3d:two blanks@1 "},
        {"lead-in\nmore\n~~\nT1A02 (B) Fp 01234567\ntext\n~~\n", "!1 T1A02 B [] 01234567:text@4 "},
        {"T1A01 (A)\nx\nT1A02 (B)\ny\n~~\n", "!1 T1A02 B [] :y@3 "},
        {"T1A01 (A)\n~~\nT1A02 (A)\nx\n", "!1 !3 "},
        {"T1A01 (E)\nx\n~~\nT1A1 (A)\nx\n~~\nT1A01 (A) Fp 123\nx\n~~\nT1A00 (A)\nx\n~~\n"
         "T1A01 (A) [97.1\nx\n~~\nT1A01 (A) []\nx\n~~\nT1A01 (A) more\nx\n~~\nT1A01(A)\nx\n~~\n"
         "T1a01 (A)\nx\n~~\n",
         "!1 !4 !7 !10 !13 !16 !19 !22 !25 "},
        {"T1A01 (A)\n" + wide + "\n" + wide + "\n~~\nT1A02 (A)\n" + wide + wide + "www\n~~\n",
         "!5 T1A01 A [] :@1 "},
        {many, "431 !1294 "}};
    for (const auto& [text, expected] : cases) {
        SeqFile f;
        ASSERT_TRUE(f.Open(Dir.Write("e.txt", text)));
        std::vector<ExplainRec> recs;
        std::vector<ExplainProblem> problems;
        ReadExplainRecords(f, recs, &problems);
        std::string seen = recs.size() > 2 ? to_string(recs.size()) + " " : "";
        for (const auto& p : problems)
            seen += "!" + to_string(p.Line) + " ";
        for (const auto& r : recs)
            if (recs.size() < 3)
                seen += r.QueNr + " " + r.Answer + " [" + r.Ref + "] " + r.Fp + ":" +
                        (r.Text.size() > 20 ? "" : r.Text) + "@" + to_string(r.Line) + " ";
        EXPECT_EQ(seen, expected) << text.substr(0, 40);
    }
    // The wording's fingerprint: runs of blanks and line ends are one blank, none at either end.
    EXPECT_EQ(QueFingerprint({"", "", "Question\r\n T1B01? ", "T1B01 choice A ", "T1B01 choice B",
                              "T1B01\tchoice C", " T1B01 choice D ", "", ""}),
              "d91bf4fa");
    // The program's: optional, read through the channel, shown only for the answer and
    // wording they were written for.
    Bank.Explains.resize(1); // left from an earlier read
    Bank.LoadExplain();
    EXPECT_EQ(Sys.Said() + to_string(Bank.Explains.size() + Bank.File1.IsOpen()), "0");
    Load(Q("T1A01") + Q("T1A02") + Q("T1A03") + Q("T1A04"));
    const std::string fp = QueFingerprint(Bank.QuePool[1]);
    Dir.Write("Tech_Explain.txt", "T1A01 (A)\n1\n~~\nT1A02 (A) Fp " + fp +
                                      "\n2\n~~\nT1A03 (B)\n3\n~~\n" +
                                      "T1A04 (A) Fp 00000000\n4\n~~\nT1A01 (A)\n5\n~~\n");
    Bank.LoadExplain();
    std::string shown;
    for (const QueRec& q : std::span(Bank.QuePool).first(4))
        shown += (Bank.FindExplain(q) ? Bank.FindExplain(q)->Text : "-") + " ";
    EXPECT_EQ(shown + Sys.Said() + to_string(Bank.File1.IsOpen()), "1 2 - - 0");
}

// "code|title|line " per entry; absent: no titles, no message, channel closed. The title
// of a code is its first entry's.
TEST_F(DataFiles, Syllabus) {
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, ""},
        {"T5 OHM\x92S LAW\rT5A Volts", "T5|OHM’S LAW|1 T5A|Volts|2 "}, // Windows-1252
        {"T1 RULE\xE2\x80\x99S\r\n\r\n  T1A\tPurpose;  more \t\r\nT2\n\t \nT1 Again",
         "T1|RULE’S|1 T1A|Purpose;  more|3 T2||4 T1|Again|6 "}};
    for (const auto& [bytes, expected] : cases) {
        if (bytes) Dir.Write(SyllabusFileName, bytes);
        Bank.Syllabus = {{"T9", "Left over", 1}};
        Bank.ReadSyllabus();
        std::string entries;
        for (const SylEntry& e : Bank.Syllabus)
            entries += e.Code + "|" + e.Title + "|" + to_string(e.Line) + " ";
        EXPECT_EQ(entries + Sys.Said() + to_string(Bank.File1.IsOpen()), expected + "0");
    }
    EXPECT_EQ(Bank.SyllabusTitle("T1") + "|" + Bank.SyllabusTitle("T1A") + "|" +
                  Bank.SyllabusTitle("T1B") + "|" + Bank.SyllabusTitle("t1"),
              "RULE’S|Purpose;  more||");
}

TEST_F(DataFiles, SectionCountTable) {
    // After the good table (none: no file), the error and its description.
    const std::tuple<const char*, int, std::string> cases[] = {
        {nullptr, ENOENT, std::strerror(ENOENT)},
        {"\"X1\",many\r\n", ErrTypeMismatch, "Type mismatch"},
        {"\"X1\",40000\r\n", ErrOverflow, "Overflow"},
        {"\"X1\"", ErrInputPastEnd, "Input past end of file"},
        {"\"X1\",1\r\n\"X2\",2\r\n", ErrSubscript, "Subscript out of range"}};
    Bank.BuildSecGroups();
    Bank.BuildSecGroups(); // rebuilding does not add to the list
    std::string table;
    for (int i = 0; i < Bank.NrSecGroups; ++i)
        table += "\"" + Bank.SecGroups[i] + "\"," + to_string(i + 10) + "\r\n";
    for (const auto& [tail, number, description] : cases) {
        if (tail) Dir.Write("SecCntTbl.txt", table + tail);
        Bank.ReadSecCntTbl();
        EXPECT_EQ(Sys.Said() + Bank.SecCntIds[35] + to_string(Bank.SecCnt[0] + Bank.File1.IsOpen()),
                  "Procedure Failed: Error number " + to_string(number) + "\n" + description +
                      "\n" + (number == ErrSubscript ? "X1" : "") + to_string(tail ? 10 : 0));
    }
    Dir.Write("SecCntTbl.txt", table);
    Bank.ReadSecCntTbl();
    // A paper test: per group in exam order the test's rule on the values of its number;
    // the pool index where the pool holds the question (-1 where not).
    NumberedValues values(7);
    std::vector<std::string> expected;
    for (int i = 0; i < 35; ++i)
        expected.push_back(Bank.SecGroups[i] +
                           TwoDigits(int16_t(values.Next() * float(i + 10)) + 1));
    Bank.QuePool[0].QueNr = " " + expected[1] + " ";
    Bank.Npool = 1;
    const auto ids = [&](std::uint64_t Number, std::string Found = "") {
        std::vector<std::string> out;
        for (const PaperQue& q : DrawPaperTest(Bank, Number))
            out.push_back(q.QueId), Found += to_string(q.Idx);
        return std::pair(out, Found.substr(0, 5));
    };
    EXPECT_EQ(ids(7), std::pair(expected, std::string("-10-1")));
    EXPECT_NE(ids(8).first, expected);
    std::string seen = Sys.Said() + to_string(Bank.File1.IsOpen() + Bank.NrSecGroups) + " " +
                       to_string(Bank.FirstSecCntMismatch());
    Bank.SecCntIds[34] = "T0c"; // letter case counts
    seen += " " + to_string(Bank.FirstSecCntMismatch());
    std::swap(Bank.SecCntIds[0], Bank.SecCntIds[1]);
    EXPECT_EQ(seen + " " + to_string(Bank.FirstSecCntMismatch()), "35 -1 34 0");
}

} // namespace
} // namespace korvell
