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

// The Study menu's two items as it opens: caption, and '-' when disabled.
QString Menu(Program& Run) {
    Run.Win().mnuStudy->popup({});
    Run.Win().mnuStudy->hide();
    QString s;
    for (QAction* a : {Run.Win().pgmDue, Run.Win().pgmNever})
        s += PlainCaption(a->text()) + (a->isEnabled() ? " | " : "- | ");
    return s;
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

// The window as it shows (and tells) the same figures; "(cut)" where a text does not fit; laid out.
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
    const auto* scroll = f.findChild<QScrollArea*>("Scroll"); // what scrolls, where too large
    ExpectLaidOut(scroll ? scroll->widget() : &f);
    return s + (whole ? "" : " (cut)");
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

// A new user with a fresh record, at 100 % and 200 % text with the bundled syllabus: T1-T6 and T0
// right make the window and --progress's lines say 94 %, the misses are due at once (Review Due,
// its count in the menu following every answer); a week on the right ones are due too and the
// chance has fallen. A test's result says the chance after it and joins the tests; without the
// record the window counts the run's and says nothing is kept.
TEST(Progress, FreshRecordThenWithout) {
    for (const int pct : {100, 200}) {
        TempDir dir;
        const std::string file = dir / "alice.korvell";
        Program run(Questions(2), 2);
        std::filesystem::copy_file(KORVELL_SHIPPED_DATA "/Tech_Syllabus.txt",
                                   run.Tmp / "Tech_Syllabus.txt"); // its titles as shipped
        run.Start();
        run.Mod.SetTextSize(pct);
        auto& w = run.Win();
        run.Mod.AskRecordFile = [&](bool) { return file; };
        Do(run, "pgmNewRecord");
        EXPECT_EQ(Menu(run), "Review Due- | Never Answered (70) | ");
        std::vector<AnswerEvent> history;
        AnswerList(run, history,
                   [](const std::string& Code) { return Code < "T7" || Code == "T0"; });
        Do(run, "All");
        AnswerList(
            run, history, [](const std::string& Code) { return Code == "T8"; }, false);
        Do(run, "pgmNever"); // Show Answer before a pick counts as a miss
        Do(run, "ShowAns");
        history.push_back({run.Mod.QueIdx, run.Fake.Now, false});
        EXPECT_EQ(Menu(run), "Review Due (9) | Never Answered (11) | ");
        const auto lines = [&] {
            const auto r = StudyRecord::Open(file, StudyRecord::Use::Reader);
            const auto groups = run.Mod.ExamGroups();
            const auto all = ProgressLines(*r, run.Mod.Pool(), groups,
                                           std::span(run.Mod.SecCnt).first(groups.size()),
                                           run.Fake.Now, [](const std::string&) { return ""; });
            return Q(all[2] + " | " + all[3] + " | " + all[4]);
        };
        Do(run, "pgmProgress");
        auto& f = *run.Mod.frmProgress;
        EXPECT_EQ(lines(), "Known: 50 | Due for review: 9 | Chance to pass now: 94 % (expected "
                           "score 27.5 of 35)");
        EXPECT_EQ(Shown(run), Expected(run, history)) << pct;
        EXPECT_EQ(f.grdSubelements->item(4, 0)->text(), "T5 Electrical principles");
        QApplication::setActiveWindow(&w);
        Do(run, "pgmDue");
        EXPECT_EQ(Rows(w.lstTestQue).replaceInStrings(" ", "").join(' '),
                  "T7A01 T8A01 T8A02 T8B01 T8B02 T8C01 T8C02 T8D01 T8D02");
        run.Fake.Now += 7 * Day;
        EXPECT_EQ(lines().section(" | ", 0, 1), "Known: 0 | Due for review: 59");
        EXPECT_EQ(Menu(run), "Review Due (59) | Never Answered (11) | ");
        QApplication::setActiveWindow(&f); // the figures of the moment it comes to the front
        EXPECT_EQ(Shown(run), Expected(run, history)) << pct;
        EXPECT_NE(f.lblChance->text(), "Chance to pass now: 94 %");
        const QString date = QDateTime::fromMSecsSinceEpoch(run.Fake.Now).toString("yyyy-MM-dd");
        for (const bool open : {true, false}) {
            if (!open) Do(run, "pgmCloseRecord");
            QApplication::setActiveWindow(&w);
            AnswerTest(w, [](int q) { return q < 27; });
            auto& t = *run.Mod.frmTestComplete;
            EXPECT_EQ(t.txtChance->isVisible() ? t.txtChance->text() : "-",
                      open ? Q(PassChanceLine(run.Mod.ProgressNow())) : "-");
            EXPECT_EQ(f.lblNothingKept->isVisible(), !open);
            EXPECT_EQ(f.grdTests->item(0, 0)->text() + " " + f.grdTests->item(0, 1)->text() + " " +
                          f.grdTests->item(0, 2)->text() + " | " +
                          f.picScores->accessibleDescription(),
                      date + " 27 of 35 Passed | Pass line at 26 of 35. Scores: 27 on " + date +
                          (open ? "." : ", 27 on " + date + "."));
        }
        Click(f.cmdReviewDue); // what is due now, in the main window
        EXPECT_EQ(w.lblMode->text() + QString::number(w.lstTestQue->count()) +
                      QString::number(w.isActiveWindow()),
                  "Review Due" + f.lblDue->text().section(": ", 1) + "1");
    }
}

} // namespace korvell::testing
