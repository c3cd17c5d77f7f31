// Territory capture: the open regions a pass of closures cut off from every open enemy
#pragma once

#include "Game.h"

namespace fendral {

// Turns every seeded region without an open enemy into ground, paints it and credits it.
void capture(Game& game);

} // namespace fendral
