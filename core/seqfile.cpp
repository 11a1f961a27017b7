#include "seqfile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <sys/stat.h>

namespace korvell {

namespace {

constexpr std::size_t ChunkSize = 64 * 1024;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Streaming UTF-8 validator: rejects overlong forms, surrogates and values
// above U+10FFFF. Feed it bytes in any chunks, then ask Complete().
class Utf8Check {
public:
    bool Feed(const unsigned char* p, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            // Plain ASCII, the bulk of a text, is passed over eight bytes at a time.
            while (Need == 0 && n - i >= 8) {
                std::uint64_t eight;
                std::memcpy(&eight, p + i, 8);
                if (eight & 0x8080808080808080u) break;
                i += 8;
            }
            if (i == n) break;
            const unsigned char b = p[i];
            if (Need == 0) {
                if (b < 0x80) continue;
                Lo = 0x80;
                Hi = 0xBF;
                if (b >= 0xC2 && b <= 0xDF) {
                    Need = 1;
                } else if (b == 0xE0) {
                    Need = 2;
                    Lo = 0xA0;
                } else if ((b >= 0xE1 && b <= 0xEC) || b == 0xEE || b == 0xEF) {
                    Need = 2;
                } else if (b == 0xED) {
                    Need = 2;
                    Hi = 0x9F;
                } else if (b == 0xF0) {
                    Need = 3;
                    Lo = 0x90;
                } else if (b >= 0xF1 && b <= 0xF3) {
                    Need = 3;
                } else if (b == 0xF4) {
                    Need = 3;
                    Hi = 0x8F;
                } else {
                    return false;
                }
            } else {
                if (b < Lo || b > Hi) return false;
                Lo = 0x80;
                Hi = 0xBF;
                --Need;
            }
        }
        return true;
    }
    bool Complete() const { return Need == 0; }

private:
    int Need = 0;
    unsigned char Lo = 0x80;
    unsigned char Hi = 0xBF;
};

void AppendUtf8(std::string& Out, unsigned Cp) {
    if (Cp < 0x80) {
        Out += static_cast<char>(Cp);
    } else {
        Out += static_cast<char>(0xC0 | (Cp >> 6));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    }
}

} // namespace

SeqFile::~SeqFile() {
    Close();
}

bool SeqFile::Fail(int Number, const std::string& Description) {
    ErrNumber = Number;
    ErrDescription = Description;
    return false;
}

bool SeqFile::Open(const std::string& Path) {
    Close();
    ErrNumber = 0;
    ErrDescription.clear();
    std::FILE* fp = std::fopen(Path.c_str(), "rb");
    if (!fp) {
        const int err = errno;
        return Fail(err, std::strerror(err));
    }
    struct stat st {};
    if (fstat(fileno(fp), &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EISDIR : errno;
        std::fclose(fp);
        return Fail(err, std::strerror(err));
    }
    Fp = fp;
    Buf.resize(ChunkSize);
    if (!CheckUtf8()) {
        const int err = errno;
        Close();
        return Fail(err, std::strerror(err));
    }
    if (Cp1252) {
        const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            const int err = errno;
            Close();
            return Fail(err, std::strerror(err));
        }
        Conv = cd;
    }
    Refill();
    // A byte-order mark is not part of the text.
    if (Len - Pos >= 3 && std::memcmp(Buf.data() + Pos, "\xEF\xBB\xBF", 3) == 0) {
        Pos += 3;
        Refill();
    }
    return true;
}

// Reads the file once to learn its encoding, then rewinds it. Only one chunk
// is held at a time. False on a read error (errno set).
bool SeqFile::CheckUtf8() {
    Utf8Check check;
    bool valid = true;
    for (;;) {
        const std::size_t n = std::fread(Buf.data(), 1, Buf.size(), Fp);
        if (valid) valid = check.Feed(reinterpret_cast<const unsigned char*>(Buf.data()), n);
        if (n < Buf.size()) break;
    }
    if (std::ferror(Fp)) return false;
    Cp1252 = !(valid && check.Complete());
    std::rewind(Fp);
    Pos = Len = 0;
    return true;
}

void SeqFile::Close() {
    if (Fp) std::fclose(Fp);
    Fp = nullptr;
    if (Conv) iconv_close(static_cast<iconv_t>(Conv));
    Conv = nullptr;
    Cp1252 = false;
    Buf.clear();
    Buf.shrink_to_fit();
    Pos = Len = 0;
    ReadErr = 0;
    LinesEnded = 0;
}

bool SeqFile::IsOpen() const {
    return Fp != nullptr;
}

bool SeqFile::Eof() const {
    return AtEnd();
}

void SeqFile::Refill() {
    if (Pos < Len || !Fp) return;
    Pos = 0;
    Len = std::fread(Buf.data(), 1, Buf.size(), Fp);
    if (Len == 0 && std::ferror(Fp) && ReadErr == 0) ReadErr = errno ? errno : EIO;
}

bool SeqFile::StartRead() {
    ErrNumber = 0;
    ErrDescription.clear();
    if (!Fp) return Fail(ErrBadFileMode, "Bad file mode");
    if (AtEnd()) {
        if (ReadErr) return Fail(ReadErr, std::strerror(ReadErr));
        return Fail(ErrInputPastEnd, "Input past end of file");
    }
    return true;
}

void SeqFile::ConsumeLineEnd() {
    ++LinesEnded;
    const char c = Buf[Pos++];
    Refill();
    if (c == '\r' && !AtEnd() && Buf[Pos] == '\n') {
        ++Pos;
        Refill();
    }
}

void SeqFile::SkipBlanks() {
    while (!AtEnd() && IsBlank(Buf[Pos])) {
        ++Pos;
        Refill();
    }
}

bool SeqFile::LineInput(std::string& Line) {
    if (!StartRead()) return false;
    std::string raw;
    while (!AtEnd()) {
        const char* begin = Buf.data() + Pos;
        const char* end = Buf.data() + Len;
        // The line ends at the first CR or LF, found by the library's search.
        const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', end - begin));
        const char* p = lf ? lf : end;
        if (const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', p - begin))) p = cr;
        raw.append(begin, p);
        Pos += static_cast<std::size_t>(p - begin);
        if (p < end) {
            ConsumeLineEnd();
            break;
        }
        Refill();
    }
    Line = Decode(std::move(raw));
    return true;
}

bool SeqFile::InputField(std::string& Field) {
    if (!StartRead()) return false;
    SkipBlanks();
    std::string raw;
    // Takes bytes into raw until Stop holds or the file ends.
    const auto take = [&](auto Stop) {
        while (!AtEnd()) {
            const char* begin = Buf.data() + Pos;
            const char* end = Buf.data() + Len;
            const char* p = begin;
            while (p < end && !Stop(*p))
                ++p;
            raw.append(begin, p);
            Pos += static_cast<std::size_t>(p - begin);
            if (p < end) return;
            Refill();
        }
    };
    if (!AtEnd() && Buf[Pos] == '"') {
        ++Pos;
        Refill();
        // A quoted field ends at its closing quote; one left open ends with its line.
        take([](char c) { return c == '"' || IsLineEnd(c); });
        if (!AtEnd() && Buf[Pos] == '"') {
            ++Pos;
            Refill();
            // Whatever stands between the closing quote and the separator is dropped.
            while (!AtEnd() && Buf[Pos] != ',' && !IsLineEnd(Buf[Pos])) {
                ++Pos;
                Refill();
            }
        }
    } else {
        take([](char c) { return c == ',' || IsLineEnd(c); });
        std::size_t keep = raw.size();
        while (keep > 0 && IsBlank(raw[keep - 1]))
            --keep;
        raw.resize(keep);
    }
    if (!AtEnd()) {
        if (Buf[Pos] == ',') {
            ++Pos;
            Refill();
        } else {
            ConsumeLineEnd();
        }
    }
    Field = Decode(std::move(raw));
    return true;
}

bool SeqFile::InputInt(int16_t& Value) {
    std::string field;
    if (!InputField(field)) return false;
    std::size_t i = 0;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    if (i == field.size()) return Fail(ErrTypeMismatch, "Type mismatch");
    long value = 0;
    bool overflow = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c < '0' || c > '9') return Fail(ErrTypeMismatch, "Type mismatch");
        if (!overflow) {
            value = value * 10 + (c - '0');
            if (value > 32768) overflow = true;
        }
    }
    if (negative) value = -value;
    if (overflow || value > 32767 || value < -32768) return Fail(ErrOverflow, "Overflow");
    Value = static_cast<int16_t>(value);
    return true;
}

// Windows-1252 text to UTF-8. glibc refuses the five bytes that code page
// leaves undefined; they become the control characters of the same value.
std::string SeqFile::Decode(std::string Raw) const {
    if (!Cp1252) return Raw;
    const iconv_t cd = static_cast<iconv_t>(Conv);
    std::string out;
    out.reserve(Raw.size() + Raw.size() / 2);
    char* in = Raw.data();
    std::size_t inLeft = Raw.size();
    char chunk[4096];
    while (inLeft > 0) {
        char* o = chunk;
        std::size_t oLeft = sizeof chunk;
        const std::size_t r = iconv(cd, &in, &inLeft, &o, &oLeft);
        out.append(chunk, static_cast<std::size_t>(o - chunk));
        if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL: take the byte as its own code point.
            AppendUtf8(out, static_cast<unsigned char>(*in));
            ++in;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return out;
}

} // namespace korvell
