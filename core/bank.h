// The question bank: the one store of the program's state, and the
// procedures that fill it from the data files.
//
// The variables carry the names the rest of the program uses for them and
// keep their fixed capacities: 431 pool and list entries (0..430), 36 exam
// group table entries (0..35), chapters 0..10 by pages 0..35. Counters and
// indices are 16-bit, flags hold -1 for true and 0 for false.
#pragma once

#include "explain.h"
#include "platform.h"
#include "seqfile.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvell {

constexpr int MaxQue = 430;   // highest pool / list index
constexpr int MaxSecTbl = 35; // highest exam group table index
constexpr int MaxChapter = 10;
constexpr int MaxPage = 35;
constexpr int16_t PassMark = 26;
// Longest text, in bytes, that the pool reader keeps of one line and of one
// record field; the rest is dropped. Every record a run of record end lines
// stores is a copy of the work buffer, so without a bound a file of a few
// megabytes would fill gigabytes.
constexpr std::size_t MaxTextBytes = 16 * 1024;

// The syllabus file beside the pool: one line per subelement and per exam
// group, its code ("T1", "T1A"), a blank and its title.
inline const std::string SyllabusFileName = "Tech_Syllabus.txt";

struct SylEntry {
    std::string Code;
    std::string Title;
    int Line = 0; // its line in the file, from 1
};

struct QueRec {
    std::string QueNr;
    std::string Answer;
    std::string Question;
    std::string ChoiceA;
    std::string ChoiceB;
    std::string ChoiceC;
    std::string ChoiceD;
    std::string Fig;
    std::string ChPg;
};

class Bank {
public:
    explicit Bank(Platform& Sys) : Sys(Sys) {}
    virtual ~Bank() = default;
    Bank(const Bank&) = delete;
    Bank& operator=(const Bank&) = delete;

    Platform& Sys;
    SeqFile File1; // the one sequential input channel

    std::string AppDir;       // program directory followed by "/"
    std::string PoolFileName; // "Tech_Pool.txt"
    QueRec CurQue;
    std::array<QueRec, MaxQue + 1> QuePool;
    int16_t Npool = 0;
    int16_t ParseState = 0;
    std::array<std::array<int16_t, MaxPage + 1>, MaxChapter + 1> ChPgCount{};

    std::array<std::string, MaxQue + 1> SecGroups;
    int16_t NrSecGroups = 0;
    std::array<std::string, MaxSecTbl + 1> SecCntIds;
    std::array<int16_t, MaxSecTbl + 1> SecCnt{};

    std::array<std::string, MaxQue + 1> ListQueIds;
    std::array<int16_t, MaxQue + 1> ListQueIdx{};
    int16_t ListPos = 0;
    int16_t QueIdx = 0;

    int16_t OpMode = 0;
    int16_t AnsState = 0;
    std::string AnsPicked;
    int16_t NrQueAns = 0;
    int16_t NrRight = 0;
    float PctRight = 0.0f;

    // Data files (all in the program's directory).
    void OpenDataFile(const std::string& FileName, std::string& Dir, const std::string& Kind);
    void OpenPoolFile();
    void OpenHelpFile();
    void OpenDisclaimerFile();

    // Pool reader.
    void LoadPool();
    void ReadPoolFile();
    void ParsePoolLine(std::string& Line);

    // Section count table: the group codes built into the program, the
    // table file, and the start-up comparison of the two.
    void BuildSecGroups(); // fills SecGroups 0..34 and NrSecGroups
    void ReadSecCntTbl();
    // Index of the first table entry that differs from its group, or -1.
    int FirstSecCntMismatch() const;

    // The syllabus, in file order; empty when the file is absent or unreadable.
    std::vector<SylEntry> Syllabus;
    void ReadSyllabus();
    // The title of the first entry with this code; empty when there is none.
    std::string SyllabusTitle(const std::string& Code) const;

    // Pool index of the record whose trimmed QueNr equals QueId, or -1.
    int16_t FindQuestionIndex(const std::string& QueId) const;

    // Explanations, read from the optional explanation file beside the pool.
    // The program reads them when the first one is wanted (ExplainRead).
    std::vector<ExplainRec> Explains;
    bool ExplainRead = false;
    void LoadExplain();
    // The explanation written for the question as it stands: the same
    // identifier and correct letter, and the same wording when the record
    // carries a fingerprint. None for a question without one.
    const ExplainRec* FindExplain(const QueRec& Que) const;

protected:
    // Called by LoadPool when a usable pool has been read, after file 1 is
    // closed; the owner of the main window writes the count there.
    virtual void PoolLoaded() {}

private:
    bool PoolOverflow = false; // the pool file holds more questions than fit
};

bool IsDigit(const std::string& Text);

// The exam group codes built into the program, in exam order: T1A .. T0C.
const std::vector<std::string>& ExamGroups();

} // namespace korvell
