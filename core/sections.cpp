#include "bank.h"
#include "logic.h"

namespace korvell {

const std::vector<std::string>& ExamGroups() {
    static const std::vector<std::string> codes = [] {
        // Section digits in exam order with the number of groups in each.
        static constexpr struct {
            char Digit;
            int Groups;
        } Sections[] = {{'1', 6}, {'2', 3}, {'3', 3}, {'4', 2}, {'5', 4},
                        {'6', 4}, {'7', 4}, {'8', 4}, {'9', 2}, {'0', 3}};
        std::vector<std::string> out;
        for (const auto& sec : Sections)
            for (int k = 1; k <= sec.Groups; ++k)
                out.push_back(std::string{'T', sec.Digit, static_cast<char>(64 + k)});
        return out;
    }();
    return codes;
}

void Bank::BuildSecGroups() {
    NrSecGroups = 0;
    for (const std::string& code : ExamGroups())
        SecGroups[NrSecGroups++] = code;
}

void Bank::ReadSecCntTbl() {
    const std::string path = AppDir + "SecCntTbl.txt";
    const auto report = [this](int Number, const std::string& Description) {
        Sys.MsgBox("Error number " + std::to_string(Number) + "\n" + Description,
                   "Procedure Failed");
        File1.Close();
    };
    File1.Close();
    if (!File1.Open(path)) return report(File1.ErrNumber, File1.ErrDescription);
    int index = 0;
    while (!File1.Eof()) {
        if (index > MaxSecTbl) return report(ErrSubscript, "Subscript out of range");
        std::string id;
        int16_t count = 0;
        if (!File1.InputField(id) || !File1.InputInt(count))
            return report(File1.ErrNumber, File1.ErrDescription);
        SecCntIds[index] = id;
        SecCnt[index] = count;
        ++index;
    }
    File1.Close();
}

int Bank::FirstSecCntMismatch() const {
    for (int i = 0; i < NrSecGroups && i <= MaxSecTbl; ++i)
        if (SecCntIds[i] != SecGroups[i]) return i;
    return -1;
}

int16_t Bank::FindQuestionIndex(const std::string& QueId) const {
    for (int16_t k = 0; k < Npool && k <= MaxQue; ++k)
        if (Trim(QuePool[k].QueNr) == QueId) return k;
    return -1;
}

} // namespace korvell
