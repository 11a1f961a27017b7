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

struct ProgramView {
    explicit ProgramView(const std::string& Dir);

    // Reads the pool line by line through the program's parser and then the
    // section table; what would go wrong goes to Problems.
    void Load(Diags& Problems);
    bool TableMatches() const;

    Recording Sys;
    std::unique_ptr<Bank> B;
    std::string PoolFile, TableFile;
    std::vector<int> Headers; // per pool record: the line of its header

private:
    void Header(int Nr, const std::string& Line, std::map<std::string, int>& Seen, Diags& Problems);
};

// Codes of the syllabus that the section table does not have, or out of exam order.
void CheckSyllabus(ProgramView& View, Diags& Problems);

} // namespace korvell::pool
