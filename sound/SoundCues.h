// Which effect a game event asks for, and when a burst of events of one kind must be thinned
#pragma once

#include "GameView.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

namespace fendral {

struct Cue {
    GameEvent::Kind kind;
    int pitchStep = 0; // of a trail closed
};

// The pitch step of a trail closed that took this share of the field: a few cells give the lowest
// step, a quarter of the field or more the highest, and the steps in between grow with the share's
// square root, so that the common small closures are still told apart.
int trailPitchStep(double share);

// Turns the game's events into cues. An event follows another of its kind by less than MinGap
// (a replay watched fast, or one step with several deaths) only when at least MinGap has passed,
// so a burst never piles up into noise.
class SoundCues {
public:
    static constexpr int64_t MinGap = 100; // ms

    // The cue for an event at nowMs (any steady clock), or none.
    std::optional<Cue> cueFor(const GameEvent& event, int64_t nowMs);

private:
    static constexpr int64_t Never = std::numeric_limits<int64_t>::min() / 2;
    std::array<int64_t, GameEvent::KindCount> m_lastCue = filledWithNever();

    static std::array<int64_t, GameEvent::KindCount> filledWithNever()
    {
        std::array<int64_t, GameEvent::KindCount> times {};
        times.fill(Never);
        return times;
    }
};

} // namespace fendral
