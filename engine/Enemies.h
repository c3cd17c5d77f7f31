// The two kinds of enemy: diagonal moves, bounces, and the deaths they cause
#pragma once

#include "Game.h"

namespace fendral {

enum class EnemyKind { Ground, Open };

// Adjusts the enemy's velocity once against the cells it may not enter; true when it changed.
bool bounce(const GameState& state, Enemy& enemy, EnemyKind kind);

// Bounces until settled, then moves one cell diagonally; true when it moved. An enemy that cannot
// settle (an open enemy boxed in by ground that appeared around it) stays on its cell for this
// step with the velocity its last bounce left, and tries again in the next. The field is only
// read, so a forecast can run it on copies of the enemies.
bool advanceEnemy(const GameState& state, Enemy& enemy, EnemyKind kind);

// Moves every ground enemy, then every open enemy, with their collision checks.
void enemyPhase(Game& game);

} // namespace fendral
