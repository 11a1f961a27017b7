// The sequential input channel through which every data file is read.
//
// A file is opened whole for input. Texts come back as UTF-8: a file that is
// valid UTF-8 (with or without a byte-order mark) is taken as it is, any other
// file is read as Windows-1252 and converted. Lines end with CR LF, LF or a
// lone CR; the last line may lack its line end.
//
// Failures do not throw: every operation returns false and leaves an error
// number and description in ErrNumber / ErrDescription.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace korvell {

// Error numbers reported by the channel besides the system's errno values.
enum ChannelError : int {
    ErrOverflow = 6,      // a number outside the 16-bit range
    ErrSubscript = 9,     // an index outside an array's bounds (used by readers)
    ErrTypeMismatch = 13, // a number field that holds no number
    ErrBadFileMode = 54,  // an operation on a channel that is not open
    ErrInputPastEnd = 62, // reading at the end of the file
};

class SeqFile {
public:
    SeqFile() = default;
    ~SeqFile();
    SeqFile(const SeqFile&) = delete;
    SeqFile& operator=(const SeqFile&) = delete;

    // Opens Path for input, closing any file that was open. A directory or
    // an unreadable file fails with the system's description.
    bool Open(const std::string& Path);
    void Close();
    bool IsOpen() const;

    // True when no data is left.
    bool Eof() const;

    // The line, counted from 1, that the next read starts in.
    int Line() const { return LinesEnded + 1; }

    // Reads a whole line without its line end.
    bool LineInput(std::string& Line);

    // Reads one comma-separated field: blanks before it are skipped; a field
    // in double quotes is taken without the quotes and may hold commas; an
    // unquoted field ends at a comma or line end and loses trailing blanks.
    // The separator after the field is consumed. An empty line is one empty
    // field. A closing quote is followed by the separator (anything between
    // them is dropped); a quote left open ends at the line end.
    bool InputField(std::string& Field);

    // Reads one field as a whole number in the 16-bit signed range: digits
    // with an optional sign. Anything else (an empty field too) is a type
    // mismatch; a number outside -32768..32767 is an overflow.
    bool InputInt(int16_t& Value);

    int ErrNumber = 0;
    std::string ErrDescription;

private:
    bool CheckUtf8(); // first pass over the whole file, chunk by chunk
    void Refill();    // reads the next chunk once the buffer is used up
    bool AtEnd() const { return Pos == Len; }
    bool StartRead(); // common checks before a read
    void ConsumeLineEnd();
    void SkipBlanks();
    bool Fail(int Number, const std::string& Description);
    std::string Decode(std::string Raw) const;

    std::FILE* Fp = nullptr;
    bool Cp1252 = false;
    void* Conv = nullptr; // iconv descriptor for Windows-1252 files
    std::vector<char> Buf;
    std::size_t Pos = 0; // next unread byte in Buf
    std::size_t Len = 0; // bytes held in Buf; Pos == Len only at the end of the file
    int ReadErr = 0;     // errno of a failed read, reported by the next read
    int LinesEnded = 0;  // line ends read so far
};

} // namespace korvell
