#include "logic.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace korvell {

std::size_t CharCount(std::string_view Text) {
    std::size_t n = 0;
    for (unsigned char c : Text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string Trim(std::string_view Text) {
    const auto first = Text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = Text.find_last_not_of(' ');
    return std::string(Text.substr(first, last - first + 1));
}

int16_t DrawNumber(int16_t Count, float R) {
    if (Count < 2) return 1;
    // A value that rounds up to 1.0 in single precision must not yield Count + 1.
    const auto n = static_cast<int16_t>(std::floor(static_cast<double>(Count) * R) + 1);
    if (n < 1) return 1;
    return n > Count ? Count : n;
}

std::string TwoDigits(int16_t N) {
    const std::string s = "00" + std::to_string(N);
    return s.substr(s.size() - 2);
}

std::string QuestionId(const std::string& Group, const std::string& Digits) {
    return Group + Digits;
}

std::string TestListRow(const std::string& Group, const std::string& Digits) {
    return Group + "  " + Digits;
}

std::string FormatPercent(float Fraction) {
    // Hundredths of a percent, halves rounded away from zero: 1/32 -> 3.13%.
    const long long units = std::llround(static_cast<double>(Fraction) * 10000.0);
    const long long whole = (units < 0 ? -units : units) / 100;
    const long long cents = (units < 0 ? -units : units) % 100;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%lld.%02lld%%", units < 0 ? "-" : "", whole, cents);
    return buf;
}

std::string ChPgKey(std::string_view Chapter, std::string_view Page) {
    return Trim(Chapter) + "-" + Trim(Page);
}

std::optional<int> ParseChapter(std::string_view Text) {
    const std::string t = Trim(Text);
    if (t.empty() || t.size() > 2) return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || end != t.data() + t.size() || value < 0 || value > 10)
        return std::nullopt;
    return value;
}

std::string FigureCaption(std::string_view Fig) {
    const std::string name = Trim(Fig);
    std::size_t digits = 0;
    while (digits < name.size() && std::isalpha(static_cast<unsigned char>(name[digits])))
        ++digits;
    bool numbered = digits > 0 && digits < name.size();
    for (std::size_t i = digits; i < name.size(); ++i)
        numbered = numbered && std::isdigit(static_cast<unsigned char>(name[i]));
    return "Figure " + (numbered ? name.substr(0, digits) + "-" + name.substr(digits) : name);
}

} // namespace korvell
