// The players' cursors: direction requests, moves, trails, closing, hazards and deaths
#pragma once

#include "Game.h"

namespace fendral {

// Queues direction d for player p: a second request waits behind the first, a third replaces it.
void requestDirection(Player& player, int d);

// The one door of every steering, from keys, pads or computer players: nothing while paused, a
// request swallowed during the respawn delay, and what reaches the queue told to the game's log.
// True when the request is consumed.
bool steerPlayer(Game& game, int p, int direction);

// The phases of a logic step, in the order the tick calls them
void movePhase(Game& game);
void erasePhase(Game& game);
void closePhase(Game& game); // runs capture after each pass of closures
void startTrailPhase(Game& game);
void hazardPhase(GameState& state);
void deathPhase(Game& game);

// Colour of an unfinished trail of a player of colour c: the mean of it and the open colour.
Colour trailColour(const GameState& state, Colour c);

} // namespace fendral
