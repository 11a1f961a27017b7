// Services the program takes from its surroundings: message boxes, ending the
// program, random numbers, the clock and the directory the program lies in. The
// application supplies the desktop implementation; tests supply a recording one.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace korvell {

class Platform {
public:
    virtual ~Platform() = default;

    // Modal box with the exclamation icon, the given title and text (lines
    // separated by "\n") and one OK button. Returns when the user closes it.
    virtual void MsgBox(const std::string& Text, const std::string& Title) = 0;

    // Ends the program at once: no further handler runs, nothing is written.
    // Never returns to its caller.
    [[noreturn]] virtual void EndProgram(int Status) = 0;

    // Reseeds the random generator from the clock.
    virtual void Randomize() = 0;
    // Next random value r with 0 <= r < 1.
    virtual float Rnd() = 0;

    // The directory that holds the program file, without a trailing "/".
    virtual std::string ProgramDir() = 0;

    // The time now, in milliseconds since 1970-01-01 00:00 UTC. The one place
    // the program reads the clock, so a test can set it.
    virtual std::int64_t NowMs() {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    }
};

// Thrown by a platform whose EndProgram unwinds instead of exiting the process
// (the recording platform of the tests). Event handlers catch it at their
// outermost frame so that nothing after the ending point runs.
struct ProgramEnded {
    int Status = 0;
};

} // namespace korvell
