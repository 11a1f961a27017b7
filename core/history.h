// A student's answers as the study model reads them: each one matched to a
// question of the pool as it is now read.
#pragma once

#include <cstdint>

namespace korvell {

struct AnswerEvent {
    int16_t Idx = 0;         // pool index of the question answered
    std::int64_t TimeMs = 0; // when, in milliseconds since 1970-01-01 00:00 UTC
    bool Right = false;      // a right pick; a wrong pick, or Show Answer before any pick, is not
};

} // namespace korvell
