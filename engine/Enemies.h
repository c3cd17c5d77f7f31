// The two kinds of enemy: diagonal moves, bounces, and the deaths they cause
#pragma once

#include "Game.h"

namespace fendral {

enum class EnemyKind { Ground, Open };

// Adjusts the enemy's velocity once against the cells it may not enter; true when it changed.
bool bounce(const GameState& state, Enemy& enemy, EnemyKind kind);

// Moves every ground enemy, then every open enemy, with their collision checks.
void enemyPhase(Game& game);

} // namespace fendral
