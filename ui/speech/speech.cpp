// The voice's library: Qt's speech engines behind the program's Voice. The
// engine starts, reads and stops on a thread of its own, since starting one
// may wait on the desktop's speech service; what it reports comes back to the
// program's thread, and nothing there ever waits on it but the voice's end.
#include "ui/speech/voice.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QStringList>
#include <QTextToSpeech>
#include <QThread>
#include <memory>
#include <utility>

namespace {

// What the program's thread knows of the voice; read and written there only.
struct Link {
    korvell::Voice* Owner = nullptr; // null once the voice is gone
    std::function<void()> Changed;
    bool Speaking = false;
    QString Trouble;
    unsigned Said = 0; // the number of the last text read or stopped
};

// Tells the program's thread what the engine did with the text numbered Nr:
// reads it (or not), or fails for good with Trouble.
void Report(const std::shared_ptr<Link>& L, unsigned Nr, bool Speaking, const QString& Trouble) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [L, Nr, Speaking, Trouble] {
            if (!L->Owner) return;
            if (!Trouble.isEmpty()) {
                L->Trouble = Trouble;
                L->Speaking = false;
            } else if (Nr == L->Said) {
                L->Speaking = Speaking;
            }
            L->Changed();
        },
        Qt::QueuedConnection);
}

// The texts are English: the desktop's language where that is English, else
// an English voice of the United States, else any English one. An engine
// left to the "C" locale of a desktop without one picks any voice at all.
void SpeakEnglish(QTextToSpeech& Tts) {
    const QLocale system = QLocale::system();
    const QList<QLocale> locales = Tts.availableLocales();
    if (system.language() == QLocale::English && locales.contains(system))
        return Tts.setLocale(system);
    for (const bool anyTerritory : {false, true})
        for (const QLocale& l : locales)
            if (l.language() == QLocale::English &&
                (anyTerritory || l.territory() == QLocale::UnitedStates))
                return Tts.setLocale(l);
}

// The engine's side, on the voice's thread.
class Engine : public QObject {
public:
    explicit Engine(std::shared_ptr<Link> L) : L(std::move(L)) {}

    // The desktop's speech service first, then the engine that needs none.
    void Start() {
        const QStringList installed = QTextToSpeech::availableEngines();
        QStringList order;
        for (const char* name : {"speechd", "flite"})
            if (installed.contains(name)) order << name;
        for (const QString& name : installed)
            if (!order.contains(name)) order << name;
        QStringList failed;
        for (const QString& name : order) {
            auto tts = std::make_unique<QTextToSpeech>(name);
            if (tts->state() == QTextToSpeech::Error) {
                failed << name + ": " + tts->errorString();
                continue;
            }
            Tts = tts.release();
            Tts->setParent(this);
            Tts->setRate(Rate);
            SpeakEnglish(*Tts);
            connect(Tts, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State S) {
                if (S == QTextToSpeech::Error)
                    Report(L, Current, false, "Speech failed: " + Tts->errorString());
                else
                    Report(L, Current, S == QTextToSpeech::Speaking, {});
            });
            return;
        }
        Report(L, Current, false,
               installed.isEmpty()
                   ? QString("No speech engine is installed (qt6-speech-speechd-plugin or "
                             "qt6-speech-flite-plugin).")
                   : "No speech engine works (" + failed.join("; ") + ").");
    }

    void Say(unsigned Nr, const QString& Text) {
        Current = Nr;
        if (!Tts) return;
        Tts->stop(QTextToSpeech::BoundaryHint::Immediate);
        Tts->say(Text);
    }

    void Stop(unsigned Nr) {
        Current = Nr;
        if (Tts) Tts->stop(QTextToSpeech::BoundaryHint::Immediate);
        Report(L, Nr, false, {});
    }

    void SetRate(double R) {
        Rate = R;
        if (Tts) Tts->setRate(R);
    }

private:
    std::shared_ptr<Link> L;
    QTextToSpeech* Tts = nullptr;
    unsigned Current = 0;
    double Rate = 0.0;
};

class QtVoice final : public korvell::Voice {
public:
    explicit QtVoice(std::function<void()> Changed)
        : L(std::make_shared<Link>()), Thread(new QThread), Worker(new Engine(L)) {
        L->Owner = this;
        L->Changed = std::move(Changed);
        Thread->setObjectName("korvell-speech");
        Worker->moveToThread(Thread);
        Thread->start();
        QMetaObject::invokeMethod(Worker, [w = Worker] { w->Start(); });
    }

    ~QtVoice() override {
        L->Owner = nullptr;
        Worker->deleteLater(); // with its engine, on its own thread as it ends
        Thread->quit();
        // An engine that hangs keeps its thread to the end of the program
        // rather than hold up the window.
        if (Thread->wait(QDeadlineTimer(2000))) delete Thread;
    }

    void Say(const QString& Text) override {
        if (!L->Trouble.isEmpty()) return;
        const unsigned nr = ++L->Said;
        L->Speaking = true;
        QMetaObject::invokeMethod(Worker, [w = Worker, nr, Text] { w->Say(nr, Text); });
    }

    void Stop() override {
        const unsigned nr = ++L->Said;
        L->Speaking = false;
        QMetaObject::invokeMethod(Worker, [w = Worker, nr] { w->Stop(nr); });
    }

    void SetRate(double Rate) override {
        QMetaObject::invokeMethod(Worker, [w = Worker, Rate] { w->SetRate(Rate); });
    }

    bool Speaking() const override { return L->Speaking; }
    QString Trouble() const override { return L->Trouble; }

private:
    std::shared_ptr<Link> L;
    QThread* Thread;
    Engine* Worker;
};

} // namespace

extern "C" Q_DECL_EXPORT korvell::Voice* korvell_voice_new(std::function<void()> Changed) {
    return new QtVoice(std::move(Changed));
}
