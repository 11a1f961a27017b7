// The study model in the windows: the study lists of what is due and what was never answered,
// and the window "Progress" against the model's own figures.
#include "core/memory.h"
#include "record/record.h"
#include "support/run.h"
#include "ui/study/frmprogress.h"

#include <QDateTime>
#include <QMenu>
#include <QScrollArea>
#include <filesystem>

namespace korvell::testing {

constexpr std::int64_t Day = 86400000;

// The Study menu's two items (caption, '-' when disabled) and the list shown.
QString Lists(Program& Run) {
    auto& w = Run.Win();
    Press("Alt+Y"); // the menu's counts as it opens
    Press("Escape");
    QString s;
    for (QAction* a : {w.pgmDue, w.pgmNever})
        s += PlainCaption(a->text()) + (a->isEnabled() ? "" : "-") + " | ";
    QStringList ids = Rows(w.lstTestQue).replaceInStrings(" ", "");
    if (ids.size() > 4) ids = {QString::number(ids.size()), ids.first(), ids.last()};
    return s + w.lblMode->text() + ": " + ids.join(' ');
}

// Misses (a wrong pick, Show Answer) are due at once, first; a right answer when its memory has
// faded (a week on); neither list changes while it is studied, the menu's counts follow.
TEST(StudyLists, ReviewDueAndNeverAnsweredFollowEveryAnswer) {
    Program run(Questions(2), 2); // answers cycle A, B, C, D
    run.Start();
    const char* steps[][2] = {
        {"", "Review Due- | Never Answered (70) | Pick Any Technician Question from Pool: 70 "
             "T1A01 T0C02"},
        {"A/Next/A/Next/ShowAns", "Review Due (2) | Never Answered (67) | Pick Any Technician "
                                  "Question from Pool: 70 T1A01 T0C02"},
        {"pgmDue", "Review Due (2) | Never Answered (67) | Review Due: T1A02 T1B01"},
        {"B", "Review Due (1) | Never Answered (67) | Review Due: T1A02 T1B01"},
        {"week/pgmDue", "Review Due (3) | Never Answered (67) | Review Due: T1B01 T1A02 T1A01"},
        {"pgmNever/C", "Review Due (4) | Never Answered (66) | Never Answered: 67 T1B02 T0C02"},
    };
    for (const auto& [step, seen] : steps) {
        for (const QString& s : QString(step).split('/', Qt::SkipEmptyParts))
            s == "week" ? void(run.Fake.Now += 7 * Day) : Do(run, s);
        EXPECT_EQ(Lists(run), QString(seen)) << step;
    }
}

// The window's figures as the model computes them from the same answers at the same moment.
QString Expected(Program& Run, const std::vector<AnswerEvent>& History) {
    StudyMemory m;
    m.Replay(Run.Mod.Pool().size(), History);
    const auto groups = Run.Mod.ExamGroups();
    const Progress p = ProgressAt(m, Run.Mod.Pool(), groups,
                                  std::span(Run.Mod.SecCnt).first(groups.size()), Run.Fake.Now);
    QString s = Q(PassChanceLine(p)) + " | " + Q(ExpectedScoreLine(p)) +
                " | Due for review: " + QString::number(p.Due.size());
    for (std::size_t i = 0; i < p.BySubelement.size(); ++i) {
        const SubProgress& r = p.BySubelement[i]; // the bar's counts as its cell tells them
        s += QString::asprintf(" | %s%s %d of %d %d %d/%d", int(i) == p.Weakest ? "W" : "",
                               r.Code.c_str(), r.Answered, r.Total, r.Known, r.Known,
                               r.Answered - r.Known);
    }
    return s;
}

// The window as it shows (and tells) the same figures; "(cut)" where a text does not fit.
QString Shown(Program& Run) {
    auto& f = *Run.Mod.frmProgress;
    QApplication::processEvents();
    QString s = f.lblChance->text() + " | " + f.lblExpected->text() + " | " + f.lblDue->text();
    bool whole = true;
    for (QLabel* l : {f.lblChance, f.lblExpected, f.lblDue, f.lblNothingKept})
        whole = whole && l->width() >= l->sizeHint().width() * !l->wordWrap();
    QTableWidget* t = f.grdSubelements;
    for (int i = 0; i < t->rowCount(); ++i) {
        for (int c = 0; c < 3; ++c)
            whole =
                whole &&
                t->columnWidth(c) >
                    QFontMetrics(t->item(i, c)->font()).horizontalAdvance(t->item(i, c)->text());
        const QString told = t->item(i, 3)->data(Qt::AccessibleTextRole).toString();
        s += " | " + t->verticalHeaderItem(i)->text().left(1) + t->item(i, 0)->text().left(2) +
             " " + t->item(i, 1)->text() + " " + t->item(i, 2)->text() + " " +
             told.section(' ', 0, 0) + "/" + told.section(", ", 1).section(' ', 0, 0);
    }
    whole = whole && t->columnWidth(3) >= 16 * t->fontMetrics().averageCharWidth() &&
            t->viewport()->rect().contains(t->visualItemRect(t->item(t->rowCount() - 1, 3)));
    return s + (whole ? "" : " (cut)");
}

// What a window lays out: its contents, in the area that scrolls them where they are larger.
QWidget* Contents(QWidget* Window) {
    const auto* scroll = Window->findChild<QScrollArea*>("Scroll");
    return scroll ? scroll->widget() : Window;
}

// Answers every question of the list on display that Pick chooses, rightly where Right says,
// and adds the answers to History.
void AnswerList(Program& Run, std::vector<AnswerEvent>& History,
                const std::function<bool(const std::string&)>& Pick, bool Right = true) {
    auto& w = Run.Win();
    for (int n = w.lstTestQue->count(); n > 0; --n) {
        const QueRec& q = Run.Mod.QuePool[Run.Mod.QueIdx];
        if (Pick(q.QueNr.substr(0, 2))) {
            const std::string letter = Right ? q.Answer : q.Answer == "A" ? "B" : "A";
            Click(w.findChild<QPushButton*>(Q("cmd" + letter)));
            History.push_back({Run.Mod.QueIdx, Run.Fake.Now, Right});
        }
        Click(w.cmdNext);
    }
}

// T1-T6 and T0 answered right: 94 %, nothing due; the wrong ones due at once; a week on, the
// right ones due too and the chance fallen. On a small pool and the bundled one, at 100 % and
// 200 % text; then a test in the table, the chart's words and Review Due from the window.
TEST(Progress, WindowFiguresAreTheModels) {
    for (const int pct : {100, 200}) {
        Program run(Questions(2), 2);
        run.Write("Tech_Syllabus.txt", "T5 ELECTRICAL PRINCIPLES\n");
        run.Start();
        run.Mod.SetTextSize(pct);
        const auto seven = [](const std::string& Code) { return Code < "T7" || Code == "T0"; };
        std::vector<AnswerEvent> history;
        AnswerList(run, history, seven);
        Press("Ctrl+G");
        auto& f = *run.Mod.frmProgress;
        EXPECT_TRUE(f.isVisible() && f.lblNothingKept->isVisible());
        EXPECT_EQ(Shown(run).section(" | ", 0, 2),
                  "Chance to pass now: 94 % | Expected score: 27.5 of 35 "
                  "(26 needed) | Due for review: 0");
        EXPECT_EQ(Shown(run), Expected(run, history)) << pct;
        EXPECT_EQ(f.grdSubelements->item(4, 0)->text(), "T5 Electrical principles");
        QApplication::setActiveWindow(&run.Win());
        Do(run, "All");
        AnswerList(
            run, history, [](const std::string& Code) { return Code == "T8"; }, false);
        EXPECT_EQ(Shown(run), Expected(run, history)) << pct;
        run.Fake.Now += 7 * Day;
        QApplication::setActiveWindow(&f); // the figures of the moment it comes to the front
        EXPECT_EQ(Shown(run), Expected(run, history)) << pct;
        EXPECT_EQ(f.lblDue->text(), "Due for review: 58");
        EXPECT_NE(f.lblChance->text(), "Chance to pass now: 94 %");
        ExpectLaidOut(Contents(&f), QString::number(pct));
        // A finished test: its row, the chart's words; Review Due studies what is due.
        QApplication::setActiveWindow(&run.Win());
        AnswerTest(run.Win(), [](int q) { return q < 27; });
        const QString date = QDateTime::fromMSecsSinceEpoch(run.Fake.Now).toString("yyyy-MM-dd");
        EXPECT_EQ(f.grdTests->item(0, 0)->text() + " " + f.grdTests->item(0, 1)->text() + " " +
                      f.grdTests->item(0, 2)->text() + " | " + f.picScores->accessibleDescription(),
                  date + " 27 of 35 Passed | Pass line at 26 of 35. Scores: 27 on " + date + ".");
        Click(f.cmdReviewDue);
        EXPECT_EQ(run.Win().lblMode->text() + QString::number(run.Win().lstTestQue->count()) +
                      QString::number(run.Win().isActiveWindow()),
                  "Review Due" + f.lblDue->text().section(": ", 1) + "1");
    }
    Program shipped;
    for (const char* f : {"Tech_Pool.txt", "SecCntTbl.txt", "Tech_Syllabus.txt"})
        std::filesystem::copy_file(KORVELL_SHIPPED_DATA "/" + std::string(f), shipped.Tmp / f,
                                   std::filesystem::copy_options::overwrite_existing);
    shipped.Start();
    std::vector<AnswerEvent> history;
    for (const int pct : {100, 200}) {
        shipped.Mod.SetTextSize(pct);
        QApplication::setActiveWindow(&shipped.Win());
        Do(shipped, "pgmSubT5");
        AnswerList(shipped, history, [](auto&) { return true; });
        Press("Ctrl+G");
        EXPECT_EQ(Shown(shipped), Expected(shipped, history)) << pct;
        EXPECT_EQ(shipped.Mod.frmProgress->grdSubelements->item(4, 1)->text(), "50 of 50");
        ExpectLaidOut(Contents(shipped.Mod.frmProgress.get()), QString::number(pct));
        shipped.Mod.frmProgress->close();
        shipped.Fake.Now += 30 * Day; // the next round starts from the faded memory
    }
}

// A new user with a fresh record: T1-T6 and T0 right make the window and --progress's lines
// say 94 %, the wrong ones are due at once; a week on the right ones are due too and the chance
// has fallen; the result of a test says the chance after it; without the record, as before.
TEST(Progress, WithAFreshStudyRecord) {
    TempDir dir;
    const std::string file = dir / "alice.korvell";
    Session run(1);
    auto& w = run.Win();
    run.Mod.AskRecordFile = [&](bool) { return file; };
    Do(run, "pgmNewRecord");
    std::vector<AnswerEvent> history;
    AnswerList(run, history, [](const std::string& Code) { return Code < "T7" || Code == "T0"; });
    Do(run, "All");
    AnswerList(
        run, history, [](const std::string& Code) { return Code == "T8"; }, false);
    const auto lines = [&] {
        const auto r = StudyRecord::Open(file, StudyRecord::Use::Reader);
        const auto groups = run.Mod.ExamGroups();
        const auto all = ProgressLines(*r, run.Mod.Pool(), groups,
                                       std::span(run.Mod.SecCnt).first(groups.size()), run.Fake.Now,
                                       [](const std::string&) { return ""; });
        return Q(all[2] + " | " + all[3] + " | " + all[4]);
    };
    Press("Ctrl+G");
    auto& f = *run.Mod.frmProgress;
    EXPECT_EQ(lines(), "Known: 25 | Due for review: 4 | Chance to pass now: 94 % (expected score "
                       "27.5 of 35)");
    EXPECT_EQ(Shown(run), Expected(run, history));
    EXPECT_FALSE(f.lblNothingKept->isVisible());
    QApplication::setActiveWindow(&w);
    Do(run, "pgmDue");
    EXPECT_EQ(Rows(w.lstTestQue).replaceInStrings(" ", "").join(' '), "T8A01 T8B01 T8C01 T8D01");
    run.Fake.Now += 7 * Day;
    EXPECT_EQ(lines().section(" | ", 0, 1), "Known: 0 | Due for review: 29");
    QApplication::setActiveWindow(&f);
    EXPECT_EQ(Shown(run), Expected(run, history));
    EXPECT_NE(f.lblChance->text(), "Chance to pass now: 94 %");
    for (const bool open : {true, false}) { // the result's line, with the record and without
        if (!open) Do(run, "pgmCloseRecord");
        QApplication::setActiveWindow(&w);
        AnswerTest(w, [](int q) { return q < 30; });
        auto& t = *run.Mod.frmTestComplete;
        EXPECT_EQ(t.txtChance->isVisible() ? t.txtChance->text() : "-",
                  open ? Q(PassChanceLine(run.Mod.ProgressNow())) : "-");
        EXPECT_EQ(f.lblNothingKept->isVisible(), !open);
    }
}

} // namespace korvell::testing
