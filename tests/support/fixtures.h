// Data files (CR LF line ends) in a temporary program directory, and a program run on them.
#pragma once

#include "support/fake_platform.h"
#include "ui/info/infowindows.h"
#include "ui/main/frmshowfig.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"
#include "ui/test/frmtestcomplete.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <fstream>

namespace korvell::testing {

// A question (Fig: a figure name, Pg: a chapter-page such as "2-4"; empty: no
// marker). The pool reader adds one blank to every line.
struct FixtureQuestion {
    std::string Id, Answer = "A", Question, A, B, C, D, Fig, Pg;
};

// The 35 exam group codes in exam order.
inline const std::vector<std::string>& GroupCodes() {
    static const std::vector<std::string> codes = {
        "T1A", "T1B", "T1C", "T1D", "T1E", "T1F", "T2A", "T2B", "T2C", "T3A", "T3B", "T3C",
        "T4A", "T4B", "T5A", "T5B", "T5C", "T5D", "T6A", "T6B", "T6C", "T6D", "T7A", "T7B",
        "T7C", "T7D", "T8A", "T8B", "T8C", "T8D", "T9A", "T9B", "T0A", "T0B", "T0C"};
    return codes;
}

inline std::string QuestionIdOf(const std::string& Group, int Nr) { // ("T1A", 5): "T1A05"
    return Group + static_cast<char>('0' + Nr / 10 % 10) + static_cast<char>('0' + Nr % 10);
}

// "Question T1A01?" with choices "T1A01 choice A" .. "T1A01 choice D".
inline FixtureQuestion MakeQuestion(const std::string& Id, const std::string& Answer = "A") {
    const std::string c = Id + " choice ";
    return {Id, Answer, "Question " + Id + "?", c + "A", c + "B", c + "C", c + "D", "", ""};
}

// PerGroup questions for each group in exam order; right letters cycle A..D.
inline std::vector<FixtureQuestion> StandardQuestions(int PerGroup) {
    std::vector<FixtureQuestion> qs;
    for (const auto& g : GroupCodes())
        for (int n = 1; n <= PerGroup; ++n)
            qs.push_back(MakeQuestion(QuestionIdOf(g, n), std::string(1, "ABCD"[qs.size() % 4])));
    return qs;
}

inline std::string JoinLines(const std::vector<std::string>& Lines) {
    std::string t;
    for (const auto& l : Lines)
        t += l + "\n";
    return t;
}

// A title line, then per question: header, question, four choices, "~~~~~~~~".
inline std::string PoolText(const std::vector<FixtureQuestion>& Qs) {
    std::string t = "Fixture question pool\n";
    for (const auto& q : Qs)
        t += q.Id + " (" + q.Answer + ")" + (q.Fig.empty() ? "" : " Fig " + q.Fig) +
             (q.Pg.empty() ? "" : " Pg " + q.Pg) + "\n" +
             JoinLines({q.Question, "A. " + q.A, "B. " + q.B, "C. " + q.C, "D. " + q.D}) +
             "~~~~~~~~\n";
    return t;
}

inline std::string SecCntTblText(int PerGroup,
                                 const std::vector<std::string>& Codes = GroupCodes()) {
    std::string t;
    for (const auto& c : Codes)
        t += c + "," + std::to_string(PerGroup) + "\n";
    return t;
}

inline std::vector<std::string> StandardHelpLines() {
    return {"Fixture help first line", "Fixture help second line", "Fixture help third line"};
}
inline std::vector<std::string> StandardDisclaimerLines() {
    return {"Fixture disclaimer first line", "Fixture disclaimer second line"};
}

inline QStringList ListRows(const QListWidget* List) {
    QStringList rows;
    for (int i = 0; i < List->count(); ++i)
        rows << List->item(i)->text();
    return rows;
}

class DataDir {
public:
    std::string Path() const { return QDir(Tmp.path()).absolutePath().toStdString(); }
    // Writes Text into Name, "\n" as CR LF; returns the path.
    std::string Write(const std::string& Name, const std::string& Text) const {
        const std::string path = Path() + "/" + Name;
        std::ofstream out(path, std::ios::binary);
        for (char c : Text)
            out << (c == '\n' ? "\r\n" : std::string(1, c));
        return path;
    }
    std::string WriteFigure(const std::string& Name, int Width = 40, int Height = 30) const {
        QImage img(Width, Height, QImage::Format_RGB32);
        img.fill(Qt::blue);
        img.save(Q(Path() + "/" + Name + ".jpg"), "JPG");
        return Path() + "/" + Name + ".jpg";
    }
    void Remove(const std::string& Name) const { QDir(Tmp.path()).remove(Q(Name)); }
    // A pool, a table of PerGroup per group for all 35 groups, the texts.
    void WriteStandard(int PerGroup = 1) const {
        WriteStandard(StandardQuestions(PerGroup), PerGroup);
    }
    void WriteStandard(const std::vector<FixtureQuestion>& Qs, int PerGroup = 1) const {
        Write("Tech_Pool.txt", PoolText(Qs));
        Write("SecCntTbl.txt", SecCntTblText(PerGroup));
        Write("Vellkor-Help.txt", JoinLines(StandardHelpLines()));
        Write("Disclaimer.txt", JoinLines(StandardDisclaimerLines()));
    }

    QTemporaryDir Tmp;
};

// One program run: data directory, the recording platform pointed at it, the module.
struct Program {
    Program() { Fake.Dir = Data.Path(); }
    explicit Program(int PerGroup) : Program() { // started on the standard files
        Data.WriteStandard(PerGroup);
        Start();
    }
    void Start() {
        Mod.Handle([this] { Mod.Main(); });
    }
    korvell::frmShowQue& Win() { return *Mod.frmShowQue; }
    void Show(int Pos) { // the question at list position Pos
        Mod.ListPos = static_cast<int16_t>(Pos);
        Mod.Handle([this] { Mod.ShowQuestion(); });
    }

    DataDir Data;
    FakePlatform Fake;
    modKorvell Mod{Fake};
};

} // namespace korvell::testing
