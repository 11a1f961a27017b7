// Answering: marks, verdict, score panel, and the guards against a second answer or none.
#include "support/drive.h"

using namespace korvell::testing;

TEST(Answer, MarksVerdictScoreAndGuards) {
    Session run(2);
    auto& w = run.Win();
    Click(w.cmdShowAns); // T1A01, right: A
    EXPECT_EQ(Marks(w) + Flags({w.txtAnswer, w.txtRightWrong}) + Flags({w.cmdA, w.cmdD}, true),
              "Ywww1000");
    Click(w.cmdNext); // T1A02, right: B
    Answer(w, false); // marked, the list row stays as it is
    EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + w.lstTestQue->item(1)->text().trimmed(),
              "RYwwWrong!T1A02");
    EXPECT_TRUE(w.txtQueAns->isHidden() && run.Mod.NrQueAns == 0);

    Click(w.cmdNewTest); // T1A01 (right: A), then T1B01 (right: C)
    const std::tuple<bool, const char*, QColor, const char*, const char*> steps[] = {
        {true, "YwwwRight!11", Green, "1|1|100.00%", "  Correct"},
        {false, "RwYwWrong!11", Red, "2|1|50.00%", "  Wrong"}};
    for (const auto& [right, marks, colour, panel, suffix] : steps) {
        if (!right) Click(w.cmdNext);
        const QString row = w.lstTestQue->item(run.Mod.ListPos)->text();
        Answer(w, right);
        EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Flags({w.txtRightWrong, w.txtAnswer}),
                  marks);
        EXPECT_EQ(BackColor(w.txtRightWrong), colour);
        EXPECT_EQ(Flags({w.cmdA, w.cmdB, w.cmdC, w.cmdD, w.cmdNext}, true), "00001");
        EXPECT_EQ(w.focusWidget(), w.cmdNext);
        EXPECT_EQ(Panel(w) + w.lstTestQue->item(run.Mod.ListPos)->text(), panel + row + suffix);
    }
    for (const QString panel :
         {"3|1|33.33%", "3|2|66.67%", "32|3|9.38%", "1|0|0.00%", "1|1|100.00%"}) {
        AnswerTest(w, panel.section('|', 1, 1).toInt(), panel.section('|', 0, 0).toInt());
        EXPECT_EQ(Panel(w), panel);
    }

    Click(w.cmdNewTest);
    Answer(w, true);
    for (const char* pick : {"A", "B", " "}) {
        run.Mod.AnsPicked = pick;
        run.Mod.Handle([&] { run.Mod.AnswerQuestion(); });
        EXPECT_EQ(Said(run.Fake), "Can't cheat: You already answered this Question!\n");
    }
    EXPECT_EQ(Panel(w) + w.lstTestQue->item(0)->text().right(9), "1|1|100.00%  Correct");
    Click(w.cmdNext);
    run.Mod.QueIdx = -1; // no question on display: reported, judged wrong and counted
    Click(w.cmdC);
    EXPECT_EQ(Said(run.Fake), "Error: No Question Selected\n");
    EXPECT_EQ(Marks(w) + w.txtRightWrong->text() + Panel(w) +
                  w.lstTestQue->item(1)->text().right(7),
              "wwRwWrong!2|1|50.00%  Wrong");
    Click(w.cmdNext);
    run.Mod.NrQueAns = run.Mod.NrRight = 32767;
    Answer(w, true);
    EXPECT_EQ(Panel(w), "32767|32767|100.00%");
}
