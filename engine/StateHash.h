// A 64-bit check value of everything in the game state that decides what happens next
#pragma once

#include "GameState.h"

#include <cstdint>

namespace fendral {

// The field, players, teams, enemies, level values and the generator, but nothing that only
// shows the game or paces it: drawn positions, the step multiplier, the speed check, ticks to
// the next step, the timer, the pause, the settings and the scratch of a step or a capture.
uint64_t stateHash(const GameState& state);

} // namespace fendral
