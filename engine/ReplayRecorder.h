// Records the game in progress as a replay: its set-up, the commands that reached it by logic
// step, and its check values
#pragma once

#include "GameLog.h"
#include "Replay.h"

namespace fendral {

class ReplayRecorder : public GameLog {
public:
    // Written into the header of every game recorded from now on
    void setProgramVersion(std::string version) { m_programVersion = std::move(version); }
    // The date of the next game, in milliseconds since 1970 UTC
    void setDate(int64_t date) { m_date = date; }
    // The seeds of the computer players of the next game (state.computer says who they are)
    void setComputerSeeds(const std::array<uint32_t, PlayerCount>& seeds)
    {
        m_computerSeeds = seeds;
    }

    void gameStarted(const GameState& state) override;
    void commandTaken(const GameState& state, const Command& command) override;
    void checkpoint(const GameState& state, CheckKind kind) override;

    bool isRecording() const { return m_recording; }
    // The game ended after at least one logic step and was not taken yet.
    bool hasFinishedGame() const;
    // Hands the finished game over once; the recorder then waits for the next game.
    Replay takeFinishedGame();
    const Replay& replay() const { return m_replay; }

private:
    void add(const GameState& state, ReplayEvent event);

    std::string m_programVersion;
    int64_t m_date = 0;
    std::array<uint32_t, PlayerCount> m_computerSeeds {};
    Replay m_replay;
    bool m_recording = false;
    bool m_finished = false;
};

} // namespace fendral
