// korvell-pool on releases the tests make: problems at their lines with nothing
// written, hostile archives, a round trip through the program's own start-up
// readers, and the findings of check.
#include "core/bank.h"
#include "core/logic.h"
#include "korvell-pool/release.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

namespace korvell::testing {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
const std::string Jpeg("\xFF\xD8\xFF\xE0 tiny picture", 17);

// A temporary directory, removed with its contents.
struct TempDir {
    fs::path Path;
    TempDir() {
        std::string p = (fs::temp_directory_path() / "korvell-pool-test-XXXXXX").string();
        Path = mkdtemp(p.data());
    }
    ~TempDir() { fs::remove_all(Path); }
    std::string operator/(const std::string& Name) const { return (Path / Name).string(); }
};

void Write(const std::string& Path, const std::string& Data) {
    std::ofstream(Path, std::ios::binary) << Data;
}
std::string Read(const std::string& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
std::string Join(const Lines& L) {
    std::string t;
    for (const auto& l : L)
        t += l + "\r\n";
    return t;
}

// A release of PerGroup questions per group: three lines of preamble, then 7
// lines per question (header, text, choices A..D, record end), then its end
// line. Question q's line k is Line(q, k); T1A01 names figure T-1.
int Line(int Q, int K) {
    return 4 + 7 * Q + K;
}
Lines Release(int PerGroup = 2) {
    Lines l = {"Technician pool", "Effective 7/01/2026 - 6/30/2030", "T1A Rules (syllabus)"};
    for (const char* g :
         {"T1A", "T1B", "T1C", "T1D", "T1E", "T1F", "T2A", "T2B", "T2C", "T3A", "T3B", "T3C",
          "T4A", "T4B", "T5A", "T5B", "T5C", "T5D", "T6A", "T6B", "T6C", "T6D", "T7A", "T7B",
          "T7C", "T7D", "T8A", "T8B", "T8C", "T8D", "T9A", "T9B", "T0A", "T0B", "T0C"})
        for (int n = 1; n <= PerGroup; ++n) {
            const std::string id = g + std::string(n < 10 ? "0" : "") + std::to_string(n);
            l.insert(l.end(), {id + " (" + "ABCD"[n % 4] + ") [97.1]",
                               "What is " + id + (l.size() == 3 ? " in figure T-1?" : "?"),
                               "A. Alpha " + id, "B. Bravo", "C. Charlie", "D. Delta", "~~"});
        }
    l.push_back("~~~~End of question pool text~~~~");
    return l;
}

// A .docx of the lines (each split into two runs) and pictures at the end.
std::string DocumentXml(const Lines& L, int Pictures) {
    std::string x = "<?xml version=\"1.0\"?><w:document xmlns:w=\"w\" xmlns:a=\"a\" xmlns:r=\"r\">"
                    "<w:body>";
    for (const auto& l : L)
        x += "<w:p><w:r><w:t>" + l.substr(0, 3) + "</w:t></w:r><w:r><w:t xml:space=\"preserve\">" +
             l.substr(std::min<std::size_t>(3, l.size())) + "</w:t></w:r></w:p>";
    for (int k = 1; k <= Pictures; ++k)
        x += "<w:p><w:r><w:drawing><a:blip r:embed=\"rId" + std::to_string(k) +
             "\"/></w:drawing></w:r></w:p>";
    return x + "</w:body></w:document>";
}
using Entries = std::vector<std::pair<std::string, std::string>>;
Entries DocxEntries(const Lines& L, const std::string& Picture = Jpeg) {
    return {{"word/document.xml", DocumentXml(L, 1)},
            {"word/_rels/document.xml.rels",
             "<Relationships><Relationship Id=\"rId1\" Target=\"media/image1.jpeg\"/>"
             "</Relationships>"},
            {"word/media/image1.jpeg", Picture}};
}
std::string Zip(const Entries& E) {
    TempDir dir;
    int err = 0;
    zip_t* za = zip_open((dir / "z.zip").c_str(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    for (const auto& [name, data] : E)
        zip_file_add(za, name.c_str(), zip_source_buffer(za, data.data(), data.size(), 0),
                     ZIP_FL_ENC_UTF_8);
    zip_close(za);
    return Read(dir / "z.zip");
}
// Sets the inflated size that the headers of entry Name declare.
std::string DeclareSize(std::string Zip, const std::string& Name, uint32_t Size) {
    for (const auto& [sig, nameAt, lenAt, sizeAt] :
         {std::tuple{std::string("PK\3\4"), 30, 26, 22}, {std::string("PK\1\2"), 46, 28, 24}})
        for (std::size_t i = Zip.find(sig); i != std::string::npos; i = Zip.find(sig, i + 1))
            if (static_cast<unsigned char>(Zip[i + lenAt]) == Name.size() &&
                Zip.compare(i + nameAt, Name.size(), Name) == 0)
                for (int b = 0; b < 4; ++b)
                    Zip[i + sizeAt + b] = static_cast<char>(Size >> (8 * b));
    return Zip;
}

// Imports Release (written as File beside T1.jpg) into out/, which holds an
// earlier pool. Returns the status; Out gets the problems, each formatted.
struct Imported {
    TempDir Dir;
    std::string Out = Dir / "out", Problems;
    int Status = -1;
    Imported(const std::string& File, const std::string& Data, const std::string& Map = "",
             pool::Limits Bounds = {}) {
        Write(Dir / File, Data);
        Write(Dir / "T1.jpg", Jpeg);
        if (!Map.empty()) Write(Dir / "map.csv", Map);
        fs::create_directory(Out);
        Write(Out + "/Tech_Pool.txt", "earlier pool");
        pool::Diags d;
        std::string summary;
        Status =
            pool::Import(Dir / File, Out, Map.empty() ? "" : Dir / "map.csv", Bounds, d, summary);
        for (const auto& p : d)
            Problems += pool::Format(p) + "\n";
    }
    // Only the release, its picture, the map and the untouched earlier pool are there.
    bool Untouched() const {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(Dir.Path))
            names.insert(fs::relative(e.path(), Dir.Path).string());
        names.erase("map.csv");
        return names.size() == 4 && names.count("out/Tech_Pool.txt") &&
               Read(Out + "/Tech_Pool.txt") == "earlier pool";
    }
};

TEST(PoolImport, EachProblemIsReportedAtItsLineAndNothingIsWritten) {
    const auto set = [](int Line, std::string Text) {
        return [=](Lines& L) { L[Line - 1] = Text; };
    };
    const struct {
        std::function<void(Lines&)> Edit;
        std::string Expected, Map = "";
        int PerGroup = 2;
    } cases[] = {
        {set(Line(0, 0), "T1A1 (C)"), "release.txt:4: error: malformed question identifier"},
        {set(Line(1, 0), "T1A02 (E)"), ":11: error: T1A02: answer letter \"E\" is not A, B"},
        {set(Line(1, 0), "T1A01 (A)"), ":11: error: T1A01 appears twice (first at line 4)"},
        {set(Line(3, 0), "T1B03 (A)"), ":25: error: T1B02 is missing before T1B03"},
        {set(Line(0, 3), ""), ":8: error: T1A01: choice B is missing before choice C"},
        {set(Line(0, 6), "E. Echo"), ":10: error: T1A01: extra choice E"},
        {[](Lines& L) { std::swap(L[Line(0, 4) - 1], L[Line(0, 5) - 1]); },
         ":9: error: T1A01: choice C again or out of order"},
        {set(Line(0, 5), "Delta"), ":10: error: T1A01: choice D is missing"},
        {set(Line(0, 1), ""), ":4: error: T1A01: the question has no text"},
        {[](Lines& L) {
             std::rotate(L.begin() + 3, L.begin() + Line(68, 0) - 1, L.begin() + Line(70, 0) - 1);
         },
         ":18: error: group T1A is out of exam order (after T0C)"},
        {[](Lines& L) { std::fill(L.begin() + Line(12, 0) - 1, L.begin() + Line(14, 0) - 1, ""); },
         ":102: error: group T2A is missing"},
        {[](Lines&) {}, ":3014: error: more than 430 questions", "", 13},
        {set(Line(1, 1), "See figure t4."), ":11: error: T1A02 names figure T4 but the release"},
        {[](Lines&) {}, "map.csv:2: error: \"T1G01\" names no question", "T1A01,2-4\nT1G01,1-1"},
        {[](Lines&) {}, "map.csv:1: error: T1A01: chapter 11 is outside 0..10", "T1A01,11-1"},
        {[](Lines&) {}, "map.csv:1: error: T1A01: page 36 is outside 0..35", "T1A01,1-36"},
    };
    for (const auto& c : cases) {
        Lines l = Release(c.PerGroup);
        c.Edit(l);
        const Imported run("release.txt", Join(l), c.Map);
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Problems.find(c.Expected), std::string::npos) << run.Problems;
        EXPECT_TRUE(run.Untouched());
    }
}

TEST(PoolImport, HostileArchivesEndWithAClearErrorAndNothingWritten) {
    const std::string good = Zip(DocxEntries(Release()));
    Entries escape = DocxEntries(Release());
    escape[1].second = "<Relationships><Relationship Id=\"rId1\" Target=\"../../x.jpeg\"/>"
                       "</Relationships>";
    const std::string zeros(2u << 20, '\0');
    const struct {
        std::string Docx, Expected;
    } cases[] = {
        {"Technician pool, as text", "r.docx:1: error: not a zip archive"},
        {good.substr(0, good.size() / 2), "r.docx:1: error: not a zip archive"},
        {DeclareSize(Zip({{"word/document.xml", "x"}}), "word/document.xml", 0xF0000000u),
         "document.xml is too large: it declares 4026531840 bytes inflated"},
        {DeclareSize(Zip({{"word/document.xml", zeros}}), "word/document.xml", 100),
         "document.xml is too large: it inflates to more than 1048576 bytes"},
        {Zip({{"word/document.xml", zeros}}),
         "document.xml is too large: it declares 2097152 bytes inflated"},
        {Zip({{"../../escape.xml", "x"}, {"word/styles.xml", "x"}}),
         ":1: error: the archive has no word/document.xml"},
        {Zip({{"word/document.xml", "<w:document><w:body><w:p>"}}),
         ":1: error: XML error in word/document.xml at line 1, column 25: Start-end tags mismatch"},
        {Zip(DocxEntries(Release(), "\x89PNG\r\n")),
         ":495: error: picture word/media/image1.jpeg (figure T1) is not a JPEG"},
        {Zip(escape), ":495: error: picture \"rId1\" is not an entry of the archive"},
    };
    for (const auto& c : cases) {
        const Imported run("r.docx", c.Docx, "", {1u << 20, 1u << 20});
        SCOPED_TRACE(c.Expected);
        EXPECT_EQ(run.Status, 1);
        EXPECT_NE(run.Problems.find(c.Expected), std::string::npos) << run.Problems;
        EXPECT_TRUE(run.Untouched());
    }
}

TEST(PoolImport, TextAndDocxReleasesGiveTheSamePoolThatTheProgramReads) {
    Entries docx = DocxEntries(Release());
    docx.push_back({"../../escape.txt", "outside"}); // never written by its name
    const Imported text("release.txt", Join(Release()), "T5A02,7-3\n");
    const Imported word("release.docx", Zip(docx), "T5A02,7-3\n");
    ASSERT_EQ(text.Status, 0) << text.Problems;
    ASSERT_EQ(word.Status, 0) << word.Problems;
    for (const char* f : {"Tech_Pool.txt", "SecCntTbl.txt", "T1.jpg"})
        EXPECT_EQ(Read(text.Out + "/" + f), Read(word.Out + "/" + f)) << f;
    EXPECT_FALSE(fs::exists(word.Dir.Path.parent_path() / "escape.txt"));
    EXPECT_EQ(Read(text.Out + "/T1.jpg"), Jpeg);
    // The program's start-up readers take the files without a message.
    FakePlatform fake;
    fake.Dir = text.Out;
    auto bank = std::make_unique<Bank>(fake);
    bank->LoadPool();
    bank->BuildSecGroups();
    bank->ReadSecCntTbl();
    EXPECT_TRUE(fake.Messages.empty() && !fake.Ended);
    EXPECT_EQ(bank->FirstSecCntMismatch(), -1);
    ASSERT_EQ(bank->Npool, 70);
    for (int g = 0; g < 35; ++g)
        EXPECT_EQ(bank->SecCnt[g], 2);
    const QueRec& first = bank->QuePool[0];
    EXPECT_EQ(Trim(first.QueNr) + first.Answer + first.Fig + first.ChPg, "T1A01BT11-1 ");
    EXPECT_EQ(first.Question + "|" + first.ChoiceA + "|" + first.ChoiceD,
              "What is T1A01 in figure T-1? |Alpha T1A01 |Delta ");
    EXPECT_EQ(Trim(bank->QuePool[29].ChPg) + Trim(bank->QuePool[69].ChPg), "7-310-3");
    EXPECT_EQ(bank->QuePool[2].Fig, "");
    // Importing again gives the same bytes; check finds nothing wrong.
    const std::string before = Read(text.Out + "/Tech_Pool.txt");
    pool::Diags d;
    std::string summary;
    ASSERT_EQ(
        pool::Import(text.Dir / "release.txt", text.Out, text.Dir / "map.csv", {}, d, summary), 0);
    EXPECT_EQ(Read(text.Out + "/Tech_Pool.txt"), before);
    EXPECT_EQ(summary, "70 questions in 35 groups and 1 figure written to " + text.Out +
                           "; the pool is in force 7/01/2026 - 6/30/2030");
    Write(text.Out + "/Vellkor-Help.txt", "h");
    Write(text.Out + "/Disclaimer.txt", "d");
    pool::Check(text.Out, d);
    EXPECT_TRUE(d.empty()) << pool::Format(d.at(0));
}

TEST(PoolCheck, FindsWhatWouldGoWrongInUse) {
    const Imported good("release.txt", Join(Release()));
    const auto lines = [&](const std::string& File) {
        Lines l;
        std::istringstream in(Read(good.Out + "/" + File));
        for (std::string s; std::getline(in, s);)
            l.push_back(s.substr(0, s.size() - 1));
        return l;
    };
    Lines over = lines("Tech_Pool.txt");
    for (int k = 0; k < 400; ++k)
        over.insert(over.end(), {"T9B99 (A) Pg 1-1", "Q", "A. a", "B. b", "C. c", "D. d", "~~"});
    const struct {
        int Line;
        std::string Text, File = "Tech_Pool.txt", Expected;
    } cases[] = {
        {1, "\"T1A\",3", "SecCntTbl.txt",
         "SecCntTbl.txt:1: error: T1A counts 3 questions but the pool has no T1A03"},
        {2, "\"T1b\",2", "SecCntTbl.txt", "SecCntTbl.txt:2: error: record 2 is \"T1b\""},
        {0, "", "T1.jpg", "Tech_Pool.txt:1: error: figure T1: T1.jpg is missing"},
        {8, "T1A02 (A) Pg 11-1", "Tech_Pool.txt", "Tech_Pool.txt:8: error: T1A02: \"Pg 11-1\""},
        {8, "~~", "Tech_Pool.txt", "Tech_Pool.txt:8: error: a record end line with no question"},
        {7, "~", "Tech_Pool.txt", "Tech_Pool.txt:7: error: a lone \"~\" is skipped"},
        {-1, "", "Tech_Pool.txt", "Tech_Pool.txt:3017: error: more than 430 questions"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        for (const char* f : {"Tech_Pool.txt", "SecCntTbl.txt", "T1.jpg"})
            fs::copy_file(good.Out + "/" + f, dir / f);
        Write(dir / "Vellkor-Help.txt", "h");
        Write(dir / "Disclaimer.txt", "d");
        if (c.File == "T1.jpg") {
            fs::remove(dir / c.File);
        } else {
            Lines l = c.Line < 0 ? over : lines(c.File);
            if (c.Line > 0) l[c.Line - 1] = c.Text;
            Write(dir / c.File, Join(l));
        }
        pool::Diags d;
        pool::Check(dir.Path.string(), d);
        std::string all;
        for (const auto& p : d)
            all += pool::Format(p).substr(dir.Path.string().size() + 1) + "\n";
        EXPECT_NE(all.find(c.Expected), std::string::npos) << c.Expected << "\n" << all;
    }
}

} // namespace
} // namespace korvell::testing
