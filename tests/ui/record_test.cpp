// The study record through the window: the File menu, the title, what answers, tests and
// marks leave in the record, and a run that starts again on it.
#include "core/explain.h"
#include "record/record.h"
#include "support/run.h"

#include <sqlite3.h>

namespace korvell::testing {

std::string Answers(const std::string& File) {
    std::string s;
    for (const RecordAnswer& a : StudyRecord::Open(File, StudyRecord::Use::Reader)->Answers())
        s += a.QueNr + ":" + a.Mode[0] + (a.Letter.empty() ? "-" : a.Letter) +
             (a.Right ? "+ " : " ");
    return s;
}

std::string Listing(const TempDir& Dir, std::string s = "") {
    for (const auto& e : std::filesystem::directory_iterator(Dir.Path))
        s += e.path().filename().string() + " ";
    return s;
}

TEST(StudyRecord, KeptFromRunToRun) {
    TempDir dir;
    const std::string file = dir / "alice.korvell";
    {
        Session run(1);
        auto& w = run.Win();
        const std::string before = Listing(run.Tmp);
        const char* steps[][2] = {{"chkMark/B/Next/ShowAns/test:30", ""}};
        Walk(run, steps, [](Program&) { return QString(); });
        EXPECT_EQ(Listing(run.Tmp), before); // without a record nothing is written
        EXPECT_EQ(run.Mod.History.size(), 37u);
        run.Mod.AskRecordFile = [&](bool New) { return New ? file : ""; };
        Press("Ctrl+O"); // cancelled
        EXPECT_FALSE(w.pgmCloseRecord->isEnabled());
        Do(run, "pgmNewRecord");
        EXPECT_EQ(w.windowTitle(), "alice.korvell \u2013 Technician Examination Questions");
        EXPECT_TRUE(w.pgmCloseRecord->isEnabled());
        EXPECT_TRUE(run.Mod.History.empty()); // the record's, which has none yet
        const char* more[][2] = {{"frmTestComplete.Review/Next", ""}, // the review takes none
                                 {"All/C/Next/chkMark/ShowAns/test:26/test:0", ""}};
        Walk(run, more, [](Program&) { return QString(); });
        EXPECT_EQ(Answers(file).substr(0, 22), "T1A01:sC T1B01:s- T1A0");
        const auto tests = StudyRecord::Open(file, StudyRecord::Use::Reader)->Tests();
        ASSERT_EQ(tests.size(), 2u);
        EXPECT_EQ(tests[0].Score * 100 + tests[1].Score, 2600);
        EXPECT_EQ(tests[0].QueNrs[34] + tests[0].Picks[0] + tests[0].Picks[34], "T0C01AA");
        Do(run, "pgmCloseRecord");
        EXPECT_EQ(w.windowTitle(), "Technician Examination Questions");
        Do(run, "All");
        Click(w.cmdShowAns); // kept for the run only
        EXPECT_EQ(run.Mod.History.size(), 73u);
    }
    Program again;
    again.Mod.RecordFile = file;
    again.Start();
    EXPECT_EQ(again.Win().windowTitle(), "alice.korvell \u2013 Technician Examination Questions");
    EXPECT_EQ(again.Mod.History.size(), 72u);
    EXPECT_TRUE(again.Win().chkMark->isChecked()); // T1A01, marked before the record was made
    EXPECT_EQ(again.Win().pgmMarked->text(), "&Marked Questions (2)");
    EXPECT_EQ(again.Fake.Said(), "");
}

// A file that cannot be a record is refused with a message, the program goes on without
// one; a write that fails closes the record the same way.
TEST(StudyRecord, RefusedAndFailedRecordsLeaveTheProgramWithout) {
    Program run;
    const std::string text = run.Tmp.Write("notes.korvell", "Notes\n");
    run.Mod.RecordFile = text;
    run.Start();
    auto& w = run.Win();
    const auto refused = [](const std::string& File, const std::string& Why) {
        return "Study Record: " + File + "\n" + Why +
               ".\nKorvell goes on without a study record.\n";
    };
    EXPECT_EQ(run.Fake.Said(), refused(text, "Not a Korvell study record"));
    EXPECT_EQ(w.windowTitle(), "Technician Examination Questions");
    const std::string held = run.Tmp / "held.korvell";
    const auto other = StudyRecord::Open(held, StudyRecord::Use::Window); // another Korvell's
    run.Mod.AskRecordFile = [&](bool) { return held; };
    Press("Ctrl+O");
    EXPECT_EQ(run.Fake.Said(), refused(held, "Open in another Korvell"));
    EXPECT_FALSE(w.pgmCloseRecord->isEnabled());
    const std::string file = run.Tmp / "bob.korvell";
    run.Mod.AskRecordFile = [&](bool) { return file; };
    Do(run, "pgmOpenRecord");
    sqlite3* db = nullptr; // the record damaged under the program
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "DROP TABLE answer", nullptr, nullptr, nullptr), sqlite3_close(db);
    Click(w.cmdA);
    EXPECT_EQ(run.Fake.Said(), refused(file, "A damaged study record (no such table: answer)"));
    EXPECT_EQ(w.txtRightWrong->text() + w.windowTitle(), "Right!Technician Examination Questions");
}

} // namespace korvell::testing
