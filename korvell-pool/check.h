// A data directory as the program sees it at start-up, through its own readers.
#pragma once

#include "core/bank.h"
#include "korvell-pool/release.h"

#include <map>
#include <memory>

namespace korvell::pool {

// The program's services for a run without windows: messages are kept, ending
// the program unwinds.
class Recording : public Platform {
public:
    explicit Recording(std::string Dir) : Dir(std::move(Dir)) {}
    struct Message {
        std::string Text, Title;
    };
    void MsgBox(const std::string& Text, const std::string& Title) override {
        Messages.push_back({Text, Title});
    }
    [[noreturn]] void EndProgram(int Status) override { throw ProgramEnded{Status}; }
    void Randomize() override {}
    float Rnd() override { return 0.0f; }
    std::string ProgramDir() override { return Dir; }

    std::string Dir;
    std::vector<Message> Messages;
};

// A data directory read through the program's own readers, each finding at
// the line that causes it.
struct ProgramView {
    explicit ProgramView(const std::string& Dir);

    // The pool, line by line through the program's parser: every question it
    // would store or show wrongly.
    void ReadPool(Diags& Problems);
    // The section table through the program's reader: what it reports.
    void ReadTable(Diags& Problems);
    bool TableMatches() const;

    Recording Sys;
    std::unique_ptr<Bank> B;
    std::string PoolFile, TableFile;
    std::vector<int> Headers; // per pool record: the line of its header
    std::vector<int> Records; // per table record: the line it starts in

private:
    void Header(int Nr, const std::string& Line, std::map<std::string, int>& Seen, Diags& Problems);
};

// An identifier of the form a test draws: "T", a digit, any character, two digits.
bool WellFormedId(const std::string& Id);

// The section table against the built-in groups, and its counts against the pool.
void CheckSectionTable(ProgramView& View, Diags& Problems);

// The explanation file, when the directory has one: records that cannot be
// read, explanations of questions the pool lacks or twice, questions without
// one, and explanations written for another answer or wording.
void CheckExplain(const ProgramView& View, Diags& Problems);

// Marks the explanations of Ids (all, when empty) in File (the directory's
// explanation file, when empty) as written for the pool's current answer
// and wording. Returns the exit status.
int Stamp(const std::string& Dir, const std::string& File, const std::vector<std::string>& Ids,
          Diags& Problems, std::string& Summary);
// Codes of the syllabus that the section table does not have, or out of exam order.
void CheckSyllabus(ProgramView& View, Diags& Problems);

} // namespace korvell::pool
