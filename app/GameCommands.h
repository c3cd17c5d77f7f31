// The commands of a game in progress: steering keys and pads, pause and continue
#pragma once

#include "Game.h"

namespace fendral {

// Pauses a running game and shows "Pause"; a game already paused keeps its message.
void pauseGame(Game& game);

// The pause key, Space, Enter or a click on the message panel: leaves a lost game for the
// menu, otherwise toggles the pause.
void continueOrPause(Game& game);

// Queues the direction of a steering key; true when the key is consumed.
bool steer(Game& game, int key);

// Queues the direction of the pad in a slot for the player bound to it, when that player is in
// play in a game; true when the request is consumed.
bool steerByPad(Game& game, int slot, int direction);

} // namespace fendral
