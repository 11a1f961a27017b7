#include "core/explain.h"
#include "record/record.h"
#include "support/fixtures.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace korvell {
namespace {

using Use = StudyRecord::Use;
using testing::ReadFile;

std::vector<QueRec> TestPool() {
    std::vector<QueRec> pool;
    for (const char* id : {"T1A01", "T1A02", "T1B01", "T5A01"})
        pool.push_back({id, "A", std::string("Question ") + id + "?", "a", "b", "c", "d", "", ""});
    return pool;
}

RecordAnswer Answer(const QueRec& Q, std::int64_t Time, const std::string& Letter) {
    return {Q.QueNr, QueFingerprint(Q), Time, "study", Letter, Letter == Q.Answer};
}

// The directory's names with their bytes: what a refusal must leave alone.
std::string Listing(const testing::TempDir& Dir, std::string s = "") {
    for (const auto& e : std::filesystem::directory_iterator(Dir.Path))
        s += e.path().filename().string() + "=" + (e.is_directory() ? "" : ReadFile(e.path())) +
             "\n";
    return s;
}

void Sql(const std::string& File, const std::string& Text) {
    sqlite3* db = nullptr;
    sqlite3_open(File.c_str(), &db);
    EXPECT_EQ(sqlite3_exec(db, Text.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << Text;
    sqlite3_close(db);
}

std::string Refusal(const std::string& File, Use How) {
    try {
        StudyRecord::Open(File, How);
    } catch (const RecordError& e) {
        return e.what();
    }
    return "opened";
}

// A record of 300 answers (written at once), a test and a mark.
std::string MakeRecord(const testing::TempDir& Dir, const std::string& Name) {
    StudyRecord::Open(Dir / Name, Use::Window)->SetMark("T5A01", "fp", true);
    Sql(Dir / Name, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                    " INSERT INTO answer SELECT 'T1A01', 'fp', i, 'study', 'B', 0 FROM n;"
                    " INSERT INTO test VALUES(5000, 'T1A01 T1B01', 'A C', 1)");
    return Dir / Name;
}

// Answers, tests and marks back from the file; the history and the summary count only the
// questions of the pool as they stand now.
TEST(Record, RoundTripThroughTheFile) {
    testing::TempDir dir;
    auto pool = TestPool();
    const RecordAnswer answers[] = {Answer(pool[1], 2000, "A"),
                                    Answer(pool[0], 1000, ""),
                                    Answer(pool[0], 3000, "C"),
                                    Answer(pool[3], 2000, "A"),
                                    {"T9Z99", "-", 1500, "test", "D", true}, // not in the pool
                                    Answer(pool[2], 2000, "B")};
    {
        auto r = StudyRecord::Open(dir / "a.korvell", Use::Window);
        for (const auto& a : answers)
            r->AddAnswer(a);
        r->AddTest({1796687999999, {"T1A01", "T5A01"}, {"A", ""}, 26}); // 2026-12-07 23:59 UTC
        r->AddTest({1796601599999, {35, "T1A01"}, std::vector<std::string>(35, "B"), 25});
        for (int k : {0, 2, 3})
            r->SetMark(pool[k].QueNr, QueFingerprint(pool[k]), true);
        r->SetMark("T1B01", "", false);
    }
    pool[3].ChoiceB = "b, reworded"; // an erratum: T5A01's answers and mark count no more
    const auto r = StudyRecord::Open(dir / "a.korvell", Use::Reader);
    std::string kept, written, history; // the history by time, then as written
    for (const RecordAnswer& a : r->Answers())
        kept += a.QueNr + a.Fp + std::to_string(a.TimeMs) + a.Mode + a.Letter + "-+"[a.Right];
    for (const RecordAnswer& a : answers)
        written += a.QueNr + a.Fp + std::to_string(a.TimeMs) + a.Mode + a.Letter + "-+"[a.Right];
    EXPECT_EQ(kept, written);
    for (const AnswerEvent& e : r->History(pool))
        history += std::to_string(e.Idx) + "@" + std::to_string(e.TimeMs) + "-+"[e.Right] + " ";
    EXPECT_EQ(history, "0@1000- 1@2000+ 2@2000- 0@3000- ");
    EXPECT_EQ(r->Marks(pool), (std::vector<int16_t>{0}));
    const auto tests = r->Tests(); // by time
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[1].QueNrs, (std::vector<std::string>{"T1A01", "T5A01"}));
    EXPECT_EQ(tests[1].Picks, (std::vector<std::string>{"A", ""}));
    setenv("TZ", "UTC", 1);
    tzset();
    const std::vector<std::string> groups = {"T1A", "T1B", "T5A"};
    const auto topic = [](const std::string& Code) { return Code == "T1" ? "Rules" : ""; };
    const std::vector<int16_t> counts = {2, 1, 1}; // T1A02 right 1 ms before: T1A's chance 5/8
    EXPECT_EQ(ProgressLines(*r, pool, groups, counts, 3000, topic),
              (std::vector<std::string>{
                  "Record: " + dir / "a.korvell", "Answered: 3 of 4 questions", "Known: 1",
                  "Due for review: 2", "Chance to pass now: 0 % (expected score 1.1 of 3)",
                  "Tests: 2 taken, 1 passed; last 26 of 2 on 2026-12-07",
                  "T1 Rules: answered 3 of 3, known 1", "T5: answered 0 of 1, known 0"}));
    EXPECT_EQ(Listing(dir).find("journal"), std::string::npos); // one file, nothing beside it
}

// Each kind of file that cannot be a record is refused, by the window and by a reader, and
// the directory is left as it was, byte for byte.
TEST(Record, BadFilesRefusedUntouched) {
    testing::TempDir dir;
    const auto record = [&](const std::string& Name, const std::string& Change) {
        Sql(MakeRecord(dir, Name), Change);
        return dir / Name;
    };
    const auto cut = [&](const std::string& Name, std::size_t Size, std::size_t Garble) {
        std::string bytes = ReadFile(MakeRecord(dir, Name));
        bytes.resize(Size ? Size : bytes.size());
        return dir.Write(Name, bytes.replace(Garble, Garble ? 100 : 0, Garble ? 100 : 0, 'Z'));
    };
    const std::pair<std::string, const char*> cases[] = {
        {dir.Write("text.korvell", "Fixture question pool\nT1A01 (A)\n"), "not a Korvell study"},
        {dir.Write("short.korvell", "SQLite format 3"), "not a Korvell study record"},
        {record("foreign.db", "PRAGMA application_id=7"), "a database of another program"},
        {record("newer.korvell", "PRAGMA user_version=2"), "newer Korvell (format 2; this one"},
        {record("nover.korvell", "PRAGMA user_version=0"), "damaged study record (no format"},
        {record("wal.korvell", "PRAGMA journal_mode=WAL"), "(not in rollback-journal mode)"},
        {record("table.korvell", "DROP TABLE mark"), "damaged study record (no such table: mark"},
        {cut("cut.korvell", 8192, 0), "damaged study record (cut short)"},
        {cut("garbled.korvell", 0, 4096), "damaged study record ("},
        {(std::filesystem::create_directory(dir / "dir"), dir / "dir"), "a directory, not a"},
        {dir / "none.korvell", "no such file"}, // for a reader; the window makes a record
    };
    for (const auto& [file, why] : cases) {
        const std::string before = Listing(dir);
        EXPECT_NE(Refusal(file, Use::Reader).find(why), std::string::npos) << file;
        if (!file.ends_with("none.korvell")) {
            EXPECT_NE(Refusal(file, Use::Window).find(why), std::string::npos) << file;
        }
        EXPECT_EQ(Listing(dir), before) << file;
    }
    if (geteuid() != 0) { // root reads every file
        chmod(MakeRecord(dir, "locked.korvell").c_str(), 0);
        EXPECT_EQ(Refusal(dir / "locked.korvell", Use::Reader),
                  "cannot be read: Permission denied");
    }
}

// A child process that runs Work and then waits to be killed; the parent reads what it
// reports on a pipe.
struct Child {
    explicit Child(const std::function<void(int Report)>& Work) {
        int fds[2];
        if (pipe(fds) != 0 || (Pid = fork()) < 0) std::abort();
        if (Pid == 0) {
            close(fds[0]);
            Work(fds[1]);
            pause();
            _exit(0);
        }
        close(fds[1]);
        In = fds[0];
    }
    ~Child() {
        kill(Pid, SIGKILL);
        waitpid(Pid, nullptr, 0);
        close(In);
    }
    bool Read(int& Value) const { return read(In, &Value, sizeof Value) == sizeof Value; }
    static void Tell(int Report, int Value) {
        if (write(Report, &Value, sizeof Value) != sizeof Value) _exit(1);
    }
    pid_t Pid;
    int In;
};

// Killed at any moment, the program loses no answer whose write had returned, and the
// file it leaves opens as a sound record.
TEST(Record, KilledProgramLosesNoAnswerItReported) {
    testing::TempDir dir;
    const auto pool = TestPool();
    for (int reported : {1, 40, 123}) {
        const std::string file = dir / ("k" + std::to_string(reported) + ".korvell");
        int last = -1;
        {
            Child child([&](int Report) {
                auto r = StudyRecord::Open(file, Use::Window);
                for (int i = 0;; ++i)
                    r->AddAnswer(Answer(pool[i % 4], i, "A")), Child::Tell(Report, i);
            });
            for (int n = 0; n < reported && child.Read(last); ++n) {
            }
        } // killed: in the middle of a write more often than not
        ASSERT_EQ(last, reported - 1);
        const auto r = StudyRecord::Open(file, Use::Window);
        const auto kept = r->Answers();
        ASSERT_GE(kept.size(), std::size_t(reported));
        EXPECT_EQ(kept[std::size_t(last)].TimeMs, last);
        r->AddAnswer(Answer(pool[0], 9999, "A")); // and it takes answers again
    }
}

// A record open in one program's window is refused to a second one, while the summary's
// reader opens it, waiting for a write under way to end.
TEST(Record, SecondProgramRefusedReaderWaits) {
    testing::TempDir dir;
    const std::string file = MakeRecord(dir, "shared.korvell");
    int step = 0;
    {
        Child child([&](int Report) {
            auto r = StudyRecord::Open(file, Use::Window);
            Child::Tell(Report, 1);
            pause();
        });
        ASSERT_TRUE(child.Read(step));
        const std::string before = ReadFile(file);
        EXPECT_EQ(Refusal(file, Use::Window), "open in another Korvell");
        EXPECT_EQ(ReadFile(file), before);
        EXPECT_EQ(StudyRecord::Open(file, Use::Reader)->Answers().size(), 300u);
    }
    Child writer([&](int Report) { // a write that holds the file for a moment
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, "BEGIN EXCLUSIVE; DELETE FROM answer", nullptr, nullptr, nullptr);
        Child::Tell(Report, 2);
        usleep(300000);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    ASSERT_TRUE(writer.Read(step));
    EXPECT_EQ(StudyRecord::Open(file, Use::Reader)->Answers().size(), 0u);
}

} // namespace
} // namespace korvell
