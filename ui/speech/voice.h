// A voice that reads texts aloud: what the program needs of a speech engine.
// The desktop's engine sits behind it in a library of its own, loaded when the
// program first reads (QLibrary):
//   korvell::Voice* korvell_voice_new(std::function<void()> Changed)
// makes a voice whose engine starts on a thread of its own; Changed is then
// called on the calling thread whenever Speaking() or Trouble() may differ.
#pragma once

#include <QString>
#include <functional>

namespace korvell {

class Voice {
public:
    virtual ~Voice() = default;
    // Reads Text, cutting off whatever was being read.
    virtual void Say(const QString& Text) = 0;
    // Stops reading at once.
    virtual void Stop() = 0;
    // The speed, from -1 (the slowest the engine allows) through 0 (its
    // normal speed) to 1 (the fastest).
    virtual void SetRate(double Rate) = 0;
    // Whether it reads: true from Say until the engine is done or stopped.
    virtual bool Speaking() const = 0;
    // Why it cannot read; empty while it can, or while its engine starts.
    virtual QString Trouble() const = 0;
};

using MakeVoiceFn = Voice* (*)(std::function<void()> Changed);
// Its path from the program's directory.
inline constexpr const char* VoiceLibrary = "modules/korvell-speech";

} // namespace korvell
