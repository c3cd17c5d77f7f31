// Whole games played by computer players through the real tick, with the window's commands given
// at random between the ticks, recorded as replays: the golden games of the tests, the soak's
// games and the material of the replay fuzzer
#pragma once

#include "GameState.h"
#include "Replay.h"
#include "Strength.h"

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
    Strength strength = Strength::Easy; // of every player: the computer players steer them
    int startingLevel = 1;
    int width = 128; // of the field; a small one completes levels sooner
    int height = 81;
};

// The golden games' scripts: trails closed, deaths, purchases, a player out, levels completed, a
// game lost, games left for the menu and closed.
const std::vector<GameScript>& goldenScripts();

struct TestGame;

// Plays the script with the window's commands between ticks of a clock that now and then runs
// slow, and returns the recorded game.
Replay playScript(const GameScript& script);

// The same on a game whose state may hold earlier games, as the window's does; `afterTick` runs
// after every tick.
Replay playScript(const GameScript& script, TestGame& test, const std::function<void()>& afterTick);

} // namespace fendral
