// Reading aloud: the View menu's reading items and what they read.
#include "core/logic.h"
#include "core/spoken.h"
#include "ui/main/frmshowque.h"
#include "ui/main/reader.h"
#include "ui/modkorvell.h"

#include <QCoreApplication>
#include <QLibrary>
#include <algorithm>

namespace korvell {

namespace {

// The items' tooltips: their keys, or why there is no speech.
void SetTips(frmShowQue& W, const QString& Trouble) {
    const std::pair<QAction*, const char*> tips[] = {
        {W.pgmReadAloud,
         "Reads the question on display, and its answer once out: F5 (again stops)"},
        {W.pgmStopReading, "Stops reading: Escape"},
        {W.pgmReadEach, "Reads every question as it is shown, and the answer after a pick"},
        {W.pgmSlower, "Reads more slowly"},
        {W.pgmFaster, "Reads faster"}};
    for (const auto& [item, tip] : tips)
        item->setToolTip(Trouble.isEmpty() ? QString(tip) : Trouble);
}

} // namespace

Reader::Reader(modKorvell& Mod) : Mod(Mod) {
    MakeVoice = [](std::function<void()> Changed) -> std::unique_ptr<Voice> {
        // The library lies beside the program; it stays loaded once loaded.
        QLibrary library(QCoreApplication::applicationDirPath() + "/" + VoiceLibrary);
        const auto make = reinterpret_cast<MakeVoiceFn>(library.resolve("korvell_voice_new"));
        return std::unique_ptr<Voice>(make ? make(std::move(Changed)) : nullptr);
    };
}

Reader::~Reader() = default;

Voice* Reader::Speaker() {
    if (!std::exchange(Tried, true)) {
        V = MakeVoice([this] { ShowState(); });
        if (V && Rate != 0.0) V->SetRate(Rate);
        ShowState();
    }
    return V.get();
}

void Reader::ReadAloud() {
    Voice* v = Speaker();
    if (!v || !v->Trouble().isEmpty()) return;
    auto& w = *Mod.frmShowQue;
    if (v->Speaking()) {
        v->Stop();
    } else if (!Trim(Mod.CurQue.QueNr).empty()) {
        // What the window shows: the answer once out, with its verdict after
        // a pick and its explanation where one is shown.
        const auto shown = [&w](QWidget* Box) { return Box->isVisibleTo(&w); };
        const std::string verdict =
            shown(w.txtRightWrong) ? w.txtRightWrong->text().toStdString() : "";
        const ExplainRec* explain = shown(w.txtExplain) ? Mod.FindExplain(Mod.CurQue) : nullptr;
        v->Say(Q(ReadAloudText(Mod.CurQue, shown(w.txtAnswer), verdict, explain)));
    }
    ShowState();
}

void Reader::Stop() {
    if (V) V->Stop();
    ShowState();
}

void Reader::SetReadEach(bool On) {
    ReadEach = On;
    if (On) Speaker();
    ShowState();
}

void Reader::Told(const std::string& News) {
    if (!ReadEach) return;
    if (Voice* v = Speaker()) v->Say(Q(SpeechWords(News)));
    ShowState();
}

void Reader::SetRate(double R) {
    Rate = std::clamp(R, -1.0, 1.0);
    if (V) V->SetRate(Rate);
    ShowState();
}

void Reader::Slower() {
    SetRate(Rate - RateStep);
}

void Reader::Faster() {
    SetRate(Rate + RateStep);
}

void Reader::ShowState() {
    auto& w = *Mod.frmShowQue;
    const QString trouble = !Tried ? QString()
                            : V    ? V->Trouble()
                                   : QString("Speech cannot be loaded: the program's library %1 "
                                                "is missing or broken.")
                                      .arg(VoiceLibrary);
    const bool works = trouble.isEmpty();
    if (!works) ReadEach = false;
    w.pgmReadAloud->setEnabled(works);
    w.pgmReadEach->setEnabled(works);
    w.pgmReadEach->setChecked(ReadEach);
    w.pgmStopReading->setEnabled(works && V && V->Speaking());
    w.pgmSlower->setEnabled(works && Rate > -1.0);
    w.pgmFaster->setEnabled(works && Rate < 1.0);
    SetTips(w, trouble);
}

void frmShowQue::AddReadAloud() {
    mnuView->addSeparator();
    mnuView->setToolTipsVisible(true);
    const auto item = [this](QAction*& Item, const char* Name, const char* Caption,
                             void (Reader::*Handler)()) {
        Item = mnuView->addAction(Caption);
        Item->setObjectName(Name);
        connect(Item, &QAction::triggered, this,
                [this, Handler] { Mod.Handle([this, Handler] { ((*Mod.Reader).*Handler)(); }); });
    };
    item(pgmReadAloud, "pgmReadAloud", "Read Aloud", &Reader::ReadAloud);
    pgmReadAloud->setShortcut(Qt::Key_F5);
    item(pgmStopReading, "pgmStopReading", "Stop Reading", &Reader::Stop);
    pgmStopReading->setShortcut(Qt::Key_Escape);
    pgmStopReading->setEnabled(false);
    pgmReadEach = mnuView->addAction("Read Each Question");
    pgmReadEach->setObjectName("pgmReadEach");
    pgmReadEach->setCheckable(true);
    connect(pgmReadEach, &QAction::triggered, this,
            [this](bool On) { Mod.Handle([this, On] { Mod.Reader->SetReadEach(On); }); });
    item(pgmSlower, "pgmSlower", "Slower", &Reader::Slower);
    item(pgmFaster, "pgmFaster", "Faster", &Reader::Faster);
    SetTips(*this, {});
}

} // namespace korvell
