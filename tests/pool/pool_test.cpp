// korvell-pool: problems, hostile archives, the round trip to the program, and check.
#include "core/bank.h"
#include "core/explain.h"
#include "korvell-pool/check.h"
#include "korvell-pool/release.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

namespace korvell::testing {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::pair<std::string, std::string>>;

// A real figure: the first one beside the program.
const std::string Jpeg = ReadFile(KORVELL_SHIPPED_DATA "/T1.jpg");
std::string Formatted(const pool::Diags& D, std::string All = "") {
    for (const auto& p : D)
        All += pool::Format(p) + "\n";
    return All;
}

// PerGroup questions a group, 7 lines each from line 4 + 7q; line At is set to Text.
std::string Release(int PerGroup = 2, int At = 0, const std::string& Text = "") {
    std::vector<std::string> l{"Technician pool", "Effective 7/01/2026 - 6/30/2030", "T1A Rules"};
    for (const auto& g : pool::ExamGroups())
        for (int n = 1; n <= PerGroup; ++n) {
            const std::string id = g + (n < 10 ? "0" : "") + std::to_string(n);
            l.insert(l.end(), {id + " (" + "ABCD"[n % 4] + ") [97.1]",
                               "What is " + id + (l.size() == 3 ? " in figure T-1?" : "?"),
                               "A. Alpha " + id, "B. Bravo", "C. Charlie", "D. Delta", "~~"});
        }
    l.push_back("~~~~End of question pool text~~~~");
    std::string t;
    for (int k = 1; k <= static_cast<int>(l.size()); ++k)
        t += (k == At ? Text : l[k - 1]) + "\r\n";
    return t;
}

// A .docx of the text (a paragraph a line), picture rId1 at Target, an entry escaping.
Entries Docx(const std::string& Text, const std::string& Picture = Jpeg,
             const std::string& Target = "media/image1.jpeg") {
    std::string x = "<w:document xmlns:w=\"w\" xmlns:a=\"a\" xmlns:r=\"r\"><w:body><w:p><w:r><w:t>";
    for (char c : Text)
        x += c == '\n'  ? "</w:t></w:r></w:p><w:p><w:r><w:t>"
             : c == ' ' ? "</w:t></w:r><w:r><w:t xml:space=\"preserve\"> "
                        : std::string(c != '\r', c);
    return {{"word/document.xml", x + "</w:t><w:drawing><a:blip r:embed=\"rId1\"/></w:drawing>"
                                      "</w:r></w:p></w:body></w:document>"},
            {"word/_rels/document.xml.rels", "<Relationships><Relationship Id=\"rId1\" Target=\"" +
                                                 Target + "\"/></Relationships>"},
            {"word/media/image1.jpeg", Picture},
            {"../../escape.txt", "outside"}};
}
std::string Zip(const Entries& E) {
    const TempDir Dir;
    zip_t* za = zip_open((Dir / "z.zip").c_str(), ZIP_CREATE, nullptr);
    for (const auto& [name, data] : E)
        zip_file_add(za, name.c_str(), zip_source_buffer(za, data.data(), data.size(), 0), 0);
    zip_close(za);
    return ReadFile(Dir / "z.zip");
}

// Imports File beside T1.jpg into out/ over an earlier pool; then checks out/ if it worked.
struct Imported {
    static inline const std::string Earlier = "T1 EARLIER RULES\r\n"; // the earlier syllabus
    TempDir Dir;
    std::string Out = Dir / "out", Problems, Summary;
    std::set<fs::path> Before;
    int Status;
    Imported(std::string File, std::string Data, std::string Map = "", pool::Limits Max = {}) {
        fs::create_directory(Out);
        for (const auto& [name, data] : {std::pair{File, Data},
                                         {"T1.jpg", Jpeg},
                                         {"map.csv", Map},
                                         {"out/Tech_Pool.txt", "earlier"},
                                         {"out/Disclaimer.txt", "earlier"},
                                         {"out/Vellkor-Help.txt", "earlier"},
                                         {"out/Tech_Syllabus.txt", Earlier}})
            Dir.Write(name, data);
        Before = Listing();
        pool::Diags d;
        Status = pool::Import(Dir / File, Out, Map.empty() ? "" : Dir / "map.csv", Max, d, Summary);
        if (Status == 0) pool::Check(Out, d);
        Problems = Formatted(d);
    }
    std::set<fs::path> Listing() const { return {fs::recursive_directory_iterator(Dir.Path), {}}; }
    // Refused with Expected among the problems, nothing written or changed.
    void ExpectRefused(const std::string& Expected) const {
        EXPECT_NE(Problems.find(Expected), std::string::npos) << Expected << "\n" << Problems;
        EXPECT_TRUE(Status == 1 && Listing() == Before &&
                    ReadFile(Out + "/Tech_Pool.txt") + ReadFile(Out + "/Tech_Syllabus.txt") ==
                        "earlier" + Earlier)
            << Expected;
    }
};

TEST(PoolImport, EachProblemIsReportedAtItsLineAndNothingIsWritten) {
    const struct {
        int At;
        std::string Text, Expected, Map = "";
        int PerGroup = 2;
    } cases[] = {
        {4, "T1A1 (C)", "release.txt:4: error: malformed question identifier"},
        {4, "T1Ax1 (C)", "release.txt:4: error: malformed question identifier"},
        {6, "A.", ":4: error: T1A01: choice A has no text"},
        {11, "T1A02 (E)", ":11: error: T1A02: answer letter \"E\" is not A, B"},
        {11, "T1A01 (A)", ":11: error: T1A01 appears twice (first at line 4)"},
        {25, "T1B03 (A)", ":25: error: T1B02 is missing before T1B03"},
        {7, "", ":8: error: T1A01: choice B is missing before choice C"},
        {10, "E. Echo", ":10: error: T1A01: extra choice E"},
        {9, "C. Charlie", ":9: error: T1A01: choice C again or out of order"},
        {9, "Delta", ":10: error: T1A01: choice D is missing"},
        {5, "", ":4: error: T1A01: the question has no text"},
        {4, "T0C03 (A)", ":11: error: group T1A is out of exam order (after T0C)"},
        {46, "T2B01 (A)", ":46: error: group T2A is missing", "", 1},
        {0, "", ":3014: error: more than 430 questions", "", 13},
        {12, "See figure t4.", ":11: error: T1A02 names figure T4 but the release"},
        {0, "", "map.csv:2: error: \"T1G01\" names no question", "T1A01,2-4\nT1G01,1-1"},
        {0, "", "map.csv:1: error: T1A01: chapter 11 is outside 0..10", "T1A01,11-1"},
        {0, "", "map.csv:1: error: T1A01: page 36 is outside 0..35", "T1A01,1-36"},
    };
    for (const auto& c : cases)
        Imported("release.txt", Release(c.PerGroup, c.At, c.Text), c.Map).ExpectRefused(c.Expected);
}

TEST(PoolImport, HostileArchivesEndWithAClearErrorAndNothingWritten) {
    const std::string big = Zip({{"word/document.xml", std::string(0x20A0B1, '\0')}});
    // Big with its headers declaring 0xF0000000 and 100 inflated bytes instead.
    std::string huge = big, small = big, size("\xB1\xA0\x20", 4);
    for (auto i = big.find(size); i != std::string::npos; i = big.find(size, i + 4))
        huge.replace(i, 4, "\0\0\0\xF0", 4), small.replace(i, 4, "d\0\0\0", 4);
    const std::pair<std::string, std::string> cases[] = {
        {big.substr(0, big.size() / 2), "r.docx: error: not a zip archive"},
        {huge, "document.xml is too large: it declares 4026531840 bytes"},
        {small, "document.xml is too large: it inflates to more than 1048576"},
        {big, "document.xml is too large: it declares 2138289 bytes inflated"},
        {Zip({{"../../escape.xml", "x"}, {"word/styles.xml", "x"}}),
         "r.docx: error: the archive has no word/document.xml"},
        {Zip({{"word/document.xml", "<w:document><w:body><w:p>"}}),
         "r.docx: error: XML error in word/document.xml at line 1, column 25: Start-end tags "
         "mismatch"},
        {Zip(Docx(Release(), "\x89PNG\r\n")),
         ":495: error: picture word/media/image1.jpeg (figure T1) is not a JPEG the program can "
         "show: Not a JPEG file"},
        {Zip(Docx(Release(), Jpeg.substr(0, Jpeg.size() - 30))),
         "(figure T1) is not a JPEG the program can show: Premature end of JPEG file"},
        // Paragraphs are not numbered in a word processor: their start is quoted.
        {Zip(Docx(Release(2, 11, "T1A01 (A)"))),
         "r.docx:11: error: T1A01 appears twice (first at line 4) (paragraph \"T1A01 (A)\")"},
        {Zip(Docx(Release(2, 4, "T1A1 (C) with a remark that runs on past forty characters"))),
         "r.docx:4: error: malformed question identifier \"T1A1\" (expected the form T1A01) "
         "(paragraph \"T1A1 (C) with a remark that runs on past...\")"},
        {Zip(Docx(Release(), Jpeg, "../../x.jpeg")),
         ":495: error: picture \"rId1\" is not an entry of the archive"},
    };
    const pool::Limits max{1u << 20, 1u << 20};
    for (const auto& [docx, expected] : cases) {
        Imported("r.docx", docx, "", max).ExpectRefused(expected);
        // Read from memory, as the fuzz target reads it, the archive meets the same end.
        pool::Release rel{"r.docx", true, {}, {}};
        pool::Docx reader;
        pool::Diags d;
        pool::Files files;
        if (reader.Read(docx.data(), docx.size(), max, rel, d))
            pool::MakeFiles(rel, reader, "", max, files, d);
        // (The paragraph's start is quoted by the command's report only.)
        const std::string problem = expected.substr(0, expected.find(" (paragraph"));
        EXPECT_NE(Formatted(d).find(problem), std::string::npos) << expected << Formatted(d);
    }
}

// A paragraph within a paragraph (a text box's) followed by more of the outer one's text:
// a line a paragraph, in order. The fuzzer's inputs that found such faults are kept in
// findings/ and read here too.
TEST(PoolImport, DocxParagraphsWithinParagraphsStayInOrder) {
    const auto lines = [](const std::string& Docx) {
        pool::Release rel{"r.docx", true, {}, {}};
        pool::Docx reader;
        pool::Diags d;
        reader.Read(Docx.data(), Docx.size(), {}, rel, d);
        std::string all = Formatted(d);
        for (std::size_t k = 0; k < rel.Lines.size(); ++k)
            all += (k && rel.Lines[k].Nr <= rel.Lines[k - 1].Nr ? "out of order " : "") +
                   std::to_string(rel.Lines[k].Nr) + ":" + rel.Lines[k].Text + "|";
        return all;
    };
    const std::string box = "<w:r><w:txbxContent><w:p><w:r><w:t>Box</w:t></w:r></w:p>"
                            "</w:txbxContent></w:r><w:r><w:t>after</w:t></w:r></w:p>";
    const std::pair<std::string, std::string> cases[] = {
        {"<w:p><w:r><w:t>Before </w:t></w:r>" + box + "<w:p><w:r><w:t>Next</w:t></w:r></w:p>",
         "1:Before after|2:Box|3:Next|"},
        {"<w:p>" + box, "1:after|2:Box|"},
    };
    for (const auto& [body, expected] : cases)
        EXPECT_EQ(lines(Zip({{"word/document.xml",
                              "<w:document><w:body>" + body + "</w:body></w:document>"}})),
                  expected);
    for (const auto& finding : fs::directory_iterator(KORVELL_FINDINGS))
        EXPECT_EQ(lines(ReadFile(finding.path())).find("out of order"), std::string::npos)
            << finding.path();
}

// Problems of OUTDIR name OUTDIR as the tool's own, not a line of the release.
TEST(PoolImport, ProblemsOfTheOutputDirectoryNameIt) {
    const TempDir dir;
    dir.Write("afile", "x");
    dir.Write("T1.jpg", Jpeg);
    const std::pair<std::string, std::string> cases[] = {
        {"afile", "exists and is not a directory"},
        {"afile/out", "cannot make a working directory in " + dir / "afile" + ": Not a directory"}};
    for (const auto& [out, expected] : cases) {
        pool::Diags d;
        std::string summary;
        const int status =
            pool::Import(dir.Write("release.txt", Release()), dir / out, "", {}, d, summary);
        EXPECT_EQ(std::to_string(status) + Formatted(d),
                  "1korvell-pool: " + dir / out + ": error: " + expected + "\n");
    }
    EXPECT_EQ(ReadFile(dir / "afile"), "x");
}

// Text and .docx releases give the same files: the pool that the program reads, and the
// syllabus, the first heading of each subelement and group in exam order (none: no file).
TEST(PoolImport, TextAndDocxReleasesGiveTheSameFilesThatTheProgramReads) {
    std::string release = Release(
        2, 3,
        "SUBELEMENT T2 \xE2\x80\x93 OPERATING PROCEDURES [3 Exam Questions - 3 Groups]  37 "
        "Questions\r\nT2A\tStation operation  \r\nsubelement T1 - COMMISSION\xE2\x80\x99S RULES "
        "[6 Exam Questions - 6 Groups]\r\nT1A Purpose; Interference\r\nSUBELEMENT T0 SAFETY\r\n"
        "T1B\r\nT1G Not a group\r\nSUBELEMENT T12 - NONE\r\nT1C01 \xE2\x80\x93 change the "
        "question to read:");
    release.insert(release.find("T1B01 ("), "SUBELEMENT T1 - RULES\r\nT1B Later title\r\n");
    release.insert(release.find("B. Bravo"), "and more\r\n"); // choice A of T1A01 goes on
    const Imported text("release.txt", release, "T5A02,7-3\n");
    const Imported word("release.docx", Zip(Docx(release)), "T5A02,7-3\n");
    ASSERT_EQ(text.Problems + word.Problems + std::to_string(text.Status + word.Status), "0");
    for (const char* f : {"Tech_Pool.txt", "SecCntTbl.txt", "T1.jpg", "Tech_Syllabus.txt"})
        EXPECT_EQ(ReadFile(text.Out + "/" + f), ReadFile(word.Out + "/" + f)) << f;
    EXPECT_EQ(ReadFile(text.Out + "/Tech_Syllabus.txt"),
              "T1 COMMISSION\xE2\x80\x99S RULES\r\nT1A Purpose; Interference\r\nT1B Later title\r\n"
              "T2 OPERATING PROCEDURES\r\nT2A Station operation\r\nT0 SAFETY\r\n");
    EXPECT_FALSE(fs::exists(word.Dir.Path.parent_path() / "escape.txt"));
    EXPECT_EQ(ReadFile(text.Out + "/T1.jpg"), Jpeg);
    EXPECT_EQ(text.Summary, "70 questions in 35 groups and 1 figure written to " + text.Out +
                                "; the pool is in force 7/01/2026 - 6/30/2030");
    // The program reads the pool without a message (its table is read by check, above).
    FakePlatform fake;
    fake.Dir = text.Out;
    auto bank = std::make_unique<Bank>(fake);
    bank->LoadPool();
    const auto& q = bank->QuePool;
    EXPECT_EQ(fake.Messages + std::to_string(bank->Npool) + q[0].QueNr + q[0].Answer + q[0].Fig +
                  q[0].ChPg + q[0].Question + q[0].ChoiceA + q[0].ChoiceD + q[2].Fig + q[29].ChPg +
                  q[69].ChPg,
              "70T1A01 BT11-1 What is T1A01 in figure T-1? Alpha T1A01 and more Delta 7-3 10-3 ");
    const Imported none("release.txt", Release(2, 3, "Technician pool questions"));
    EXPECT_EQ(none.Problems + std::to_string(none.Status), "0");
    EXPECT_EQ(ReadFile(none.Out + "/Tech_Syllabus.txt"), Imported::Earlier); // written: none
}

// The good directory holds two questions a group, 7 lines each: T1A01 (naming
// figure T1) on lines 1-7, T1A02 on lines 8-14, and so on.
TEST(PoolCheck, FindsWhatWouldGoWrongInUseAtItsLine) {
    const Imported good("release.txt", Release());
    const std::string pool = ReadFile(good.Out + "/Tech_Pool.txt");
    // Each case sets the first From to To (no From: adds To) in the file the expected finding
    // names (an emptied file goes). A case that expects a warning expects no error.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"D. Delta\r\n~~\r\nT1B01", "~~\r\nT1B01",
         "Tech_Pool.txt:13: error: T1A02: no \"D.\" line before the record end: the program shows "
         "what the question before it had there"},
        {"B. Bravo\r\nC. Charlie\r\nD. Delta\r\n~~\r\nT1A02", "~~\r\nT1A02",
         "Tech_Pool.txt:4: error: T1A01: no \"B.\", \"C.\" and \"D.\" lines"},
        {"What is T1A02?\r\n", "", "Tech_Pool.txt:8: error: T1A02 has no question text"},
        {"B. Bravo", "B.", "Tech_Pool.txt:4: error: T1A01: choice B has no text"},
        {"C. Charlie\r\n", "C. Charlie\r\nC. Charlie\r\n",
         "Tech_Pool.txt:6: error: T1A01: choice C line where D belongs: the program takes it as "
         "part of choice C"},
        {"A. Alpha T1A02\r\nB. Bravo", "B. Bravo\r\nA. Alpha T1A02",
         "Tech_Pool.txt:10: error: T1A02: choice B line where A belongs: the program takes it as "
         "part of the question text"},
        {"D. Delta\r\n~~\r\nT1A02", "D. Delta\r\nD. Delta\r\n~~\r\nT1A02",
         "Tech_Pool.txt:7: error: T1A01: choice D line after choice D"},
        {"~~\r\nT1A02", "T1A02",
         "Tech_Pool.txt:7: error: T1A01 has no record end line before the header of T1A02: the "
         "program takes T1A02 and its lines as part of choice D of T1A01"},
        {"T1A02 (C) Pg 1-1", "T1A01 (C) Pg 1-1",
         "Tech_Pool.txt:8: error: T1A01 again (first at line 1)"},
        {"T1A02 (C) Pg 1-1", "T1A02 (A) Pg 11-1", "Tech_Pool.txt:8: error: T1A02: \"Pg 11-1\""},
        {"T1A02 (C) Pg 1-1", "~~", "Tech_Pool.txt:8: error: a record end line with no question"},
        {"~~", "~", "Tech_Pool.txt:7: error: a lone \"~\" is skipped"},
        {"", pool + pool + pool + pool + pool + pool,
         "Tech_Pool.txt:3017: error: more than 430 questions"},
        {"Fig T1", "Fig T5", "Tech_Pool.txt:1: error: figure T5: T5.jpg cannot be read"},
        {"\"T1A\",2", "\"T1A\",3",
         "SecCntTbl.txt:1: error: T1A counts 3 questions but the pool has no T1A03"},
        {"\"T1B\",2", "\"T1B\",1",
         "SecCntTbl.txt:2: warning: T1B counts 1 question but the pool has T1B02 as well: no test "
         "draws it"},
        {"", "\"T0D\",1\r\n",
         "SecCntTbl.txt:36: warning: record 36 (\"T0D\") lies beyond the 35 groups"},
        {"\"T1B\"", "\"T1b\"", "SecCntTbl.txt:2: error: record 2 is \"T1b\""},
        {"\"T1C\",2", "\r\n\"T1C\",x",
         "SecCntTbl.txt:4: error: the program reports \"Procedure Failed\" (Error number 13: Type "
         "mismatch)"},
        {"\"T0C\",2\r\n", "",
         "SecCntTbl.txt: error: 34 records where the program expects one for each of the 35"},
        {Jpeg, Jpeg.substr(0, Jpeg.size() - 30),
         "T1.jpg: error: not a picture the program can show: Premature end of JPEG file"},
        {"", Jpeg, "T4.jpg: warning: no question names this figure"},
        {"earlier", "", "Disclaimer.txt: warning: cannot be opened (No such file or directory)"},
        {"earlier", "\"One, quoted\"\r\n  Two, three, four\r\nFive",
         "Vellkor-Help.txt:2: warning: a comma outside double quotes makes this line two or more "
         "rows of the window\n"},
        {"", "T1G Gone\r\n",
         "Tech_Syllabus.txt:2: error: \"T1G\" is neither a subelement nor a group"},
        {"T1A", "T2A Operating\r\n\r\nT1A",
         "Tech_Syllabus.txt:3: error: T1A after T2A: the syllabus is not in exam order"},
        {"", "T1A Again\r\n", "Tech_Syllabus.txt:2: error: T1A again"},
    };
    for (const auto& [from, to, expected] : cases) {
        TempDir dir;
        fs::copy(good.Out, dir.Path);
        const std::string file = expected.substr(0, expected.find(':'));
        std::string text = ReadFile(dir / file);
        ASSERT_NE(text.find(from), std::string::npos) << from;
        text.replace(from.empty() ? text.size() : text.find(from), from.size(), to);
        text.empty() ? void(fs::remove(dir / file)) : void(dir.Write(file, text));
        pool::Diags d;
        pool::Check(dir.Path, d);
        EXPECT_NE(Formatted(d).find("/" + expected), std::string::npos) << expected << Formatted(d);
        EXPECT_TRUE(expected.find(": warning: ") == std::string::npos || !pool::HasErrors(d))
            << Formatted(d);
    }
    // A directory that is not there, or is a file, is one finding.
    pool::Diags d;
    pool::Check(good.Dir / "none", d);
    pool::Check(good.Dir / "T1.jpg", d);
    EXPECT_EQ(Formatted(d), good.Dir / "none: error: no such directory\n" +
                                good.Dir / "T1.jpg: error: not a directory\n");
}

// Explanations that cannot be read, stale, unknown or repeated are found; a stamp marks
// the ones named as written for the pool as it is, changing their header lines only.
TEST(PoolCheck, ExplanationsAndTheirStamp) {
    const Imported good("release.txt", Release());
    const std::string file = good.Out + "/Tech_Explain.txt";
    const std::string text =
        "T1A01 (B)\r\nno stamp\r\n~~\r\nT1A02 (C) [97.1] Fp 00000000\nstale\n~~\n"
        "T1A01 (B)\nagain\n~~\nT9Z01 (A)\nunknown\n~~\nT1B01 (A)\nold letter\n"
        "~~\nT1B02 (D)\n~~\n";
    good.Dir.Write("out/Tech_Explain.txt", text);
    const auto check = [&] {
        pool::Diags d;
        pool::Check(good.Out, d);
        return Formatted(d);
    };
    const std::string found = check(); // and 67 questions without one
    EXPECT_EQ(std::count(found.begin(), found.end(), '\n'), 73) << found;
    for (const char* expected :
         {":16: error: the explanation of T1B02 has no text; it is skipped\n",
          ":1: warning: T1A01 has no fingerprint",
          ":4: warning: written for another wording of T1A02",
          ":7: warning: T1A01 again (first at line 1)", ":10: warning: T9Z01 is not a question",
          ":13: warning: written for the answer (A) of T1B01, which is now (B)"})
        EXPECT_NE(found.find(file + expected), std::string::npos) << expected << "\n" << found;
    pool::Diags d;
    std::string summary;
    EXPECT_EQ(pool::Stamp(good.Out, "", {"T1A02", "T9Z01"}, d, summary), 1);
    EXPECT_EQ(Formatted(d) + ReadFile(file),
              file + ": error: T9Z01 is not a question of the pool\n" + text);
    d.clear();
    ASSERT_EQ(pool::Stamp(good.Out, "", {"T1A01", "T1A02", "T1B01"}, d, summary), 0);
    EXPECT_EQ(summary + Formatted(d),
              "3 explanations stamped as written for the current wording (4 changed)");
    EXPECT_EQ(
        std::regex_replace(ReadFile(file), std::regex("Fp [0-9a-f]{8}\\b"), "Fp #"),
        "T1A01 (B) Fp #\r\nno stamp\r\n~~\r\nT1A02 (C) [97.1] Fp #\nstale\n~~\nT1A01 (B) Fp #\n"
        "again\n~~\nT9Z01 (A)\nunknown\n~~\nT1B01 (B) Fp #\nold letter\n~~\nT1B02 (D)\n~~\n");
    const std::string after = check(); // the stamped ones are taken as written for the pool
    for (const char* gone : {":1: warning", ":4: warning", ":13: warning"})
        EXPECT_EQ(after.find(file + gone), std::string::npos) << gone << "\n" << after;
}

// Every question of the shipped release has its explanation beside the program, written
// for its letter and carrying its rule reference as the release gives it.
TEST(ShippedData, ExplanationsFollowTheReleasesLettersAndReferences) {
    pool::Release release;
    pool::Diags d;
    pool::Docx docx;
    ASSERT_TRUE(docx.Read(KORVELL_SHIPPED_RELEASE, {}, release, d));
    const pool::Pool released = pool::ParseRelease(release, d);
    SeqFile f;
    ASSERT_TRUE(f.Open(KORVELL_SHIPPED_DATA "/Tech_Explain.txt"));
    std::vector<ExplainRec> recs;
    ReadExplainRecords(f, recs);
    std::map<std::string, std::string> explained;
    for (const auto& r : recs)
        explained.emplace(r.QueNr, r.Answer + " [" + r.Ref + "]");
    int refs = 0;
    for (const auto& q : released.Questions) {
        refs += !q.Ref.empty();
        EXPECT_EQ(explained[q.Id], q.Answer + " [" + q.Ref + "]") << q.Id;
    }
    EXPECT_EQ(std::to_string(released.Questions.size()) + " " + std::to_string(recs.size()) + " " +
                  std::to_string(refs) + Formatted(d),
              "409 409 68");
}
} // namespace
} // namespace korvell::testing
