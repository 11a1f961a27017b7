// What a screen reader is told when the window changes: the question shown,
// the answer given or revealed, a test's result. Plain sentences, each piece
// said once, in the order a student needs it.
#pragma once

#include <string>
#include <string_view>

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

// Text as a speech engine is to be given it: the symbols it would stumble on
// spoken as words ("30 Ω" -> "30 ohms", "1 µV" -> "1 microvolts",
// "10^-6" -> "ten to the minus six", "144–148" -> "144 to 148"), curly
// quotes made straight. Any other text is passed as it is.
std::string SpeechWords(std::string_view Text);

// What Read Aloud says of the question on display: the question, and once the
// answer is out the answer as AnswerSpoken says it (Verdict as the verdict box
// shows it, the explanation when the window shows one), in speech words.
std::string ReadAloudText(const QueRec& Que, bool AnswerOut, const std::string& Verdict,
                          const ExplainRec* Explain);

} // namespace korvell
