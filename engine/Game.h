// A game in progress: its state, the screen and system it talks to, and its record
#pragma once

#include "GameLog.h"
#include "GameState.h"
#include "GameView.h"
#include "Platform.h"

namespace fendral {

struct Game {
    GameState& state;
    GameView& view;
    Platform& platform;
    GameLog* log = nullptr; // told the commands and check points of the game, when recorded
};

} // namespace fendral
