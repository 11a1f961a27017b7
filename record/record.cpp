#include "record/record.h"

#include "core/explain.h"
#include "core/logic.h"
#include "core/memory.h"
#include "core/studylists.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <utility>

namespace korvell {

namespace {

[[noreturn]] void Fail(const std::string& What) {
    throw RecordError(What);
}

[[noreturn]] void Damaged(const std::string& Why) {
    Fail("a damaged study record (" + Why + ")");
}

const char* const Schema =
    "CREATE TABLE answer(que TEXT NOT NULL, fp TEXT NOT NULL, time INTEGER NOT NULL,"
    " mode TEXT NOT NULL, letter TEXT NOT NULL, correct INTEGER NOT NULL);"
    "CREATE TABLE test(time INTEGER NOT NULL, questions TEXT NOT NULL, picks TEXT NOT NULL,"
    " score INTEGER NOT NULL);"
    "CREATE TABLE mark(que TEXT PRIMARY KEY, fp TEXT NOT NULL);";

// What each table must answer; a record without it is damaged.
const char* const Reads[] = {"SELECT que, fp, time, mode, letter, correct FROM answer",
                             "SELECT time, questions, picks, score FROM test",
                             "SELECT que, fp FROM mark"};

// One statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* Db, const std::string& Sql) : Db(Db) {
        if (sqlite3_prepare_v2(Db, Sql.c_str(), -1, &S, nullptr) != SQLITE_OK) Problem();
    }
    ~Statement() { sqlite3_finalize(S); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int At, const std::string& Text) {
        sqlite3_bind_text(S, At, Text.data(), static_cast<int>(Text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int At, std::int64_t Value) {
        sqlite3_bind_int64(S, At, Value);
        return *this;
    }
    // True while there is a row to read.
    bool Step() {
        const int rc = sqlite3_step(S);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) Problem();
        return false;
    }
    std::string Text(int Col) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(S, Col));
        return p ? std::string(p, static_cast<std::size_t>(sqlite3_column_bytes(S, Col))) : "";
    }
    std::string_view View(int Col) const {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(S, Col));
        return p ? std::string_view(p, static_cast<std::size_t>(sqlite3_column_bytes(S, Col)))
                 : std::string_view();
    }
    std::int64_t Int(int Col) const { return sqlite3_column_int64(S, Col); }

private:
    [[noreturn]] void Problem() const {
        const int rc = sqlite3_extended_errcode(Db);
        if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
            Fail("busy: another program is writing it");
        if ((rc & 0xff) == SQLITE_FULL) Fail("cannot be written: the disk is full");
        if ((rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_IOERR ||
            (rc & 0xff) == SQLITE_CANTOPEN)
            Fail(std::string("cannot be written: ") + sqlite3_errmsg(Db));
        Damaged(sqlite3_errmsg(Db));
    }
    sqlite3* Db;
    sqlite3_stmt* S = nullptr;
};

std::uint32_t BigEndian32(const unsigned char* At) {
    return std::uint32_t{At[0]} << 24 | std::uint32_t{At[1]} << 16 | std::uint32_t{At[2]} << 8 |
           std::uint32_t{At[3]};
}

// The 100 bytes SQLite writes first, read before SQLite sees the file.
// Behind a journal (a write cut off) the file's size may be anything until
// SQLite rolls the write back, so its size is checked only without one.
void CheckHeader(int Fd, off_t Size, bool Journal) {
    unsigned char h[100];
    if (Size < 100 || pread(Fd, h, sizeof h, 0) != static_cast<ssize_t>(sizeof h) ||
        std::memcmp(h, "SQLite format 3", 16) != 0)
        Fail("not a Korvell study record");
    if (BigEndian32(h + 68) != RecordAppId)
        Fail("a database of another program, not a Korvell study record");
    const std::uint32_t format = BigEndian32(h + 60);
    if (format > RecordFormat)
        Fail("a study record of a newer Korvell (format " + std::to_string(format) +
             "; this one reads format " + std::to_string(RecordFormat) + ")");
    if (format < 1) Damaged("no format version");
    // 1 and 1: a rollback journal; a record in another mode would get files beside it.
    if (h[18] != 1 || h[19] != 1) Damaged("not in rollback-journal mode");
    const unsigned page = h[16] == 0 && h[17] == 1 ? 65536u : unsigned{h[16]} << 8 | h[17];
    if (page < 512 || page > 65536 || (page & (page - 1)) != 0) Damaged("page size");
    const std::uint32_t pages = BigEndian32(h + 28);
    const bool pagesValid = pages != 0 && BigEndian32(h + 24) == BigEndian32(h + 92);
    if (!Journal &&
        (Size % page != 0 || (pagesValid && std::uint64_t{pages} * page > std::uint64_t(Size))))
        Damaged("cut short");
}

std::string Joined(const std::vector<std::string>& Words) {
    std::string out;
    for (const std::string& w : Words)
        out += (out.empty() ? "" : " ") + (w.empty() ? std::string("-") : w);
    return out;
}

std::vector<std::string> Split(const std::string& Text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < Text.size();) {
        const std::size_t end = std::min(Text.find(' ', at), Text.size());
        if (end > at)
            out.push_back(Text.substr(at, end - at) == "-" ? "" : Text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The whole file is read through a memory map while it is checked and its
// history read: several times faster than page by page. Writes, and what they
// read, go through the file as usual, where a failing disk is an error and not
// a signal.
class MappedReads {
public:
    explicit MappedReads(sqlite3* Db) : Db(Db) {
        sqlite3_exec(Db, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
    }
    ~MappedReads() { sqlite3_exec(Db, "PRAGMA mmap_size=0", nullptr, nullptr, nullptr); }
    MappedReads(const MappedReads&) = delete;
    MappedReads& operator=(const MappedReads&) = delete;

private:
    sqlite3* Db;
};

// Looked up by the text SQLite hands over, without a copy.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view Text) const {
        return std::hash<std::string_view>{}(Text);
    }
};
using PoolNow =
    std::unordered_map<std::string, std::pair<int16_t, std::string>, TextHash, std::equal_to<>>;

// The pool's questions as they are now: identifier to index and fingerprint.
PoolNow Current(std::span<const QueRec> Pool) {
    PoolNow now;
    for (std::size_t k = 0; k < Pool.size(); ++k)
        now.try_emplace(Trim(Pool[k].QueNr), static_cast<int16_t>(k), QueFingerprint(Pool[k]));
    return now;
}

std::string LocalDate(std::int64_t TimeMs) {
    const std::time_t t = static_cast<std::time_t>(TimeMs / 1000 - (TimeMs % 1000 < 0));
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&t, &local)) std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace

std::unique_ptr<StudyRecord> StudyRecord::Open(const std::string& File, Use How) {
    const bool window = How == Use::Window;
    std::unique_ptr<StudyRecord> r(new StudyRecord);
    r->Path = File;
    struct stat st {};
    bool made = false, locked = false;
    if (stat(File.c_str(), &st) != 0) {
        if (errno != ENOENT) Fail(std::string("cannot be read: ") + std::strerror(errno));
        if (!window) Fail("no such file");
        r->LockFd = open(File.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (r->LockFd < 0) Fail(std::string("cannot be made: ") + std::strerror(errno));
        made = true;
    } else {
        if (S_ISDIR(st.st_mode)) Fail("a directory, not a study record");
        if (!S_ISREG(st.st_mode)) Fail("not a Korvell study record");
        r->LockFd = open(File.c_str(), (window ? O_RDWR : O_RDONLY) | O_CLOEXEC | O_NONBLOCK);
        if (r->LockFd < 0)
            Fail(std::string(window ? "cannot be read and written: " : "cannot be read: ") +
                 std::strerror(errno));
    }
    try {
        if (window && flock(r->LockFd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) Fail("open in another Korvell");
        } else {
            locked = window;
        }
        if (fstat(r->LockFd, &st) != 0)
            Fail(std::string("cannot be read: ") + std::strerror(errno));
        const bool fresh = st.st_size == 0;
        if (fresh && !window) Fail("an empty file, not a Korvell study record");
        struct stat journal {};
        if (!fresh)
            CheckHeader(r->LockFd, st.st_size, stat((File + "-journal").c_str(), &journal) == 0);
        // A window writes a journal beside the record for each answer.
        const std::string folder = std::filesystem::path(File).parent_path().string();
        if (window && access(folder.empty() ? "." : folder.c_str(), W_OK) != 0)
            Fail(std::string("cannot be written: its folder takes no new file (") +
                 std::strerror(errno) + ")");
        // Never SQLITE_OPEN_CREATE: the file is there, and SQLite makes no other.
        if (sqlite3_open_v2(File.c_str(), &r->Db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            Fail(std::string("cannot be opened: ") + sqlite3_errmsg(r->Db));
        sqlite3_extended_result_codes(r->Db, 1);
        sqlite3_busy_timeout(r->Db, 2000);
        r->Exec("PRAGMA journal_mode=DELETE; PRAGMA temp_store=MEMORY; PRAGMA synchronous=FULL");
        if (fresh) {
            r->Fresh = true;
            r->Exec(("BEGIN IMMEDIATE; PRAGMA application_id=" + std::to_string(RecordAppId) +
                     "; PRAGMA user_version=" + std::to_string(RecordFormat) + "; " + Schema +
                     " COMMIT")
                        .c_str());
        } else {
            const MappedReads mapped(r->Db);
            Statement check(r->Db, "PRAGMA quick_check");
            const std::string verdict = check.Step() ? check.Text(0) : "no verdict";
            if (verdict != "ok") Damaged(verdict);
            for (const char* sql : Reads)
                Statement(r->Db, sql);
        }
        if (!window) r->Exec("PRAGMA query_only=1");
    } catch (const RecordError&) {
        // A file this program made, and no other program holds, goes again.
        if (made && locked) {
            if (r->Db) sqlite3_close_v2(std::exchange(r->Db, nullptr));
            unlink(File.c_str());
        }
        throw;
    }
    return r;
}

StudyRecord::~StudyRecord() {
    // SQLite's own locks go with any descriptor of the file this process
    // closes, so the lock's descriptor is closed last.
    if (Db) sqlite3_close_v2(Db);
    if (LockFd >= 0) close(LockFd);
}

void StudyRecord::Exec(const char* Sql) const {
    char* message = nullptr;
    if (sqlite3_exec(Db, Sql, nullptr, nullptr, &message) == SQLITE_OK) return;
    const std::string text = message ? message : sqlite3_errmsg(Db);
    sqlite3_free(message);
    sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
    const int rc = sqlite3_extended_errcode(Db) & 0xff;
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) Fail("busy: another program is writing it");
    if (rc == SQLITE_CORRUPT || rc == SQLITE_NOTADB) Damaged(text);
    Fail("cannot be written: " + text);
}

void StudyRecord::AddAnswer(const RecordAnswer& Answer) {
    Statement s(Db, "INSERT INTO answer(que, fp, time, mode, letter, correct)"
                    " VALUES(?, ?, ?, ?, ?, ?)");
    s.Bind(1, Answer.QueNr).Bind(2, Answer.Fp).Bind(3, Answer.TimeMs).Bind(4, Answer.Mode);
    s.Bind(5, Answer.Letter).Bind(6, std::int64_t{Answer.Right}).Step();
}

void StudyRecord::AddTest(const RecordTest& Test) {
    Statement s(Db, "INSERT INTO test(time, questions, picks, score) VALUES(?, ?, ?, ?)");
    s.Bind(1, Test.TimeMs).Bind(2, Joined(Test.QueNrs)).Bind(3, Joined(Test.Picks));
    s.Bind(4, std::int64_t{Test.Score}).Step();
}

void StudyRecord::SetMark(const std::string& QueNr, const std::string& Fp, bool On) {
    if (On)
        Statement(Db, "INSERT OR REPLACE INTO mark(que, fp) VALUES(?, ?)")
            .Bind(1, QueNr)
            .Bind(2, Fp)
            .Step();
    else
        Statement(Db, "DELETE FROM mark WHERE que = ?").Bind(1, QueNr).Step();
}

std::vector<RecordAnswer> StudyRecord::Answers() const {
    std::vector<RecordAnswer> out;
    Statement s(Db, std::string(Reads[0]) + " ORDER BY rowid");
    while (s.Step())
        out.push_back({s.Text(0), s.Text(1), s.Int(2), s.Text(3), s.Text(4), s.Int(5) != 0});
    return out;
}

std::vector<RecordTest> StudyRecord::Tests() const {
    std::vector<RecordTest> out;
    Statement s(Db, std::string(Reads[1]) + " ORDER BY time, rowid");
    while (s.Step())
        out.push_back({s.Int(0), Split(s.Text(1)), Split(s.Text(2)), static_cast<int>(s.Int(3))});
    return out;
}

std::vector<AnswerEvent> StudyRecord::History(std::span<const QueRec> Pool) const {
    const auto now = Current(Pool);
    std::vector<AnswerEvent> out;
    const MappedReads mapped(Db);
    // Written in time order, as a rule: sorted here, which then costs little,
    // rather than by SQLite, which sorts every row.
    Statement s(Db, "SELECT que, fp, time, correct FROM answer ORDER BY rowid");
    while (s.Step()) {
        const auto it = now.find(s.View(0));
        if (it != now.end() && it->second.second == s.View(1))
            out.push_back({it->second.first, s.Int(2), s.Int(3) != 0});
    }
    const auto byTime = [](const AnswerEvent& A, const AnswerEvent& B) {
        return A.TimeMs < B.TimeMs;
    };
    if (!std::is_sorted(out.begin(), out.end(), byTime))
        std::stable_sort(out.begin(), out.end(), byTime);
    return out;
}

std::vector<int16_t> StudyRecord::Marks(std::span<const QueRec> Pool) const {
    const auto now = Current(Pool);
    std::vector<int16_t> out;
    Statement s(Db, std::string(Reads[2]) + " ORDER BY rowid");
    while (s.Step()) {
        const auto it = now.find(s.View(0));
        if (it != now.end() && it->second.second == s.View(1)) out.push_back(it->second.first);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<std::string>
ProgressLines(const StudyRecord& Record, std::span<const QueRec> Pool,
              std::span<const std::string> Groups, std::span<const int16_t> Counts,
              std::int64_t NowMs, const std::function<std::string(const std::string&)>& Topic) {
    std::vector<std::string> lines{"Record: " + Record.File()};
    StudyMemory memory;
    memory.Replay(Pool.size(), Record.History(Pool));
    const Progress p = ProgressAt(memory, Pool, Groups, Counts, NowMs);
    lines.push_back("Answered: " + std::to_string(p.Answered) + " of " +
                    std::to_string(Pool.size()) + " questions");
    lines.push_back("Known: " + std::to_string(p.Known));
    lines.push_back("Due for review: " + std::to_string(p.Due.size()));
    lines.push_back(PassChanceSummary(p));

    const std::vector<RecordTest> tests = Record.Tests();
    const auto passed = std::count_if(tests.begin(), tests.end(),
                                      [](const RecordTest& T) { return T.Score >= PassMark; });
    std::string line =
        "Tests: " + std::to_string(tests.size()) + " taken, " + std::to_string(passed) + " passed";
    if (!tests.empty())
        line += "; last " + std::to_string(tests.back().Score) + " of " +
                std::to_string(tests.back().QueNrs.size()) + " on " +
                LocalDate(tests.back().TimeMs);
    lines.push_back(line);

    for (const SubProgress& sub : p.BySubelement) {
        const std::string topic = Topic(sub.Code);
        lines.push_back(sub.Code + (topic.empty() ? "" : " " + topic) + ": answered " +
                        std::to_string(sub.Answered) + " of " + std::to_string(sub.Total) +
                        ", known " + std::to_string(sub.Known));
    }
    return lines;
}

} // namespace korvell
