// Data files for the window tests: a question pool, the section count table,
// help and disclaimer texts and figure pictures, written into a fresh
// temporary directory with CR LF line ends, as the program's data files are.
//
//   korvell::testing::DataDir data;              // empty temporary directory
//   data.WriteStandard(2);                       // 35 groups x 2 questions + table + texts
//   fake.Dir = data.Path();                      // the program looks there
//
// or, for a whole program run (recording platform, module, data directory):
//
//   korvell::testing::Program run;
//   run.Data.WriteStandard(2);
//   run.Start();                                 // Main, as the program starts
//   run.Win().cmdNext->click();
//
// Build a pool of your own with StandardQuestions / FixtureQuestion and
// WritePool; give a question a figure with Fig = "F1" and data.WriteFigure("F1").
#pragma once

#include "support/fake_platform.h"
#include "ui/main/frmshowque.h"
#include "ui/modkorvell.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace korvell::testing {

// One question of a fixture pool. Texts are written as one line each; the
// pool reader adds one blank at the end of every line, so a stored field is
// one character longer than the text given here (see TextForStoredLength).
struct FixtureQuestion {
    std::string Id;           // e.g. "T1A01"
    std::string Answer = "A"; // "A".."D"
    std::string Question;
    std::string A, B, C, D;
    std::string Fig; // figure name; empty: no "Fig" marker
    std::string Pg;  // chapter-page such as "2-4"; empty: no "Pg" marker
};

// The 35 exam group codes in exam order: T1A..T1F, T2A..T2C, ..., T9A, T9B, T0A..T0C.
inline const std::vector<std::string>& GroupCodes() {
    static const std::vector<std::string> codes = [] {
        const struct {
            char Digit;
            int Groups;
        } sections[] = {{'1', 6}, {'2', 3}, {'3', 3}, {'4', 2}, {'5', 4},
                        {'6', 4}, {'7', 4}, {'8', 4}, {'9', 2}, {'0', 3}};
        std::vector<std::string> v;
        for (const auto& s : sections)
            for (int k = 1; k <= s.Groups; ++k)
                v.push_back(std::string("T") + s.Digit + static_cast<char>('A' + k - 1));
        return v;
    }();
    return codes;
}

// Group code plus two-digit number: QuestionIdOf("T1A", 5) == "T1A05".
inline std::string QuestionIdOf(const std::string& Group, int Nr) {
    return Group + static_cast<char>('0' + Nr / 10 % 10) + static_cast<char>('0' + Nr % 10);
}

// A question with plain short texts derived from its identifier:
// "Question T1A01?", choices "T1A01 choice A" .. "T1A01 choice D".
inline FixtureQuestion MakeQuestion(const std::string& Id, const std::string& Answer = "A") {
    FixtureQuestion q;
    q.Id = Id;
    q.Answer = Answer;
    q.Question = "Question " + Id + "?";
    q.A = Id + " choice A";
    q.B = Id + " choice B";
    q.C = Id + " choice C";
    q.D = Id + " choice D";
    return q;
}

// PerGroup questions for each of the 35 groups, in exam order (T1A01,
// T1A02, ..., T0C<PerGroup>). Correct letters cycle A, B, C, D through the
// pool; no figures, no page references.
inline std::vector<FixtureQuestion> StandardQuestions(int PerGroup) {
    static const char* letters[] = {"A", "B", "C", "D"};
    std::vector<FixtureQuestion> qs;
    for (const auto& g : GroupCodes())
        for (int n = 1; n <= PerGroup; ++n)
            qs.push_back(MakeQuestion(QuestionIdOf(g, n), letters[qs.size() % 4]));
    return qs;
}

// A text of Chars characters (no commas, no leading marker) ...
inline std::string TextOfLength(int Chars) {
    std::string s;
    for (int i = 0; i < Chars; ++i)
        s += static_cast<char>('a' + i % 26);
    if (Chars > 0) s[0] = 'x';
    return s;
}
// ... and the line to write so that the reader stores exactly Chars characters
// (the reader adds one blank at the line's end).
inline std::string TextForStoredLength(int Chars) {
    return TextOfLength(Chars - 1);
}

// The pool file text: a title line, then each question as header, question
// line, four choice lines and a record end of eight tildes. Lines end in "\n"
// (WriteFile turns them into CR LF).
inline std::string PoolText(const std::vector<FixtureQuestion>& Qs) {
    std::string t = "Fixture question pool\n";
    for (const auto& q : Qs) {
        t += q.Id + " (" + q.Answer + ")";
        if (!q.Fig.empty()) t += " Fig " + q.Fig;
        if (!q.Pg.empty()) t += " Pg " + q.Pg;
        t += "\n" + q.Question + "\nA. " + q.A + "\nB. " + q.B + "\nC. " + q.C + "\nD. " + q.D +
             "\n~~~~~~~~\n";
    }
    return t;
}

// The section count table: one record "code,count" per line, for the codes
// given (default: the 35 groups in exam order).
inline std::string SecCntTblText(int PerGroup,
                                 const std::vector<std::string>& Codes = GroupCodes()) {
    std::string t;
    for (const auto& c : Codes)
        t += c + "," + std::to_string(PerGroup) + "\n";
    return t;
}

// Standard help and disclaimer texts: one line each, no commas, no empty lines.
inline std::vector<std::string> StandardHelpLines() {
    return {"Fixture help first line", "Fixture help second line", "Fixture help third line"};
}
inline std::vector<std::string> StandardDisclaimerLines() {
    return {"Fixture disclaimer first line", "Fixture disclaimer second line"};
}

inline std::string JoinLines(const std::vector<std::string>& Lines) {
    std::string t;
    for (const auto& l : Lines)
        t += l + "\n";
    return t;
}

// Writes Text into Dir/Name with every "\n" written as CR LF; returns the path.
inline std::string WriteFile(const std::string& Dir, const std::string& Name,
                             const std::string& Text) {
    std::string crlf;
    for (char c : Text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const std::string path = Dir + "/" + Name;
    std::ofstream out(path, std::ios::binary);
    out << crlf;
    if (!out) throw std::runtime_error("cannot write " + path);
    return path;
}

// Writes a small valid JPEG picture Dir/<Name>.jpg (Width x Height, one
// colour) and returns its path.
inline std::string WriteFigure(const std::string& Dir, const std::string& Name, int Width = 40,
                               int Height = 30, QColor Colour = Qt::blue) {
    QImage img(Width, Height, QImage::Format_RGB32);
    img.fill(Colour);
    const std::string path = Dir + "/" + Name + ".jpg";
    if (!img.save(QString::fromStdString(path), "JPG"))
        throw std::runtime_error("cannot write " + path);
    return path;
}

// A fresh temporary directory that plays the program's directory, removed
// with its files when the object goes.
class DataDir {
public:
    DataDir() {
        if (!Tmp.isValid()) throw std::runtime_error("no temporary directory");
    }

    // The directory, without a trailing "/" (what Platform::ProgramDir returns).
    std::string Path() const { return QDir(Tmp.path()).absolutePath().toStdString(); }

    std::string Write(const std::string& Name, const std::string& Text) const {
        return WriteFile(Path(), Name, Text);
    }
    std::string WritePool(const std::vector<FixtureQuestion>& Qs) const {
        return Write("Tech_Pool.txt", PoolText(Qs));
    }
    std::string WriteSecCntTbl(int PerGroup) const {
        return Write("SecCntTbl.txt", SecCntTblText(PerGroup));
    }
    std::string WriteHelp(const std::vector<std::string>& Lines = StandardHelpLines()) const {
        return Write("Vellkor-Help.txt", JoinLines(Lines));
    }
    std::string
    WriteDisclaimer(const std::vector<std::string>& Lines = StandardDisclaimerLines()) const {
        return Write("Disclaimer.txt", JoinLines(Lines));
    }
    std::string WriteFigure(const std::string& Name, int Width = 40, int Height = 30,
                            QColor Colour = Qt::blue) const {
        return korvell::testing::WriteFigure(Path(), Name, Width, Height, Colour);
    }
    void Remove(const std::string& Name) const {
        QDir(Tmp.path()).remove(QString::fromStdString(Name));
    }

    // Every file start-up needs: a pool of PerGroup questions per group
    // (StandardQuestions), the matching table, and the standard texts.
    void WriteStandard(int PerGroup = 1) const {
        WritePool(StandardQuestions(PerGroup));
        WriteSecCntTbl(PerGroup);
        WriteHelp();
        WriteDisclaimer();
    }
    // The same with a pool of one's own; the table still names all 35 groups.
    void WriteStandard(const std::vector<FixtureQuestion>& Qs, int PerGroup = 1) const {
        WritePool(Qs);
        WriteSecCntTbl(PerGroup);
        WriteHelp();
        WriteDisclaimer();
    }

    QTemporaryDir Tmp;
};

// One program run: a data directory that plays the program's directory, the
// recording platform pointed at it, and the module. Write the files, then Start.
struct Program {
    Program() { Fake.Dir = Data.Path(); }

    // Runs start-up as the program does; an ending point leaves Mod.Ended set.
    void Start() {
        Mod.Handle([this] { Mod.Main(); });
    }
    // The main window (created on first use, like any touch of it).
    korvell::frmShowQue& Win() { return *Mod.frmShowQue; }

    DataDir Data;
    FakePlatform Fake;
    modKorvell Mod{Fake};
};

} // namespace korvell::testing
