#include "results.h"

#include <algorithm>

namespace korvell {

std::vector<SubResult> ResultsBySubelement(std::span<const std::string> Groups,
                                           std::span<const bool> Right) {
    std::vector<SubResult> rows;
    for (std::size_t i = 0; i < Groups.size(); ++i) {
        const std::string code = Groups[i].substr(0, 2);
        auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const SubResult& R) { return R.Code == code; });
        if (row == rows.end()) row = rows.insert(rows.end(), SubResult{code});
        ++row->Asked;
        if (i < Right.size() && Right[i]) ++row->Right;
    }
    return rows;
}

std::string MarginText(int Right, int Needed, int Asked) {
    const std::string mark = std::to_string(Needed) + " of " + std::to_string(Asked);
    if (Right < Needed) {
        const int more = Needed - Right;
        return std::to_string(more) + " more right " + (more == 1 ? "answer was" : "answers were") +
               " needed to pass (" + mark + ").";
    }
    if (Right == Needed) return "Passed with no answer to spare.";
    return "Passed with " + std::to_string(Right - Needed) + " to spare (" + mark + " needed).";
}

} // namespace korvell
