#include "Enemies.h"
#include "FakeView.h"
#include "FieldPicture.h"
#include "Tick.h"

#include <gtest/gtest.h>

using namespace fendral;

// Fields are 12 x 10 with a border two cells thick: the interior is columns 3..10, rows 3..8.
struct EnemiesTest : testing::Test {
    // Loads the open field with the picture characters of `cells` at their (x, y).
    void load(std::initializer_list<std::tuple<int, int, char>> cells)
    {
        std::vector<std::string> rows = openPicture(12, 10, 2);
        for (auto [x, y, c] : cells)
            rows[y - 1][x - 1] = c;
        loadPicture(state, rows, 2);
    }
    static std::pair<int, int> cellOf(const Enemy& enemy) { return { enemy.x, enemy.y }; }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

TEST_F(EnemiesTest, EnemiesKillTheOwnersOfTrailsCrossedAtOnceAndMarkThePlayersTheyTouch)
{
    // The open enemy moves to (6, 6) past the corner cells (6, 5) and (5, 6); the ground one to
    // (4, 10)
    load({ { 5, 5, 'o' }, { 6, 5, 'c' }, { 5, 6, 'b' }, { 3, 9, 'g' } });
    state.players[0] = { .team = 0, .x = 7, .y = 7, .drawing = 1, .alive = 1 };
    state.players[1] = { .team = 0, .x = 5, .y = 7, .alive = 1 }; // not drawing
    state.players[2] = { .team = 0, .x = 3, .y = 10, .alive = 1 };
    state.players[3] = { .team = 0, .shielded = 1, .x = 5, .y = 10, .alive = 1 };
    enemyPhase(game);
    EXPECT_EQ(state.dies, (std::array<int, PlayerCount> { 0, 1, 1, 0 }));
    const auto& [p0, p1, p2, p3] = state.players;
    EXPECT_EQ(std::tuple(p0.killed, p1.killed, p2.killed, p3.killed), std::tuple(1, 0, 1, 0));
}

TEST_F(EnemiesTest, GroundEnemyRunsAlongATwoCellBorderReflectingAtBothEdges)
{
    load({ { 1, 5, 'g' } });
    for (auto cell :
        { std::pair(2, 6), { 1, 7 }, { 2, 8 }, { 1, 9 }, { 2, 10 }, { 3, 9 }, { 4, 10 } }) {
        enemyPhase(game);
        EXPECT_EQ(cellOf(state.groundEnemies[0]), cell);
    }
}

TEST_F(EnemiesTest, FreshGroundIsAtOncePassableForGroundEnemiesAndAWallForOpenEnemies)
{
    for (bool closed : { false, true }) {
        SCOPED_TRACE(closed);
        load({ { 6, 2, 'g' }, { 5, 5, 'o' } });
        for (int y = 3; y <= 8; ++y) // a trail down columns 6 and 7
            state.cells[6][y] = state.cells[7][y] = TrailBase;
        if (closed)
            closeTrails(state, { 0 });
        enemyPhase(game);
        EXPECT_EQ(cellOf(state.groundEnemies[0]), closed ? std::pair(7, 3) : std::pair(7, 1));
        EXPECT_EQ(cellOf(state.openEnemies[0]), closed ? std::pair(4, 6) : std::pair(6, 6));
    }
}

// The display erases only the cells behind a sprite: a boxed-in enemy must repaint its own
TEST_F(EnemiesTest, BoxedInOpenEnemyStaysAndRepaintsItsOwnCell)
{
    load({ { 6, 5, 'o' } });
    for (int x = 3; x <= 10; ++x) // a corridor one cell high
        for (int y : { 3, 4, 6, 7, 8 })
            state.cells[x][y] = Ground;
    enemyPhase(game);
    EXPECT_EQ(cellOf(state.openEnemies[0]), std::pair(6, 5));
    EXPECT_EQ(view.refreshed, (std::vector<std::pair<int, int>> { { 6, 5 } }));
}
