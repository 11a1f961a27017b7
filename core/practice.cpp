#include "practice.h"

#include "logic.h"

namespace korvell {

std::vector<PaperQue> DrawPaperTest(const Bank& B, std::uint64_t Number) {
    NumberedValues values(Number);
    std::vector<PaperQue> ques;
    const std::vector<std::string>& groups = ExamGroups();
    for (std::size_t i = 0; i < groups.size() && i <= MaxSecTbl; ++i) {
        const std::string id =
            QuestionId(groups[i], TwoDigits(DrawNumber(B.SecCnt[i], values.Next())));
        ques.push_back({id, B.FindQuestionIndex(id)});
    }
    return ques;
}

std::uint64_t FreshTestNumber(Platform& Sys) {
    Sys.Randomize();
    return static_cast<std::uint64_t>(static_cast<double>(Sys.Rnd()) * 1000000.0);
}

} // namespace korvell
