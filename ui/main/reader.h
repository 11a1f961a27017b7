// Reading aloud (the View menu): the question on display on request, or every
// question as it is shown, through a voice loaded when first used.
#pragma once

#include "ui/speech/voice.h"

#include <functional>
#include <memory>
#include <string>

namespace korvell {

class modKorvell;

class Reader {
public:
    explicit Reader(modKorvell& Mod);
    ~Reader();

    // Makes the voice, the first time one is needed: by default from its
    // library beside the program; null where that cannot be loaded.
    std::function<std::unique_ptr<Voice>(std::function<void()> Changed)> MakeVoice;

    // The speed, in steps of RateStep from -1 to 1; it lasts for the run.
    static constexpr double RateStep = 0.25;
    double Rate = 0.0;
    bool ReadEach = false;

    // Read Aloud: reads the question on display, and its answer once out;
    // while reading, stops.
    void ReadAloud();
    void Stop();
    void SetReadEach(bool On);
    void Slower();
    void Faster();
    // What a screen reader was told just now: read where Read Each Question is on.
    void Told(const std::string& News);
    // The menu items follow the voice: off, their tooltips saying why, where
    // it cannot read; Stop Reading on while it reads.
    void ShowState();

private:
    modKorvell& Mod;
    std::unique_ptr<Voice> V;
    bool Tried = false;
    // The voice, made on the first call.
    Voice* Speaker();
    void SetRate(double R);
};

} // namespace korvell
