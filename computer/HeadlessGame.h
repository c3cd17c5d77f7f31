// A game of computer players without a window: the engine's own tick driven as fast as the
// machine goes, for the command line, the benchmarks and the tests
#pragma once

#include "ComputerPlayers.h"
#include "Game.h"
#include "ReplayRecorder.h"
#include "Strength.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace fendral {

class NullView;
class StillPlatform;

struct HeadlessOptions {
    std::vector<Strength> strengths { Strength::Hard }; // one per player, the last one repeated
    int players = 1; // each in a team of its own
    int level = 1; // the level it starts at
    int levels = LastLevel; // levels to play at most
    int maxSteps = 20000; // logic steps in one level before the game is given up
    uint32_t seed = 1;
};

struct LevelResult {
    int level = 0;
    bool completed = false;
    int steps = 0; // logic steps played in the level
    int deaths = 0; // of all players
    double shareGained = 0; // of the field, by all players' captures
};

struct HeadlessResult {
    std::vector<LevelResult> levels;
    int levelsCompleted() const;
    std::array<double, PlayerCount> totalShares {};
    std::array<int, PlayerCount> deaths {};
};

// The seed of computer player p in a game played from the game's seed
uint32_t computerSeed(uint32_t gameSeed, int p);

class HeadlessGame {
public:
    explicit HeadlessGame(const HeadlessOptions& options);
    ~HeadlessGame();

    GameState& state() { return m_state; }

    // Runs before every logic step, after the computer players have asked for their directions
    using StepListener = std::function<void(HeadlessGame&)>;
    void setStepListener(StepListener listener) { m_listener = std::move(listener); }
    // Wraps the computer players' decisions of a step, for timing them
    using DecisionRunner = std::function<void(const std::function<void()>& decide)>;
    void setDecisionRunner(DecisionRunner runner) { m_runDecisions = std::move(runner); }

    // Told the game's commands and check points: a replay recorder, for one
    void setLog(GameLog* log) { m_log = log; }

    // Plays the game to its end and tells how it went.
    HeadlessResult play();

private:
    LevelResult playLevel();
    void startGame();

    HeadlessOptions m_options;
    GameState m_state;
    std::unique_ptr<NullView> m_view;
    std::unique_ptr<StillPlatform> m_platform;
    std::unique_ptr<Game> m_game;
    GameLog* m_log = nullptr;
    ComputerPlayers m_computers;
    StepListener m_listener;
    DecisionRunner m_runDecisions;
};

// Plays the game with the recorder as its log, the computer players' seeds in its header, and
// hands over the finished replay
Replay recordHeadlessGame(const HeadlessOptions& options, ReplayRecorder& recorder);

} // namespace fendral
