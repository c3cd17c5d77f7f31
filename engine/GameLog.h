// What the engine reports to whoever keeps a game's record: its start, the commands that change
// what happens next, and the points where its state is checked
#pragma once

#include "GameState.h"

#include <cstdint>

namespace fendral {

enum class CommandKind : uint8_t { Direction = 0, BuyLives = 1, NextLevel = 2, End = 3 };
enum class EndReason : uint8_t { GameOver = 0, LastLevel = 1, Menu = 2, Close = 3 };
enum class CheckKind : uint8_t { LevelSetUp = 0, LevelEnd = 1, Periodic = 2, GameLeft = 3 };

struct Command {
    CommandKind kind = CommandKind::Direction;
    uint8_t player = 0; // of a direction request
    uint8_t value = 0; // the direction of a request, the reason of an end
};

class GameLog {
public:
    virtual ~GameLog() = default;

    // A new game was set up from the setup choices; its first level is not built yet.
    virtual void gameStarted(const GameState& state) = 0;
    // A command took effect after state.stepsPlayed logic steps.
    virtual void commandTaken(const GameState& state, const Command& command) = 0;
    // The state as it is at a check point: after a level's set-up, at its end, every 100 steps.
    virtual void checkpoint(const GameState& state, CheckKind kind) = 0;
};

} // namespace fendral
