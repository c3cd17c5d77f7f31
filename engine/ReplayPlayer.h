// Plays a replay through the engine: the header's set-up and seed, each command at its logic
// step, and every check value of the engine compared with the recorded one
#pragma once

#include "Game.h"
#include "GameLog.h"
#include "Replay.h"

#include <functional>
#include <optional>

namespace fendral {

// The level was completed and waits for the players to go on
bool isLevelCompleted(const GameState& state);

// The end of a level as played back: completed, lost, or left
struct PlayedLevel {
    int level = 0;
    double fieldShare = 0;
    uint64_t hash = 0;
    bool completed = false;
    std::optional<int64_t> mismatchStep; // where the played game left the recorded one
};

class ReplayPlayer : public GameLog {
public:
    explicit ReplayPlayer(Replay replay);

    // Sets the game up as recorded and starts it; the player is the game's log from then on.
    // The game's grids must have the header's size.
    void start(Game& game);
    // Applies the events recorded before the next logic step. At a completed level the players'
    // going on waits unless goOn is true; isWaitingToGoOn() tells.
    void applyDueEvents(Game& game, bool goOn);
    bool isWaitingToGoOn() const { return m_waitingToGoOn; }
    // Whether the game may run its next logic step now; a replay that asks for a step the game
    // cannot run (paused, ended) is marked a mismatch.
    bool mayStep(const GameState& state);

    bool hasEnded() const { return m_ended || m_mismatch.has_value(); }
    std::optional<int64_t> mismatchStep() const { return m_mismatch; }
    const Replay& replay() const { return m_replay; }

    // Told at the end of every level played back, and at the first mismatch
    void setLevelListener(std::function<void(const PlayedLevel&)> listener)
    {
        m_levelListener = std::move(listener);
    }

    void gameStarted(const GameState& state) override;
    void commandTaken(const GameState& state, const Command& command) override;
    void checkpoint(const GameState& state, CheckKind kind) override;

private:
    const ReplayEvent* nextEvent() const;
    bool applyEvent(Game& game, const ReplayEvent& event);
    void mismatch(const GameState& state);

    Replay m_replay;
    std::size_t m_next = 0;
    bool m_ended = false;
    bool m_waitingToGoOn = false;
    bool m_levelEnded = false; // the level played now was told to the listener
    std::optional<int64_t> m_mismatch;
    std::function<void(const PlayedLevel&)> m_levelListener;
};

// How a replay played back without a window ended
struct VerifyResult {
    bool ok = false;
    int levels = 0;
    int completed = 0;
    int64_t steps = 0;
    int levelReached = 0;
    EndReason ended = EndReason::Menu;
};

// Plays the replay headless, as fast as the machine goes, telling each level's end.
VerifyResult verifyReplay(
    const Replay& replay, const std::function<void(const PlayedLevel&)>& levelListener);

} // namespace fendral
