// Each input read from memory as a whole .docx, as import reads a release: its
// paragraphs and pictures, its syllabus and questions, and the pictures the
// questions name. Nothing is written.
#include "core/bank.h"
#include "fuzz_support.h"
#include "korvell-pool/release.h"

#include <algorithm>

using namespace korvell;
using korvell::fuzz::Finding;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    pool::Release rel;
    rel.Name = "input.docx";
    rel.Docx = true;
    pool::Docx docx;
    pool::Diags problems;
    const pool::Limits bounds{1u << 20, 1u << 20}; // an entry that inflates costs little time
    if (!docx.Read(Data, Size, bounds, rel, problems)) {
        if (!pool::HasErrors(problems)) Finding("an archive refused without a problem");
        return 0;
    }
    int last = 0;
    for (const auto& l : rel.Lines) {
        if (l.Nr <= last || l.Text.find_first_of("\r\n") != std::string::npos)
            Finding("paragraphs out of order or a paragraph of several lines");
        last = l.Nr;
    }
    pool::Files files;
    const pool::Pool p = pool::MakeFiles(rel, docx, "", bounds, files, problems);
    for (const auto& d : problems)
        if (d.Line < 0 || d.Text.empty() || d.File != rel.Name)
            Finding("a problem without its place or text");
    if (pool::HasErrors(problems)) return 0;
    if (!files.count("Tech_Pool.txt") || !files.count("SecCntTbl.txt"))
        Finding("a sound release without its pool files");
    std::string why;
    for (const auto& [name, data] : files)
        if (name.ends_with(".jpg") &&
            (!pool::DecodeJpeg(data, why) || data.size() > bounds.Picture))
            Finding("a figure that does not decode or is beyond its bound");
    // The syllabus: whole lines of a known code and a title, in exam order, one per code.
    const auto it = files.find(SyllabusFileName);
    const std::string syllabus = it == files.end() ? "" : it->second;
    if (syllabus.empty() != p.Titles.empty()) Finding("headings found but no syllabus written");
    static const std::vector<std::string> codes = pool::ExamCodes(pool::ExamGroups());
    std::ptrdiff_t rank = -1;
    for (std::size_t at = 0; at < syllabus.size();) {
        const std::size_t end = syllabus.find("\r\n", at);
        const std::string line = syllabus.substr(at, end - at);
        const std::size_t blank = line.find(' ');
        const auto code = std::find(codes.begin(), codes.end(), line.substr(0, blank));
        if (end == std::string::npos || line.find_first_of("\r\n") != std::string::npos ||
            blank == std::string::npos || blank + 1 == line.size() || code == codes.end() ||
            code - codes.begin() <= rank)
            Finding("a syllabus line broken, of an unknown code or out of exam order");
        rank = code - codes.begin();
        at = end + 2;
    }
    return 0;
}
