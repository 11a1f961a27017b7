#include "spoken.h"

#include "bank.h"
#include "logic.h"


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

} // namespace korvell
