// Watching a replay in the window: the recorded game played back tick by tick at 1x to 16x, with
// a pause, going on by itself after a completed level, and the end held a moment
#pragma once

#include "ReplayPlayer.h"

#include <optional>

namespace fendral {

class ReplayWatch {
public:
    static constexpr int MaxSpeed = 16;

    explicit ReplayWatch(Replay replay);

    // Sets the recorded game up in place of the game's own; the watch is the game's log from
    // then on. The game's grids must have the header's size.
    void start(Game& game);
    // One tick of the window's timer: as many ticks of the recorded game as the speed says.
    void tick(Game& game);

    // Space: pauses and continues, except while a completed level waits or after the end
    void togglePause(Game& game);
    // The Right and Left arrows: doubles up to 16x, halves down to 1x
    void faster();
    void slower();
    int speed() const { return m_speed; }

    // The game was watched to its end and the end was shown, or it left the recording
    bool isOver() const { return m_over || m_player.mismatchStep().has_value(); }
    std::optional<int64_t> mismatchStep() const { return m_player.mismatchStep(); }

private:
    void tickOnce(Game& game);
    void showEnd(Game& game);
    // Whether the time since the moment, at the current speed, reached the given seconds
    bool hasWaited(const Game& game, std::optional<double>& since, double seconds) const;

    ReplayPlayer m_player;
    int m_speed = 1;
    std::optional<double> m_levelWaitSince; // a completed level waits to go on
    std::optional<double> m_endShownSince;
    bool m_over = false;
};

} // namespace fendral
