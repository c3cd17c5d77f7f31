#include "ReplayWatch.h"

#include "Tick.h"

#include <algorithm>

namespace fendral {

namespace {

    constexpr double SecondsPerDay = 86400;
    // A completed level goes on by itself after a second of the recorded game
    constexpr double LevelWaitSeconds = 1;
    // The end of the game stays on screen this long, whatever the speed
    constexpr double EndShownSeconds = 2;

} // namespace

ReplayWatch::ReplayWatch(Replay replay)
    : m_player(std::move(replay))
{
}

void ReplayWatch::start(Game& game) { m_player.start(game); }

void ReplayWatch::tick(Game& game)
{
    for (int i = 0; i < m_speed && !isOver(); ++i)
        tickOnce(game);
}

void ReplayWatch::tickOnce(Game& game)
{
    GameState& state = game.state;
    if (m_player.hasEnded()) {
        showEnd(game);
        return;
    }
    // Paused by the watcher: the tick only keeps the pause out of the speed check
    if (state.paused != 0 && !isLevelCompleted(state)) {
        fendral::tick(game);
        return;
    }
    const bool goOn = hasWaited(game, m_levelWaitSince, LevelWaitSeconds / m_speed);
    m_player.applyDueEvents(game, goOn);
    if (m_player.isWaitingToGoOn()) {
        if (!m_levelWaitSince)
            m_levelWaitSince = game.platform.now();
        return;
    }
    m_levelWaitSince.reset();
    if (m_player.mayStep(state))
        fendral::tick(game);
}

// After a lost game the enemies go on moving, as they did while the game over was shown; a game
// left for the menu or by closing stands still
void ReplayWatch::showEnd(Game& game)
{
    if (!m_endShownSince)
        m_endShownSince = game.platform.now();
    if (hasWaited(game, m_endShownSince, EndShownSeconds)) {
        m_over = true;
        return;
    }
    if (game.state.gameOver != 0) {
        game.log = nullptr; // the recording ended with the game
        fendral::tick(game);
    }
}

bool ReplayWatch::hasWaited(const Game& game, std::optional<double>& since, double seconds) const
{
    return since && (game.platform.now() - *since) * SecondsPerDay >= seconds;
}

void ReplayWatch::togglePause(Game& game)
{
    GameState& state = game.state;
    if (m_player.hasEnded() || isLevelCompleted(state))
        return;
    state.paused = state.paused != 0 ? 0 : 1;
    game.view.setMessage("Pause");
    game.view.setMessageVisible(state.paused != 0);
}

void ReplayWatch::faster() { m_speed = std::min(m_speed * 2, MaxSpeed); }

void ReplayWatch::slower() { m_speed = std::max(m_speed / 2, 1); }

} // namespace fendral
