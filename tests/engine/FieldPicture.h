// Playfields for tests drawn as ASCII pictures, one character per cell, row 1 first:
//   '#' ground, '.' open, 'a'..'d' a trail cell of player 0..3,
//   'o' an open enemy on an open cell, 'g' a ground enemy on ground (both moving +1, +1).
#pragma once

#include "GameState.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace fendral {

// Allocates W x H grids for the picture, fills the cells, the guard ring, the block states
// and the enemy lists; the palette row and the shares are left as they are.
void loadPicture(GameState& state, const std::vector<std::string>& rows, int borderWidth);

// The cells as a picture in the same characters (enemies are not drawn).
std::vector<std::string> picture(const GameState& state);

// A picture of an open interior inside a ground ring borderWidth cells thick.
std::vector<std::string> openPicture(int width, int height, int borderWidth);

// A picture whose interior is one corridor a cell wide, winding down row by row between ground
// walls, each wall open at alternate ends.
std::vector<std::string> serpentinePicture(int width, int height, int borderWidth);

// Leaves what the close phase leaves for the capture: marks and block marks cleared, the trails of
// the given players turned into ground in blocks that hold ground, and every neighbour of a former
// trail cell seeded with its player's bit.
void closeTrails(GameState& state, std::initializer_list<int> players);

} // namespace fendral
