// Whole games played by scripted players through the real tick, recorded as replays: the golden
// games of the tests and the material of the replay fuzzer
#pragma once

#include "GameState.h"
#include "Replay.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace fendral {

struct GameScript {
    std::string name;
    uint64_t seed = 1;
    std::vector<std::pair<int, int>> playerTeams; // {player, team}
    int64_t stepBudget = 5000; // the game is left after so many steps
    EndReason leaveBy = EndReason::Menu; // how a game that is not over by then is left
    int purchaseChance = 0; // 1 in n steps a purchase of lives; 0: only to revive, if revive
    bool revive = false; // buys lives when a player went out
    int runLength = 20; // how far a run goes into the open and across
    int startingLevel = 1;
    int width = 128; // of the field; a small one completes levels sooner
    int height = 81;
};

// A player's plan, followed by the golden games' players and the soak's: from the ground into the
// open, a turn, and back to the nearest ground, which closes a rectangle; an open enemy near the
// trail cuts the run short.
class RunPlanner {
public:
    using Press = std::function<void(int player, int direction)>;
    RunPlanner(const GameState& state, RandomGenerator& dice, int runLength)
        : m_state(state)
        , m_dice(dice)
        , m_runLength(runLength)
    {
    }
    // Before a logic step: each player in play follows its run, pressing its keys with `press`
    void steer(const Press& press);

private:
    struct Run {
        enum Stage { OnGround, GoingIn, GoingAcross, GoingBack } stage = OnGround;
        int inward = Up;
        int stepsLeft = 0;
    };
    uint8_t cellAhead(const Player& player, int d) const;
    int wayBack(const Player& player, const Run& run) const;
    bool isInDanger(const Player& player) const;
    int nearestOpenEnemy(const Player& player) const;

    const GameState& m_state;
    RandomGenerator& m_dice;
    int m_runLength;
    std::array<Run, PlayerCount> m_runs {};
};

// The golden games' scripts: trails closed, deaths, purchases, players out and revived, levels
// completed, a game lost, games left for the menu and closed.
const std::vector<GameScript>& goldenScripts();

struct TestGame;

// Plays the script with the window's commands between ticks of a clock that now and then runs
// slow, and returns the recorded game.
Replay playScript(const GameScript& script);

// The same on a game whose state may hold earlier games, as the window's does; `afterTick` runs
// after every tick.
Replay playScript(const GameScript& script, TestGame& test, const std::function<void()>& afterTick);

} // namespace fendral
