// A game in progress: its state and the screen and system it talks to
#pragma once

#include "GameState.h"
#include "GameView.h"
#include "Platform.h"

namespace fendral {

struct Game {
    GameState& state;
    GameView& view;
    Platform& platform;
};

} // namespace fendral
