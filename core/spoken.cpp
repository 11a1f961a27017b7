#include "spoken.h"

#include "bank.h"
#include "logic.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace korvell {

namespace {

// Text as a sentence: blanks at the ends and line breaks made single blanks,
// a full stop added unless it already ends in a stop, question or exclamation mark.
std::string Sentence(std::string_view Text) {
    std::string s;
    for (char c : Text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (blank && (s.empty() || s.back() == ' ')) continue;
        s += blank ? ' ' : c;
    }
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    if (!s.empty() && s.back() != '.' && s.back() != '?' && s.back() != '!') s += '.';
    return s;
}

const std::string* Choice(const QueRec& Que, const std::string& Letter) {
    if (Letter == "A") return &Que.ChoiceA;
    if (Letter == "B") return &Que.ChoiceB;
    if (Letter == "C") return &Que.ChoiceC;
    if (Letter == "D") return &Que.ChoiceD;
    return nullptr;
}

} // namespace

std::string QuestionSpoken(const QueRec& Que) {
    std::string s = "Question " + Trim(Que.QueNr) + ". " + Sentence(Que.Question);
    for (const char* letter : {"A", "B", "C", "D"})
        s += std::string(" ") + letter + ": " + Sentence(*Choice(Que, letter));
    if (!Trim(Que.Fig).empty()) s += " " + FigureCaption(Que.Fig) + ".";
    return s;
}

std::string AnswerSpoken(const std::string& Verdict, const QueRec& Que, const ExplainRec* Explain) {
    std::string s = Verdict.empty() ? "" : Sentence(Verdict) + " ";
    s += "The answer is " + Que.Answer;
    const std::string* choice = Choice(Que, Que.Answer);
    s += choice ? ": " + Sentence(*choice) : ".";
    if (Explain && !Explain->Ref.empty()) s += " Rule reference: " + Sentence(Explain->Ref);
    if (Explain && !Sentence(Explain->Text).empty()) s += " " + Sentence(Explain->Text);
    return s;
}

std::string ResultSpoken(const std::string& Greeting, const std::string& Verdict, int NrRight,
                         const std::string& Percent, const std::string& Margin) {
    return Sentence(Greeting) + " You " + Sentence(Verdict) +
           " Correct answers: " + std::to_string(NrRight) + ". Percent: " + Percent + ". " +
           Sentence(Margin);
}

namespace {

// A symbol and the words said for it.
struct SpokenSymbol {
    std::string_view Symbol;
    std::string_view Words;
};

// clang-format off
constexpr SpokenSymbol Symbols[] = {
    {"k\u03a9", "kilohms"}, {"M\u03a9", "megohms"}, {"\u03a9", "ohms"},
    {"\u00b5", "micro"}, {"\u03bc", "micro"}, // the micro sign, and the Greek mu that looks the same
    {"\u03bb", "lambda"}, {"\u03c0", "pi"}, {"\u00b0", "degrees"}, {"\u00b1", "plus or minus"},
    {"\u00b2", "squared"}, {"\u00b3", "cubed"}, {"\u00d7", "times"}, {"\u00f7", "divided by"},
    {" / ", " divided by "}, {"\u221a", "the square root of"}, {"\u2248", "about"},
    {"\u2264", "at most"}, {"\u2265", "at least"}, {"\u2212", "minus"},
    {"\u2018", "'"}, {"\u2019", "'"}, {"\u201c", "\""}, {"\u201d", "\""}};
// clang-format on

// The words of the units that follow a prefix: "\u00b5F" -> "microfarads".
constexpr SpokenSymbol Units[] = {{"F", "farads"},  {"H", "henries"}, {"V", "volts"},
                                  {"A", "amperes"}, {"W", "watts"},   {"s", "seconds"}};

bool IsLetter(std::string_view Text, std::size_t At) {
    return At < Text.size() && std::isalpha(static_cast<unsigned char>(Text[At]));
}

bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

// A whole number of up to two digits in words, others in digits.
std::string NumberWords(std::string_view Digits) {
    static constexpr const char* ones[] = {
        "zero",     "one",     "two",     "three",     "four",     "five",    "six",
        "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",  "thirteen",
        "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
    static constexpr const char* tens[] = {"",      "",      "twenty",  "thirty", "forty",
                                           "fifty", "sixty", "seventy", "eighty", "ninety"};
    if (Digits.size() > 2 || (Digits.size() == 2 && Digits[0] == '0')) return std::string(Digits);
    const int n = std::stoi(std::string(Digits));
    if (n < 20) return ones[n];
    return std::string(tens[n / 10]) + (n % 10 ? std::string("-") + ones[n % 10] : "");
}

} // namespace

std::string SpeechWords(std::string_view Text) {
    std::string s;
    s.reserve(Text.size() + Text.size() / 8);
    for (std::size_t i = 0; i < Text.size();) {
        const std::string_view rest = Text.substr(i);
        // A power written with a caret after a whole number: "10^-6".
        if (rest[0] == '^' && !s.empty() && IsDigit(s.back())) {
            std::size_t sign = rest.size() > 1 && rest[1] == '-' ? 1 : 0;
            if (sign == 0 && rest.starts_with("^\u2212")) sign = 3;
            std::size_t end = 1 + sign;
            while (end < rest.size() && IsDigit(rest[end]))
                ++end;
            if (end > 1 + sign) {
                std::size_t start = s.size();
                while (start > 0 && IsDigit(s[start - 1]))
                    --start;
                const std::string base = s.substr(start);
                s.resize(start);
                s += NumberWords(base) + " to the " + (sign ? "minus " : "") +
                     NumberWords(rest.substr(1 + sign, end - 1 - sign));
                i += end;
                continue;
            }
        }
        // A range of numbers written with a dash: "144\u2013148".
        if (rest.starts_with("\u2013")) {
            i += 3;
            if (!s.empty() && IsDigit(s.back()) && i < Text.size() && IsDigit(Text[i])) {
                s += " to ";
                continue;
            }
            while (!s.empty() && s.back() == ' ')
                s.pop_back();
            s += ", ";
            while (i < Text.size() && Text[i] == ' ')
                ++i;
            continue;
        }
        const auto sym =
            std::find_if(std::begin(Symbols), std::end(Symbols),
                         [&](const SpokenSymbol& S) { return rest.starts_with(S.Symbol); });
        if (sym == std::end(Symbols)) {
            s += Text[i++];
            continue;
        }
        i += sym->Symbol.size();
        std::string words(sym->Words);
        if (words == "micro")
            for (const SpokenSymbol& unit : Units)
                if (Text.substr(i).starts_with(unit.Symbol) && !IsLetter(Text, i + 1)) {
                    words += unit.Words;
                    ++i;
                    break;
                }
        // Words stand apart from what comes before and after them.
        if (IsLetter(words, 0)) {
            if (!s.empty() && s.back() != ' ' && s.back() != '(') s += ' ';
            if (i < Text.size() && Text.find_first_of(" .,;:?!)'\"", i) != i) words += ' ';
        }
        s += words;
    }
    return s;
}

std::string ReadAloudText(const QueRec& Que, bool AnswerOut, const std::string& Verdict,
                          const ExplainRec* Explain) {
    std::string s = QuestionSpoken(Que);
    if (AnswerOut) s += " " + AnswerSpoken(Verdict, Que, Explain);
    return SpeechWords(s);
}

} // namespace korvell
