// Starting play: a new game from the setup dialog's choices, the layout of each level, respawning
#pragma once

#include "Game.h"

namespace fendral {

// Rebuilds players, teams and the key table from the setup choices and starts level 1 with the
// generator as it is.
void newGame(Game& game);
// Seeds the generator afresh and starts the game at the given level: a recorded game.
void newGame(Game& game, uint64_t seed, int startingLevel = 1);

// Builds level n (1..50): field, enemies, players, first drawing, and arms the timer.
void setUpLevel(Game& game, int n);

// Lays out the guard ring, the ground border and the open interior of a fresh level.
void buildField(GameState& state);

// Puts player p on one of the evenly spaced slots of the bottom row, shielded and at rest.
void respawn(GameState& state, int p);

} // namespace fendral
