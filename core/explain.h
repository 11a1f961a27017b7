// Explanations of the pool's questions: why the correct choice is right.
//
// The explanation file lies beside the pool and is optional. It is plain
// text in the pool's own style, one record per question:
//
//     T1A03 (B) [97.119(b)(2)] Fp 1a2b3c4d
//     The text, on one or more lines (joined with one blank).
//     ~~~~~~~~
//
// The header holds the identifier, the correct letter the text was written
// for, the rule reference in brackets when the question has one, and the
// fingerprint of the question's wording the text was written for (Fp and
// eight hexadecimal digits; a record not yet reviewed against the pool may
// lack it). Lines outside a record are ignored.
#pragma once

#include "seqfile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace korvell {

struct QueRec;

struct ExplainRec {
    std::string QueNr;  // the question identifier, "T1A03"
    std::string Answer; // the correct letter it was written for
    std::string Ref;    // the rule reference without its brackets, or empty
    std::string Fp;     // the fingerprint it was written for, or empty
    std::string Text;
    int Line = 0; // the header's line in the file, from 1
};

// A record that could not be read, at the line where it went wrong.
struct ExplainProblem {
    int Line = 0;
    std::string Text;
};

// At most this many records are kept: one for each question a pool can hold.
constexpr std::size_t MaxExplain = 431;
// Longest explanation text, in bytes; a longer record is skipped.
constexpr std::size_t MaxExplainBytes = 4096;

// Reads the records of the file open on File up to its end. Records beyond
// MaxExplain, and records that cannot be read, are skipped and, when Problems
// is given, listed there.
void ReadExplainRecords(SeqFile& File, std::vector<ExplainRec>& Out,
                        std::vector<ExplainProblem>* Problems = nullptr);

// Takes a header line apart; false when the line is not a header.
bool ParseExplainHeader(const std::string& Line, ExplainRec& Out);
// The header line of a record as the file writes it.
std::string ExplainHeader(const ExplainRec& Rec);

// Eight hexadecimal digits that change when the wording of a question's text
// or choices changes. Runs of blanks count as one, so line ends and the way
// the text is wrapped do not matter.
std::string QueFingerprint(const QueRec& Que);

// The explanation as the program shows it: the rule reference, when there is
// one, on a line of its own before the text.
std::string ExplainShown(const ExplainRec& Rec);

} // namespace korvell
