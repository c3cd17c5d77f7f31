// Playfields for tests drawn as ASCII pictures, one character per cell, row 1 first:
//   '#' ground, '.' open, 'a'..'d' a trail cell of player 0..3,
//   'o' an open enemy on an open cell, 'g' a ground enemy on ground (both moving +1, +1).
#pragma once

#include "GameState.h"

#include <string>
#include <vector>

namespace fendral {

// Allocates W x H grids for the picture and fills the cells, the guard ring, the block states
// and the enemy lists as a fresh level would; the field share starts at 0, so that a test sees
// only what it captures.
void loadPicture(GameState& state, const std::vector<std::string>& rows, int borderWidth);

// A picture of an open interior inside a ground ring borderWidth cells thick.
std::vector<std::string> openPicture(int width, int height, int borderWidth);

// A picture whose interior is one corridor a cell wide, winding down row by row between ground
// walls, each wall open at alternate ends.
std::vector<std::string> serpentinePicture(int width, int height, int borderWidth);

// Leaves on a freshly loaded picture what the close phase leaves for the capture: the trails of
// the given players turned into ground in blocks that hold ground, and every neighbour of a former
// trail cell seeded with its player's bit.
void closeTrails(GameState& state, std::initializer_list<int> players);

} // namespace fendral
