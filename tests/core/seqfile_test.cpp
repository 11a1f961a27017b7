#include "core/seqfile.h"
#include "temp_dir.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace korvell {
namespace {

using testing::TempDir;
using Strings = std::vector<std::string>;

Strings ReadLines(SeqFile& F) {
    Strings out;
    std::string line;
    while (!F.Eof() && F.LineInput(line))
        out.push_back(line);
    return out;
}

Strings ReadFields(SeqFile& F) {
    Strings out;
    std::string field;
    while (!F.Eof() && F.InputField(field))
        out.push_back(field);
    return out;
}

TEST(SeqFileLines, LineEndsAndEncodings) {
    const struct {
        const char* Name;
        std::string Bytes;
        Strings Lines;
    } cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf without final end", "a\nb", {"a", "b"}},
        {"lone cr", "a\rb\r", {"a", "b"}},
        {"empty lines kept", "a\r\n\r\n\nb\n", {"a", "", "", "b"}},
        {"byte-order mark", "\xEF\xBB\xBFx y\n", {"x y"}},
        {"utf-8 passes through", "café €\n", {"café €"}},
        {"windows-1252", "caf\xE9 \x80 \x93q\x94\n", {"café € “q”"}},
        {"1252 undefined bytes", "\x81\x8D\x8F\x90\x9D", {"\u0081\u008D\u008F\u0090\u009D"}},
        {"truncated utf-8 is 1252", "ok\n\xC3", {"ok", "Ã"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SeqFile f;
        ASSERT_TRUE(f.Open(dir.Write("t.txt", c.Bytes))) << c.Name;
        EXPECT_EQ(ReadLines(f), c.Lines) << c.Name;
        EXPECT_TRUE(f.Eof()) << c.Name;
    }
}

TEST(SeqFileLines, ChunkBoundariesAndLongLines) {
    TempDir dir;
    SeqFile f;
    // CR as the last byte of the first 64 KiB read, LF as the first of the next.
    const std::string first(65535, 'a');
    ASSERT_TRUE(f.Open(dir.Write("cr.txt", first + "\r\nb")));
    EXPECT_EQ(ReadLines(f), (Strings{first, "b"}));
    // A two-byte character split by the chunk boundary is still valid UTF-8.
    ASSERT_TRUE(f.Open(dir.Write("split.txt", first + "é\n")));
    EXPECT_EQ(ReadLines(f), (Strings{first + "é"}));
    const std::string huge(5 * 1024 * 1024 + 7, 'x');
    ASSERT_TRUE(f.Open(dir.Write("huge.txt", huge + "\nend")));
    EXPECT_EQ(ReadLines(f), (Strings{huge, "end"}));
}

TEST(SeqFileFields, QuotesBlanksAndSeparators) {
    const struct {
        std::string Bytes;
        Strings Fields;
    } cases[] = {
        {"\"T1A\",5\r\n\"T1B\", 6\r\n", {"T1A", "5", "T1B", "6"}},
        {"  a , b\tc \t\n", {"a", "b\tc"}},
        {"\"x, y\" dropped ,z", {"x, y", "z"}},
        {"\n", {""}},
        {"a\n\nb", {"a", "", "b"}},
        {"a,\"\"\n", {"a", ""}},
        {"\"open, ended\nnext", {"open, ended", "next"}},
        {"it\"s,\"q\"", {"it\"s", "q"}},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SeqFile f;
        ASSERT_TRUE(f.Open(dir.Write("f.txt", c.Bytes)));
        EXPECT_EQ(ReadFields(f), c.Fields) << c.Bytes;
    }
}

TEST(SeqFileFields, WholeNumbers) {
    const struct {
        const char* Bytes;
        int Error; // 0: reads Value
        int16_t Value;
    } cases[] = {
        {"5", 0, 5},
        {" -32768\n", 0, -32768},
        {"+32767,", 0, 32767},
        {"\"12\"", 0, 12},
        {"32768", ErrOverflow, 0},
        {"-32769", ErrOverflow, 0},
        {"123456789012345678901", ErrOverflow, 0},
        {"abc", ErrTypeMismatch, 0},
        {"1.5", ErrTypeMismatch, 0},
        {"\n", ErrTypeMismatch, 0},
        {"-", ErrTypeMismatch, 0},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SeqFile f;
        ASSERT_TRUE(f.Open(dir.Write("n.txt", c.Bytes)));
        int16_t value = 99;
        EXPECT_EQ(f.InputInt(value), c.Error == 0) << c.Bytes;
        EXPECT_EQ(f.ErrNumber, c.Error) << c.Bytes;
        EXPECT_EQ(value, c.Error ? 99 : c.Value) << c.Bytes;
    }
    SeqFile f;
    ASSERT_TRUE(f.Open(dir.Write("n.txt", "32768")));
    int16_t value = 0;
    EXPECT_FALSE(f.InputInt(value));
    EXPECT_EQ(f.ErrDescription, "Overflow");
}

TEST(SeqFileErrors, OpenFailuresAndReadingPastTheEnd) {
    TempDir dir;
    SeqFile f;
    EXPECT_FALSE(f.Open(dir.Str() + "/missing.txt"));
    EXPECT_EQ(f.ErrNumber, ENOENT);
    EXPECT_EQ(f.ErrDescription, std::strerror(ENOENT));
    EXPECT_FALSE(f.Open(dir.Str()));
    EXPECT_EQ(f.ErrNumber, EISDIR);
    EXPECT_EQ(f.ErrDescription, std::strerror(EISDIR));
    EXPECT_FALSE(f.IsOpen());
    std::string text;
    EXPECT_FALSE(f.LineInput(text));
    EXPECT_EQ(f.ErrNumber, ErrBadFileMode);

    ASSERT_TRUE(f.Open(dir.Write("empty.txt", "")));
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.LineInput(text));
    EXPECT_EQ(f.ErrNumber, ErrInputPastEnd);
    EXPECT_EQ(f.ErrDescription, "Input past end of file");

    ASSERT_TRUE(f.Open(dir.Write("one.txt", "7\r\n")));
    int16_t value = 0;
    EXPECT_TRUE(f.InputInt(value));
    EXPECT_TRUE(f.Eof());
    EXPECT_FALSE(f.InputField(text));
    EXPECT_EQ(f.ErrNumber, ErrInputPastEnd);
    EXPECT_FALSE(f.InputInt(value));
    EXPECT_EQ(f.ErrNumber, ErrInputPastEnd);
}

} // namespace
} // namespace korvell
