// korvell-pool: turns a publisher's release of the Technician pool (a .docx
// or the same text as plain text) into Korvell's data files, and checks a
// data directory the way the program reads it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace korvell::pool {

// One problem, shown as "FILE:LINE: error: TEXT" (or "warning"); one that
// concerns a whole file has no line (0) and is shown as "FILE: error: TEXT".
struct Diag {
    std::string File;
    int Line = 0;
    bool Error = true;
    std::string Text;
};
using Diags = std::vector<Diag>;
std::string Format(const Diag& D);
bool HasErrors(const Diags& All);

// Bounds on what is inflated or read from a release.
struct Limits {
    std::uint64_t Document = 64u << 20; // word/document.xml, its relations, a text release
    std::uint64_t Picture = 32u << 20;  // one figure
};

// A line of a text release or a paragraph of a .docx, numbered from 1.
struct SourceLine {
    int Nr = 0;
    std::string Text;
};

// Where the picture of figure Tk comes from: an archive entry or a file.
struct PictureRef {
    std::string Name;
    int Line = 0; // the paragraph that shows it (0 for a file beside a text release)
};

// What a release holds before it is understood: its lines (blank ones may be
// left out) and its pictures by figure number.
struct Release {
    std::string Name; // as given on the command line; names the release in problems
    bool Docx = false;
    std::vector<SourceLine> Lines;
    std::map<int, PictureRef> Pictures;
};

struct Question {
    int Line = 0; // the header's line in the release
    std::string Id, Answer, Text;
    std::array<std::string, 4> Choices;
    std::string Ref;  // the rule reference the header gives in brackets, "97.1", else empty
    std::string Fig;  // "T1" when the question names figure T-1, else empty
    std::string ChPg; // "1-1"
};

struct Pool {
    std::vector<Question> Questions;
    std::array<int, 35> Counts{}; // questions per exam group, in exam order
    std::string InForce;          // "7/01/2026 – 6/30/2030" when the release states it
    // The syllabus: the title of each subelement ("T1") and group ("T1A") as
    // its first heading gives it.
    std::map<std::string, std::string> Titles;
};

// The 35 exam group codes in exam order, and the index of one (-1: none).
const std::array<std::string, 35>& ExamGroups();
int GroupIndex(const std::string& Code);

// Reads a text release (UTF-8 or Windows-1252) and the pictures beside it.
bool ReadTextRelease(const std::string& Path, const Limits& Bounds, Release& Out, Diags& Problems);

// Reads the paragraphs and pictures of a .docx, from a file or from memory.
// Picture data stays in the archive until Entry fetches it. Problems name the
// release by Out.Name.
class Docx {
public:
    Docx() = default;
    ~Docx();
    Docx(const Docx&) = delete;
    Docx& operator=(const Docx&) = delete;
    bool Read(const std::string& Path, const Limits& Bounds, Release& Out, Diags& Problems);
    // Data must stay in place as long as the reader is used.
    bool Read(const void* Data, std::size_t Size, const Limits& Bounds, Release& Out,
              Diags& Problems);
    bool Entry(const std::string& Name, std::uint64_t Bound, std::string& Data, std::string& Why);

private:
    bool ReadDocument(const Limits& Bounds, Release& Out, Diags& Problems);
    void* Archive = nullptr;
};

// Understands the lines of a release: questions, counts, figures named and
// the dates in force. Every problem goes to Problems, all of them.
Pool ParseRelease(const Release& Source, Diags& Problems);

// Applies an instructor's identifier,chapter-page rows to the pool.
void ApplyStudyMap(const std::string& Path, Pool& Into, Diags& Problems);

// Takes a subelement or group heading of a release into the syllabus, unless
// the code already has one.
void SyllabusHeading(const std::string& Text, Pool& Into);
// Subelement and group codes in exam order, each subelement before its groups.
std::vector<std::string> ExamCodes(std::span<const std::string> Groups);

// The files of a pool as Korvell reads them. SyllabusText is empty for a
// release without a syllabus.
std::string PoolText(const Pool& From);
std::string SectionTable(const Pool& From);
std::string SyllabusText(const Pool& From);

// Files by name: what import makes of a release that has been read, the
// figures fetched from Archive for a .docx and from beside a text release.
using Files = std::map<std::string, std::string>;
Pool MakeFiles(const Release& Source, Docx& Archive, const std::string& StudyMap,
               const Limits& Bounds, Files& Out, Diags& Problems);

// korvell-pool import: returns the exit status (0, or 1 with Problems).
int Import(const std::string& ReleasePath, const std::string& OutDir, const std::string& StudyMap,
           const Limits& Bounds, Diags& Problems, std::string& Summary);

// korvell-pool check: errors and warnings of a data directory.
void Check(const std::string& Dir, Diags& Problems);

// Decodes a JPEG picture in full, as the program's image loader does; false
// with the decoder's complaint in Why when it is corrupt or cut short.
bool DecodeJpeg(const std::string& Data, std::string& Why);

} // namespace korvell::pool
