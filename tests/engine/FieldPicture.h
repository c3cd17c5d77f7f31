// Playfields for tests drawn as ASCII pictures, one character per cell, row 1 first:
//   '#' ground, '.' open, 'a'..'d' a trail cell of player 0..3,
//   'o' an open enemy on an open cell, 'g' a ground enemy on ground (both moving +1, +1).
#pragma once

#include "GameState.h"

#include <string>
#include <vector>

namespace fendral {

// Allocates W x H grids for the picture, fills the cells, the guard ring, the block states
// and the enemy lists; the palette row and the shares are left as they are.
void loadPicture(GameState& state, const std::vector<std::string>& rows, int borderWidth);

// The cells as a picture in the same characters (enemies are not drawn).
std::vector<std::string> picture(const GameState& state);

} // namespace fendral
