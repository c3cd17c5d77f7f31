#include "Enemies.h"

namespace fendral {

namespace {

    // Settling needs at most four bounces, one per velocity; a fifth change means a cycle.
    constexpr int MaxBounces = 8;

    bool blocks(const GameState& state, int x, int y, EnemyKind kind)
    {
        const uint8_t code = state.cells[x][y];
        return kind == EnemyKind::Ground ? code != Ground : code == Ground;
    }

    // Moves the enemy as advanceEnemy does and keeps its sprite in step with it.
    void moveEnemy(Game& game, Enemy& enemy, EnemyKind kind)
    {
        if (advanceEnemy(game.state, enemy, kind))
            return;
        // The display glides every sprite one cell along its velocity: start this one a cell
        // back so that it ends the glide on its own cell again. The display erases only the
        // cells behind a sprite, so the square the enemy left on its own cell is erased here.
        enemy.drawnX = (enemy.x - enemy.dx - 1) * CellSize;
        enemy.drawnY = (enemy.y - enemy.dy - 1) * CellSize;
        game.view.refreshCell(enemy.x, enemy.y);
    }

    bool touches(const Player& player, const Enemy& enemy)
    {
        return distance(player.x, player.y, enemy.x, enemy.y) <= 1;
    }

    void moveGroundEnemy(Game& game, Enemy& enemy)
    {
        GameState& state = game.state;
        moveEnemy(game, enemy, EnemyKind::Ground);
        for (Player& player : state.players)
            if (isInPlay(player) && touches(player, enemy) && !player.drawing && !player.shielded)
                player.killed = 1;
    }

    void moveOpenEnemy(Game& game, Enemy& enemy)
    {
        GameState& state = game.state;
        moveEnemy(game, enemy, EnemyKind::Open);
        // The new cell and the two cells passed at the corner of the diagonal move: touching a
        // trail kills its owner in this very step, wherever the owner is
        const int x = enemy.x;
        const int y = enemy.y;
        for (const uint8_t code :
            { state.cells[x][y], state.cells[x - enemy.dx][y], state.cells[x][y - enemy.dy] })
            if (isTrail(code))
                state.dies[trailOwner(code)] = 1;
        for (Player& player : state.players)
            if (isInPlay(player) && touches(player, enemy) && player.drawing)
                player.killed = 1;
    }

} // namespace

bool bounce(const GameState& state, Enemy& enemy, EnemyKind kind)
{
    const int x = enemy.x;
    const int y = enemy.y;
    if (blocks(state, x + enemy.dx, y, kind)) {
        enemy.dx = -enemy.dx;
        return true;
    }
    if (blocks(state, x, y + enemy.dy, kind)) {
        enemy.dy = -enemy.dy;
        return true;
    }
    if (blocks(state, x + enemy.dx, y + enemy.dy, kind)) {
        enemy.dx = -enemy.dx;
        enemy.dy = -enemy.dy;
        return true;
    }
    return false;
}

bool advanceEnemy(const GameState& state, Enemy& enemy, EnemyKind kind)
{
    for (int i = 0; i < MaxBounces; ++i)
        if (!bounce(state, enemy, kind)) {
            enemy.x += enemy.dx;
            enemy.y += enemy.dy;
            return true;
        }
    return false;
}

void enemyPhase(Game& game)
{
    GameState& state = game.state;
    // Enemies are handled from the last to the first, the order every enemy loop keeps
    for (auto enemy = state.groundEnemies.rbegin(); enemy != state.groundEnemies.rend(); ++enemy)
        moveGroundEnemy(game, *enemy);
    for (auto enemy = state.openEnemies.rbegin(); enemy != state.openEnemies.rend(); ++enemy)
        moveOpenEnemy(game, *enemy);
}

} // namespace fendral
