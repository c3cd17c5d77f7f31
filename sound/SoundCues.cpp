#include "SoundCues.h"

#include "Synthesizer.h"

#include <algorithm>
#include <cmath>

namespace fendral {

namespace {
    constexpr double HighestStepShare = 0.25;
}

int trailPitchStep(double share)
{
    const double scaled = std::sqrt(std::clamp(share / HighestStepShare, 0.0, 1.0));
    return static_cast<int>(std::lround(scaled * (TrailPitchSteps - 1)));
}

std::optional<Cue> SoundCues::cueFor(const GameEvent& event, int64_t nowMs)
{
    if (event.kind < 0 || event.kind >= GameEvent::KindCount)
        return std::nullopt;
    int64_t& last = m_lastCue[event.kind];
    if (nowMs - last < MinGap)
        return std::nullopt;
    last = nowMs;
    return Cue { event.kind,
        event.kind == GameEvent::TrailClosed ? trailPitchStep(event.share) : 0 };
}

} // namespace fendral
