// Reading aloud: what the voice is sent in each mode and when, and the menu without a voice.
#include "support/run.h"
#include "ui/main/reader.h"

#include <QElapsedTimer>

namespace korvell::testing {

// A voice that notes what it is sent ("stop" for a stop) and reads until stopped or Done.
struct FakeVoice : Voice {
    QStringList Sent;
    bool Talking = false;
    QString Why;
    std::function<void()> Changed;
    void Say(const QString& Text) override { Sent << Text, Talking = true; }
    void Stop() override { Sent << "stop", Talking = false; }
    void SetRate(double Rate) override { Sent << "rate " + QString::number(Rate); }
    bool Speaking() const override { return Talking; }
    QString Trouble() const override { return Why; }
    void Done() { Talking = false, Changed(); }
};

// The fake the program makes its voice from, once it first needs one.
FakeVoice* FakeVoiceFor(Program& Run, const QString& Why = {}) {
    auto* fake = new FakeVoice;
    fake->Why = Why;
    Run.Mod.Reader->MakeVoice = [fake](std::function<void()> Changed) {
        fake->Changed = std::move(Changed);
        return std::unique_ptr<Voice>(fake);
    };
    return fake;
}

// Per item '1' if it is enabled, '0' if not.
QString On(std::initializer_list<QAction*> Items, QString s = "") {
    for (QAction* item : Items)
        s += item->isEnabled() ? '1' : '0';
    return s;
}

// F5 in the four modes, before and after the answer; F5 again and Escape stop; Read Each
// Question across Next, picks, a list pick and a mode's start; the speed within its range.
TEST(ReadAloud, WhatIsReadInEachModeAndWhen) {
    std::vector<Que> qs = Questions(1);
    qs[1].Fig = "T1";
    for (std::size_t i = 0; i < qs.size(); ++i)
        qs[i].Pg = i < 2 ? "1-2" : "3-4";
    Program run(qs);
    run.Write("Tech_Explain.txt", "T1A01 (A) [97.1]\nWhy\nT1A01.\n~~\n");
    run.Start();
    auto& w = run.Win();
    FakeVoice* fake = FakeVoiceFor(run);
    EXPECT_EQ(On({w.pgmReadAloud, w.pgmStopReading, w.pgmReadEach}), "101");
    run.Mod.QuePool[2].Question = "Which is 10^-6 \u03a9?"; // shown from the next display on
    const char* why = " Right! The answer is A: T1A01 choice A. Rule reference: 97.1. Why T1A01.";
    const QString symbols = "Question T1C01. Which is ten to the minus six ohms? A: T1C01 choice "
                            "A. B: T1C01 choice B. C: T1C01 choice C. D: T1C01 choice D.";
    const QString steps[][2] = {
        {"key:F5", "Q(T1A01)"},
        {"key:F5", "stop"},
        {"A/pgmReadAloud", QString("Q(T1A01)") + why},
        {"key:Escape/key:F5/done/Next/key:F5", "stop | Q(T1A01)" + QString(why) +
                                                   " | Q(T1B01) "
                                                   "Figure T-1."},
        {"done/ShowAns/key:F5", "Q(T1B01) Figure T-1. The answer is B: T1B01 choice B."},
        {"done/row:2/key:F5", symbols},
        {"done/cboCh=3/Study/key:F5", symbols},
        {"done/A/key:F5", symbols + " Wrong! The answer is C: T1C01 choice C."},
        {"done/NewTest/A/key:F5", "Q(T1A01) Right! The answer is A: T1A01 choice A."},
        {"done/test:0/frmTestComplete.Review/win:frmShowQue/key:F5",
         QString("Q(T1A01) Wrong!") + QString(why).mid(7)},
        // Read Each Question: as shown, and cut off by the next.
        {"done/pgmReadEach", ""},
        {"Next", "Q(T1B01) Figure T-1. Wrong! The answer is B: T1B01 choice B."},
        {"All/Next/B/row:0", "Q(T1A01) | Q(T1B01) Figure T-1. | Right! The answer is B: T1B01 "
                             "choice B. | Q(T1A01)"},
        {"key:F5/key:F5/pgmReadEach/Next", "stop | Q(T1A01)"},
        {"pgmSlower/pgmSlower/pgmFaster", "rate -0.25 | rate -0.5 | rate -0.25"}};
    for (const auto& [step, seen] : steps) {
        for (const QString& s : step.split('/', Qt::SkipEmptyParts))
            s == "done" ? fake->Done() : Do(run, s);
        EXPECT_EQ(Abridged(fake->Sent.join(" | ")), seen) << step.toStdString();
        fake->Sent.clear();
        EXPECT_EQ(w.pgmStopReading->isEnabled(), fake->Talking) << step.toStdString();
    }
    for (int i = 0; i < 10; ++i)
        Do(run, "pgmFaster");
    EXPECT_EQ(fake->Sent.last() + On({w.pgmSlower, w.pgmFaster}), "rate 110");
    EXPECT_EQ(run.Fake.Said(), "");
}

// Without a voice the items are off, their tooltips say why, the window works as before:
// the voice's own trouble, a library that is not there, and the real library with no engine.
TEST(ReadAloud, WithoutAVoiceItemsOffAndNothingWaits) {
    const QString noEngine = "No speech engine is installed (qt6-speech-speechd-plugin or "
                             "qt6-speech-flite-plugin).";
    for (int kind = 0; kind < 3; ++kind) {
        Session run(1);
        auto& w = run.Win();
        FakeVoice* fake = kind == 0 ? FakeVoiceFor(run, "No voice here.") : nullptr;
        if (kind == 1) run.Mod.Reader->MakeVoice = [](auto) { return nullptr; };
        const QStringList paths = QCoreApplication::libraryPaths();
        const TempDir empty;
        if (kind == 2) QCoreApplication::setLibraryPaths({Q(empty.Path.string())});
        QElapsedTimer clock;
        clock.start();
        Do(run, "pgmReadEach");
        Do(run, "key:F5");
        EXPECT_LT(clock.elapsed(), 1500) << kind;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !w.pgmReadAloud->isEnabled(); }, 10000)) << kind;
        QCoreApplication::setLibraryPaths(paths);
        const QString tip = kind == 0   ? "No voice here."
                            : kind == 1 ? "Speech cannot be loaded: the program's library "
                                          "modules/korvell-speech is missing or broken."
                                        : noEngine;
        for (QAction* item : {w.pgmReadAloud, w.pgmStopReading, w.pgmReadEach, w.pgmSlower})
            EXPECT_EQ(item->toolTip() + (item->isEnabled() || item->isChecked() ? "!" : ""), tip);
        Do(run, "Next");
        EXPECT_EQ(State(run), "P T1B01 wwww - - 11111011 - 1 cmdShowAns") << kind;
        EXPECT_TRUE(!fake || fake->Sent.isEmpty());
    }
}

} // namespace korvell::testing
