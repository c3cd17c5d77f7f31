// The effects of the game, synthesized in code: short tones, sweeps and chords, no sound files
#pragma once

#include "GameView.h"

#include <array>
#include <vector>

namespace fendral {

constexpr int SampleRate = 44100; // per second, mono
using Clip = std::vector<float>; // samples in -1 .. 1

// A trail closed rises in pitch with the share it took, in semitone steps 0 .. TrailPitchSteps - 1
constexpr int TrailPitchSteps = 17;

// The effect of a kind of game event; pitchStep only matters to TrailClosed.
Clip synthesize(GameEvent::Kind kind, int pitchStep = 0);

// Every effect, made once at start-up.
class EffectBank {
public:
    EffectBank();
    const Clip& clip(GameEvent::Kind kind, int pitchStep = 0) const;

private:
    std::array<Clip, GameEvent::KindCount> m_clips;
    std::array<Clip, TrailPitchSteps> m_trailClips;
};

} // namespace fendral
