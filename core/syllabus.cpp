// The syllabus: the titles of the subelements and groups. It is optional: an
// absent or unreadable file leaves the titles empty and says nothing.
#include "bank.h"

namespace korvell {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// "T1 COMMISSION'S RULES": the code up to the first blank, the title after
// the blanks that follow it. A blank line is no entry.
bool SplitEntry(const std::string& Line, SylEntry& Entry) {
    std::size_t a = 0, b = Line.size();
    while (a < b && IsBlank(Line[a]))
        ++a;
    while (b > a && IsBlank(Line[b - 1]))
        --b;
    if (a == b) return false;
    std::size_t end = a;
    while (end < b && !IsBlank(Line[end]))
        ++end;
    std::size_t title = end;
    while (title < b && IsBlank(Line[title]))
        ++title;
    Entry.Code = Line.substr(a, end - a);
    Entry.Title = Line.substr(title, b - title);
    return true;
}

} // namespace

void Bank::ReadSyllabus() {
    Syllabus.clear();
    File1.Close();
    if (!File1.Open(AppDir + SyllabusFileName)) return;
    std::string line;
    for (int nr = 1; !File1.Eof(); ++nr) {
        if (!File1.LineInput(line)) {
            Syllabus.clear(); // a file read only in part gives no titles at all
            break;
        }
        SylEntry entry;
        entry.Line = nr;
        if (SplitEntry(line, entry)) Syllabus.push_back(std::move(entry));
    }
    File1.Close();
}

std::string Bank::SyllabusTitle(const std::string& Code) const {
    for (const SylEntry& e : Syllabus)
        if (e.Code == Code) return e.Title;
    return {};
}

} // namespace korvell
