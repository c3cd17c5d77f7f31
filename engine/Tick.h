// The timed tick: logic steps at a fixed cadence, sprite gliding, level and game endings
#pragma once

#include "Game.h"

namespace fendral {

// The timer callback: one tick of the running game.
void tick(Game& game);

// Whether the next tick runs a logic step: the game is not paused (or is lost and runs on), the
// level is not completed, and the step is due. Computer players decide just before such a tick.
bool runsLogicStep(const GameState& state);

// One logic step: speed check, the player phases, the enemies, deaths and team lives.
void logicStep(Game& game);

// After a tick's step: a completed level or a lost game pauses and shows its message.
void checkLevelEnd(Game& game);

// The players went on after a completed level: the next level, or the menu after the last.
void goOnAfterLevel(Game& game);

// The game is left for the menu or by closing the program: the game's log records its end,
// unless the game had already ended.
void leaveGame(Game& game, EndReason reason);

// The timer's interval in ms for a step multiplier; 8 / multiplier ticks make one logic step.
int timerInterval(const GameState& state, int stepMultiplier);
constexpr int TicksPerStep = 8; // at step multiplier 1

// Starts the periodic timer with the interval for the current step multiplier.
void armTimer(Game& game);
// Stops the running timer, if any, and forgets it.
void killTimer(Game& game);

// Capped additions of lives: kind A takes back an addition that reaches 100,
// kind B leaves 99.99 instead.
void addLivesTakingBack(Team& team, double lives);
void addLivesCappingAt9999(Team& team, double lives);

// Lives handed out between two levels, and the revival of players who went out.
void levelEndBonus(Game& game);

// The purchase of lives (keypad "+" or the purchase panel): one life per player in play, and
// players who went out brought back; at most 99 purchases a game, none once the game is lost.
void buyLives(Game& game);

// Brings back team t's players who went out, the last one out first, paying a life for each
// while the team has a whole one. placeNow puts them on the field at once (a purchase during
// play); otherwise the next level start places them.
void reviveOutPlayers(Game& game, int t, bool placeNow);

} // namespace fendral
