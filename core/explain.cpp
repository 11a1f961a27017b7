#include "explain.h"

#include "bank.h"
#include "logic.h"

#include <cstdint>
#include <cstdio>

namespace korvell {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}
bool IsHex(char c) {
    return IsDigitChar(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::size_t SkipBlanks(const std::string& Line, std::size_t At) {
    while (At < Line.size() && IsBlank(Line[At]))
        ++At;
    return At;
}

// The text with runs of blanks folded into one and none at either end.
std::string Folded(const std::string& Text, std::string Out = {}) {
    for (const char c : Text) {
        const bool blank = IsBlank(c) || c == '\r' || c == '\n';
        if (!blank)
            Out += c;
        else if (!Out.empty() && Out.back() != ' ')
            Out += ' ';
    }
    if (!Out.empty() && Out.back() == ' ') Out.pop_back();
    return Out;
}

bool IsRecordEnd(const std::string& Line) {
    return Line.size() >= 2 && Line[0] == '~' && Line[1] == '~';
}

} // namespace

bool ParseExplainHeader(const std::string& Line, ExplainRec& Out) {
    const std::string& l = Line;
    if (l.size() < 9 || l[0] != 'T' || !IsDigitChar(l[1]) || l[2] < 'A' || l[2] > 'Z' ||
        !IsDigitChar(l[3]) || !IsDigitChar(l[4]) || (l[3] == '0' && l[4] == '0') || !IsBlank(l[5]))
        return false;
    std::size_t i = SkipBlanks(l, 5);
    if (i + 3 > l.size() || l[i] != '(' || l[i + 1] < 'A' || l[i + 1] > 'D' || l[i + 2] != ')')
        return false;
    ExplainRec rec;
    rec.QueNr = l.substr(0, 5);
    rec.Answer = l.substr(i + 1, 1);
    i = SkipBlanks(l, i + 3);
    if (i < l.size() && l[i] == '[') {
        const std::size_t close = l.find(']', i);
        if (close == std::string::npos || close == i + 1) return false;
        rec.Ref = l.substr(i + 1, close - i - 1);
        if (rec.Ref.find('[') != std::string::npos) return false;
        i = SkipBlanks(l, close + 1);
    }
    if (l.compare(i, 2, "Fp") == 0) {
        i = SkipBlanks(l, i + 2);
        std::size_t n = 0;
        while (i + n < l.size() && IsHex(l[i + n]))
            ++n;
        if (n != 8) return false;
        for (std::size_t k = 0; k < 8; ++k)
            rec.Fp += static_cast<char>(l[i + k] | 0x20);
        i += 8;
    }
    if (SkipBlanks(l, i) != l.size()) return false;
    rec.Line = Out.Line;
    Out = rec;
    return true;
}

std::string ExplainHeader(const ExplainRec& Rec) {
    return Rec.QueNr + " (" + Rec.Answer + ")" + (Rec.Ref.empty() ? "" : " [" + Rec.Ref + "]") +
           (Rec.Fp.empty() ? "" : " Fp " + Rec.Fp);
}

void ReadExplainRecords(SeqFile& File, std::vector<ExplainRec>& Out,
                        std::vector<ExplainProblem>* Problems) {
    const auto problem = [Problems](int Line, const std::string& Text) {
        if (Problems) Problems->push_back({Line, Text});
    };
    ExplainRec cur;
    bool inRecord = false, stray = false, tooLong = false, full = false;
    std::string line;
    int nr = 0;
    const auto finish = [&] {
        inRecord = false;
        if (tooLong)
            problem(cur.Line, "the explanation of " + cur.QueNr + " is longer than " +
                                  std::to_string(MaxExplainBytes) + " bytes; it is skipped");
        else if (cur.Text.empty())
            problem(cur.Line, "the explanation of " + cur.QueNr + " has no text; it is skipped");
        else if (Out.size() >= MaxExplain) {
            if (!full) problem(cur.Line, "more than 431 explanations; the rest are skipped");
            full = true;
        } else
            Out.push_back(cur);
    };
    while (!File.Eof() && File.LineInput(line)) {
        ++nr;
        if (line.size() > MaxExplainBytes) line.resize(MaxExplainBytes + 1); // over the bound
        if (Trim(line).empty()) continue;
        ExplainRec head;
        head.Line = nr;
        if (ParseExplainHeader(line, head)) {
            if (inRecord)
                problem(cur.Line, "the explanation of " + cur.QueNr +
                                      " has no record end line before line " + std::to_string(nr) +
                                      "; it is skipped");
            cur = head;
            inRecord = true;
            tooLong = stray = false;
        } else if (IsRecordEnd(line)) {
            if (inRecord) finish();
            stray = false;
        } else if (inRecord) {
            const std::string text = Folded(line);
            if (cur.Text.size() + 1 + text.size() > MaxExplainBytes) tooLong = true;
            if (!tooLong) cur.Text += (cur.Text.empty() ? "" : " ") + text;
        } else if (!stray) {
            problem(nr, "not an explanation header (identifier, \"(letter)\", optional "
                        "\"[reference]\" and \"Fp\" fingerprint); the lines up to the next "
                        "record end are skipped");
            stray = true;
        }
    }
    if (inRecord)
        problem(cur.Line, "the explanation of " + cur.QueNr +
                              " ends without a record end line; it is skipped");
}

std::string QueFingerprint(const QueRec& Que) {
    const std::string text = Folded(Que.Question) + '\x1f' + Folded(Que.ChoiceA) + '\x1f' +
                             Folded(Que.ChoiceB) + '\x1f' + Folded(Que.ChoiceC) + '\x1f' +
                             Folded(Que.ChoiceD);
    std::uint32_t h = 2166136261u; // 32-bit FNV-1a
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(h));
    return hex;
}

std::string ExplainShown(const ExplainRec& Rec) {
    return (Rec.Ref.empty() ? "" : "Rule reference: " + Rec.Ref + "\n") + Rec.Text;
}

void Bank::LoadExplain() {
    Explains.clear();
    File1.Close();
    // The file is optional: without it nothing is reported and nothing changes.
    if (File1.Open(AppDir + "Tech_Explain.txt")) ReadExplainRecords(File1, Explains);
    File1.Close();
    ExplainRead = true;
}

const ExplainRec* Bank::FindExplain(const QueRec& Que) const {
    const std::string id = Trim(Que.QueNr);
    const std::string letter = Trim(Que.Answer);
    for (const ExplainRec& e : Explains) {
        if (e.QueNr != id) continue;
        if (e.Answer != letter || (!e.Fp.empty() && e.Fp != QueFingerprint(Que))) return nullptr;
        return &e;
    }
    return nullptr;
}

} // namespace korvell
