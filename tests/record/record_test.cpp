#include "core/explain.h"
#include "record/record.h"
#include "support/fixtures.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace korvell {
namespace {

using Use = StudyRecord::Use;

std::vector<QueRec> TestPool() {
    std::vector<QueRec> pool;
    for (const char* id : {"T1A01", "T1A02", "T1B01", "T5A01"})
        pool.push_back({id, "A", std::string("Question ") + id + "?", "a", "b", "c", "d", "", ""});
    return pool;
}

RecordAnswer Answer(const QueRec& Q, std::int64_t Time, const std::string& Letter) {
    return {Q.QueNr, QueFingerprint(Q), Time, "study", Letter, Letter == Q.Answer};
}

std::string Bytes(const std::string& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The directory's names with their bytes: what a refusal must leave alone.
std::string Listing(const testing::TempDir& Dir) {
    std::string s;
    for (const auto& e : std::filesystem::directory_iterator(Dir.Path))
        s += e.path().filename().string() + "=" +
             (e.is_regular_file() ? Bytes(e.path().string()) : "(dir)") + "\n";
    return s;
}

void Sql(const std::string& File, const std::string& Text) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(File.c_str(), &db), SQLITE_OK);
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
    const auto pool = TestPool();
    StudyRecord::Open(Dir / Name, Use::Window)->SetMark("T5A01", QueFingerprint(pool[3]), true);
    Sql(Dir / Name, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300)"
                    " INSERT INTO answer SELECT 'T1A01', 'fp', i, 'study', 'B', 0 FROM n;"
                    " INSERT INTO test VALUES(5000, 'T1A01 T1B01', 'A C', 1)");
    return Dir / Name;
}

TEST(Record, RoundTripThroughTheFile) {
    testing::TempDir dir;
    auto pool = TestPool();
    const std::vector<RecordAnswer> answers = {
        Answer(pool[1], 2000, "A"),
        Answer(pool[0], 1000, ""),
        Answer(pool[3], 2000, "C"),
        {"T9Z99", "00000000", 1500, "test", "D", true}}; // a question the pool lacks
    {
        auto r = StudyRecord::Open(dir / "a.korvell", Use::Window);
        for (const auto& a : answers)
            r->AddAnswer(a);
        r->AddTest({3000, {"T1A01", "T5A01"}, {"A", ""}, 1});
        for (int k : {0, 2, 3})
            r->SetMark(pool[k].QueNr, QueFingerprint(pool[k]), true);
        r->SetMark("T1B01", "", false);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "a.korvell-journal")); // nothing beside it
    pool[3].ChoiceB = "b, reworded"; // an erratum: T5A01's answers and mark count no more
    const auto r = StudyRecord::Open(dir / "a.korvell", Use::Reader);
    const auto kept = r->Answers();
    ASSERT_EQ(kept.size(), answers.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(std::tie(kept[i].QueNr, kept[i].Fp, kept[i].TimeMs, kept[i].Mode, kept[i].Letter,
                           kept[i].Right),
                  std::tie(answers[i].QueNr, answers[i].Fp, answers[i].TimeMs, answers[i].Mode,
                           answers[i].Letter, answers[i].Right));
    std::string history; // by time, then as written
    for (const AnswerEvent& e : r->History(pool))
        history += std::to_string(e.Idx) + "@" + std::to_string(e.TimeMs) + (e.Right ? "+ " : "- ");
    EXPECT_EQ(history, "0@1000- 1@2000+ ");
    EXPECT_EQ(r->Marks(pool), (std::vector<int16_t>{0}));
    const auto tests = r->Tests();
    ASSERT_EQ(tests.size(), 1u);
    EXPECT_EQ(tests[0].QueNrs, (std::vector<std::string>{"T1A01", "T5A01"}));
    EXPECT_EQ(tests[0].Picks, (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(tests[0].TimeMs * 100 + tests[0].Score, 300001);
}

// Each kind of file that cannot be a record is refused, by the window and by a reader, and
// the directory is left as it was, byte for byte.
TEST(Record, BadFilesRefusedUntouched) {
    testing::TempDir dir;
    const auto record = [&](const std::string& Name, const std::string& Change) {
        const std::string file = MakeRecord(dir, Name);
        if (!Change.empty()) Sql(file, Change);
        return file;
    };
    const auto cut = [&](const std::string& Name, std::size_t Size, std::size_t Garble) {
        const std::string file = MakeRecord(dir, Name);
        std::string bytes = Bytes(file);
        if (Size) bytes.resize(Size);
        if (Garble) bytes.replace(Garble, 100, std::string(100, '\x5a'));
        return dir.Write(Name, bytes);
    };
    std::filesystem::create_directory(dir / "dir.korvell");
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
        {dir / "dir.korvell", "a directory, not a study record"},
    };
    for (const auto& [file, why] : cases) {
        const std::string before = Listing(dir);
        EXPECT_NE(Refusal(file, Use::Window).find(why), std::string::npos) << file;
        EXPECT_NE(Refusal(file, Use::Reader).find(why), std::string::npos) << file;
        EXPECT_EQ(Listing(dir), before) << file;
    }
    EXPECT_EQ(Refusal(dir / "none.korvell", Use::Reader), "no such file");
    if (geteuid() != 0) { // root reads every file
        const std::string file = MakeRecord(dir, "locked.korvell");
        chmod(file.c_str(), 0);
        EXPECT_EQ(Refusal(file, Use::Reader), "cannot be read: Permission denied");
    }
    EXPECT_EQ(Listing(dir).find("none"), std::string::npos);
}

// A child process that runs Work and then waits to be killed; the parent reads what it
// reports on a pipe.
struct Child {
    explicit Child(const std::function<void(int Report)>& Work) {
        int fds[2];
        if (pipe(fds) != 0) std::abort();
        Pid = fork();
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
    int Read(int& Value) const { return int(read(In, &Value, sizeof Value)); }
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
                for (int i = 0;; ++i) {
                    r->AddAnswer(Answer(pool[i % 4], i, "A"));
                    if (write(Report, &i, sizeof i) != sizeof i) _exit(1);
                }
            });
            for (int n = 0; n < reported && child.Read(last) == sizeof last; ++n) {
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
            if (write(Report, &step, sizeof step) != sizeof step) _exit(1);
            pause();
        });
        ASSERT_EQ(child.Read(step), int(sizeof step));
        const std::string before = Bytes(file);
        EXPECT_EQ(Refusal(file, Use::Window), "open in another Korvell");
        EXPECT_EQ(Bytes(file), before);
        EXPECT_EQ(StudyRecord::Open(file, Use::Reader)->Answers().size(), 300u);
    }
    Child writer([&](int Report) { // a write that holds the file for a moment
        sqlite3* db = nullptr;
        sqlite3_open(file.c_str(), &db);
        sqlite3_exec(db, "BEGIN EXCLUSIVE; DELETE FROM answer", nullptr, nullptr, nullptr);
        if (write(Report, &step, sizeof step) != sizeof step) _exit(1);
        usleep(300000);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    });
    ASSERT_EQ(writer.Read(step), int(sizeof step));
    EXPECT_EQ(StudyRecord::Open(file, Use::Reader)->Answers().size(), 0u);
}

TEST(Record, ProgressLines) {
    testing::TempDir dir;
    const auto pool = TestPool();
    const std::vector<std::string> groups = {"T1A", "T1B", "T5A"};
    const auto topic = [](const std::string& Code) { return Code == "T1" ? "Rules" : ""; };
    setenv("TZ", "UTC", 1);
    tzset();
    auto r = StudyRecord::Open(dir / "p.korvell", Use::Window);
    std::vector<std::string> lines = {"Record: " + dir / "p.korvell", "Answered: 0 of 4 questions",
                                      "Tests: 0 taken, 0 passed", "T1 Rules: answered 0 of 3",
                                      "T5: answered 0 of 1"};
    EXPECT_EQ(ProgressLines(*r, pool, groups, topic), lines);
    for (int k : {0, 0, 2})
        r->AddAnswer(Answer(pool[k], 1, "C"));
    r->AddAnswer({"T5A01", "0badf00d", 1, "study", "A", true}); // of another wording
    r->AddTest({1796688000000 - 1, {35, "T1A01"}, std::vector<std::string>(35, "A"), 26});
    r->AddTest({1796601600000, {35, "T1A01"}, std::vector<std::string>(35, "A"), 27});
    r->AddTest({1796601600000 - 1, {35, "T1A01"}, std::vector<std::string>(35, "A"), 25});
    lines[1] = "Answered: 2 of 4 questions";
    lines[2] = "Tests: 3 taken, 2 passed; last 26 of 35 on 2026-12-07";
    lines[3] = "T1 Rules: answered 2 of 3";
    EXPECT_EQ(ProgressLines(*r, pool, groups, topic), lines);
}

} // namespace
} // namespace korvell
