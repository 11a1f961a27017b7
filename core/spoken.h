// What a screen reader is told when the window changes: the question shown,
// the answer given or revealed, a test's result. Plain sentences, each piece
// said once, in the order a student needs it.
#pragma once

#include <string>

namespace korvell {

struct QueRec;
struct ExplainRec;

// "Question T1A02. <text> A: <choice>. B: ... D: ... Figure T-1."
std::string QuestionSpoken(const QueRec& Que);

// The answer after a pick (Verdict as the verdict box shows it, "Right!" or
// "Wrong!") or a reveal (an empty Verdict): the verdict, the correct letter
// with its choice, and the explanation when one is given.
std::string AnswerSpoken(const std::string& Verdict, const QueRec& Que, const ExplainRec* Explain);

// The result of a test: the greeting, the verdict line, the right answers,
// the percentage and the margin to the pass mark, as the result window
// shows them.
std::string ResultSpoken(const std::string& Greeting, const std::string& Verdict, int NrRight,
                         const std::string& Percent, const std::string& Margin);

} // namespace korvell
