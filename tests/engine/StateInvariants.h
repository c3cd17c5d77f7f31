// What holds of every game between two ticks: the field, the trails, the block states, the
// enemies and the players, checked by the soak and by single tests
#pragma once

#include "GameState.h"

#include <string>

namespace fendral {

// Whether every cell of the guard ring of `cells`, the four corners included, holds Outside.
bool guardRingIsOutside(const GameState& state);

// The first rule that the state breaks, in words; empty when the state is sound.
std::string brokenInvariant(const GameState& state);

} // namespace fendral
