#include "Enemies.h"

namespace fendral {

bool bounce(const GameState&, Enemy&, EnemyKind)
{
    return false;
}

void enemyPhase(GameState&)
{
}

} // namespace fendral
