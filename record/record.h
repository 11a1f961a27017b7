// The study record: a student's answers, finished tests and marks kept from one
// run to the next in one file the student chooses.
//
// A record is an SQLite 3 database in rollback-journal mode whose header
// carries Korvell's application id and the format's version as its user
// version. Before SQLite is given a file its header is read, so that a file
// of another kind, another program or a newer format is refused untouched.
// A record the window opens is locked (flock) for as long as it stays open:
// a second program that wants it for its window is refused, while a reader
// of the summary only waits for the write under way.
#pragma once

#include "core/bank.h"
#include "core/history.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

struct sqlite3;

namespace korvell {

// The header's application id: "Kvrl" in ASCII.
constexpr std::uint32_t RecordAppId = 0x4B76726C;
// The format this program writes and reads (the header's user version).
constexpr int RecordFormat = 1;

// What is wrong with a record, in words that follow its file's name
// ("not a Korvell study record").
struct RecordError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RecordAnswer {
    std::string QueNr; // the question's identifier, "T5A03"
    std::string Fp;    // QueFingerprint of the question as it was asked
    std::int64_t TimeMs = 0;
    std::string Mode;   // "study" or "test"
    std::string Letter; // the pick, "" for Show Answer before any pick
    bool Right = false;
};

struct RecordTest {
    std::int64_t TimeMs = 0;
    std::vector<std::string> QueNrs; // in exam order
    std::vector<std::string> Picks;  // the letter picked for each
    int Score = 0;                   // right answers
};

class StudyRecord {
public:
    enum class Use {
        Window, // read and written, locked against a second program's window
        Reader, // read only; waits while a window writes
    };
    // Opens the record at File. A window's record is made there when there is
    // no file or an empty one. Throws RecordError; a file refused is left as it was.
    static std::unique_ptr<StudyRecord> Open(const std::string& File, Use How);
    ~StudyRecord();
    StudyRecord(const StudyRecord&) = delete;
    StudyRecord& operator=(const StudyRecord&) = delete;

    const std::string& File() const { return Path; }
    // The record was made by this Open.
    bool Made() const { return Fresh; }

    // Each write is one transaction, in the file when the call returns.
    // Throws RecordError.
    void AddAnswer(const RecordAnswer& Answer);
    void AddTest(const RecordTest& Test);
    void SetMark(const std::string& QueNr, const std::string& Fp, bool On);

    // Everything kept, in the order written.
    std::vector<RecordAnswer> Answers() const;
    std::vector<RecordTest> Tests() const;

    // The answers of the questions of Pool as they are now (same identifier,
    // same fingerprint), by time and then in the order written.
    std::vector<AnswerEvent> History(std::span<const QueRec> Pool) const;
    // The pool indices of the questions marked as they are now.
    std::vector<int16_t> Marks(std::span<const QueRec> Pool) const;

private:
    StudyRecord() = default;
    void Exec(const char* Sql) const;
    std::string Path;
    sqlite3* Db = nullptr;
    bool Fresh = false;
    int LockFd = -1; // holds the window's lock; closed after the database
};

// The summary --progress prints, line by line: the record's name, the
// questions answered and known, those due for review and the chance to pass
// at NowMs (the exam groups Groups with their counts Counts), the tests, and
// one line per subelement of Groups (its code, then the topic Topic gives for
// the code when there is one).
std::vector<std::string> ProgressLines(const StudyRecord& Record, std::span<const QueRec> Pool,
                                       std::span<const std::string> Groups,
                                       std::span<const int16_t> Counts, std::int64_t NowMs,
                                       const std::function<std::string(const std::string&)>& Topic);

} // namespace korvell
