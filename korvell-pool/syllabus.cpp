// The syllabus of a release: the headings that name each subelement and
// group, written beside the pool in exam order and checked there.
#include "korvell-pool/check.h"

#include <algorithm>
#include <span>

namespace korvell::pool {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::size_t SkipBlanks(const std::string& Text, std::size_t At) {
    while (At < Text.size() && IsBlank(Text[At]))
        ++At;
    return At;
}

std::string TrimEnd(std::string Text) {
    while (!Text.empty() && IsBlank(Text.back()))
        Text.pop_back();
    return Text;
}

bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}

// "SUBELEMENT T1 - COMMISSION'S RULES [6 Exam Questions - 6 Groups] 68 Questions":
// the code T1 and the title before the bracket. The dash may be a hyphen, an
// en dash or an em dash, or be left out.
bool SubelementHeading(const std::string& Text, std::string& Code, std::string& Title) {
    const std::string word = "subelement";
    if (Text.size() <= word.size() || !IsBlank(Text[word.size()])) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((Text[i] | 0x20) != word[i]) return false;
    std::size_t at = SkipBlanks(Text, word.size());
    if (at + 1 >= Text.size() || Text[at] != 'T' || !IsDigitChar(Text[at + 1])) return false;
    Code = Text.substr(at, 2);
    at += 2;
    if (at < Text.size() && !IsBlank(Text[at])) return false;
    at = SkipBlanks(Text, at);
    for (const char* dash : {"-", "\xE2\x80\x93", "\xE2\x80\x94"})
        if (Text.compare(at, std::char_traits<char>::length(dash), dash) == 0) {
            at = SkipBlanks(Text, at + std::char_traits<char>::length(dash));
            break;
        }
    Title = TrimEnd(Text.substr(at, Text.find('[', at) - at));
    return true;
}

// "T1A Purpose and permissible use of the Amateur Radio Service; ...": a
// group of the exam, a blank and its title.
bool GroupHeading(const std::string& Text, std::string& Code, std::string& Title) {
    if (Text.size() < 5 || !IsBlank(Text[3]) || GroupIndex(Text.substr(0, 3)) < 0) return false;
    Code = Text.substr(0, 3);
    Title = TrimEnd(Text.substr(SkipBlanks(Text, 3)));
    return true;
}

} // namespace

std::vector<std::string> ExamCodes(std::span<const std::string> Groups) {
    std::vector<std::string> codes;
    for (const std::string& g : Groups) {
        const std::string sub = g.substr(0, 2);
        if (std::find(codes.begin(), codes.end(), sub) == codes.end()) codes.push_back(sub);
        codes.push_back(g);
    }
    return codes;
}

void SyllabusHeading(const std::string& Text, Pool& Into) {
    std::string code, title;
    if ((SubelementHeading(Text, code, title) || GroupHeading(Text, code, title)) && !title.empty())
        Into.Titles.emplace(code, title);
}

std::string SyllabusText(const Pool& From) {
    std::string t;
    for (const std::string& code : ExamCodes(ExamGroups()))
        if (const auto it = From.Titles.find(code); it != From.Titles.end())
            t += code + " " + it->second + "\r\n";
    return t;
}

void CheckSyllabus(ProgramView& View, Diags& Problems) {
    Bank& b = *View.B;
    b.ReadSyllabus();
    std::vector<std::string> groups;
    for (const std::string& id : b.SecCntIds)
        if (!id.empty()) groups.push_back(id);
    const std::vector<std::string> codes = ExamCodes(groups);
    const std::string file = View.Sys.Dir + "/" + SyllabusFileName;
    std::ptrdiff_t last = -1;
    for (const SylEntry& e : b.Syllabus) {
        const auto at = [&](const std::string& Text) {
            Problems.push_back({file, e.Line, true, Text});
        };
        const std::ptrdiff_t rank = std::find(codes.begin(), codes.end(), e.Code) - codes.begin();
        if (rank == static_cast<std::ptrdiff_t>(codes.size()))
            at("\"" + e.Code + "\" is neither a subelement nor a group of SecCntTbl.txt");
        else if (rank == last)
            at(e.Code + " again: the program takes the first title");
        else if (rank < last)
            at(e.Code + " after " + codes[last] + ": the syllabus is not in exam order");
        else
            last = rank;
    }
}

} // namespace korvell::pool
