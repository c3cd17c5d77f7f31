#include "Enemies.h"

#include "FieldPicture.h"

#include <gtest/gtest.h>

namespace fendral {
namespace {

    // Fields are 12 x 10 with a border two cells thick: the interior is columns 3..10, rows 3..8.
    class EnemiesTest : public testing::Test {
    protected:
        void load(const std::vector<std::string>& rows) { loadPicture(state, rows, 2); }

        void place(int p, int x, int y, bool drawing, bool shielded = false)
        {
            Player& player = state.players[p];
            player.alive = 1;
            player.x = x;
            player.y = y;
            player.drawing = drawing ? 1 : 0;
            player.shielded = shielded ? 1 : 0;
        }

        void expectAt(const Enemy& enemy, int x, int y)
        {
            EXPECT_EQ(enemy.x, x);
            EXPECT_EQ(enemy.y, y);
        }

        GameState state;
    };

    TEST_F(EnemiesTest, OpenEnemyCrossingATrailAtTheCornerKillsItsOwnerInTheSameStep)
    {
        load({ "############", "############", "##........##", "##........##",
            "##..oc....##", // the enemy moves from (5, 5) to (6, 6)
            "##..b.....##", "##....d...##", "##........##", "############", "############" });
        for (int p = 1; p <= 3; ++p)
            place(p, 10, 3, true);

        enemyPhase(state);

        expectAt(state.openEnemies[0], 6, 6);
        EXPECT_EQ(state.dies, (std::array<int, PlayerCount> { 0, 1, 1, 0 }));
        for (const Player& player : state.players)
            EXPECT_EQ(player.killed, 0);
    }

    TEST_F(EnemiesTest, OpenEnemyLandingBesideADrawingPlayerMarksItButSparesPlayersOffTrail)
    {
        load(openPicture(12, 10, 2));
        state.openEnemies.push_back({ 5, 5, 1, 1, 32, 32 });
        place(0, 7, 7, true);
        place(1, 5, 7, false);

        enemyPhase(state);

        EXPECT_EQ(state.players[0].killed, 1);
        EXPECT_EQ(state.players[1].killed, 0);
        EXPECT_EQ(state.dies, (std::array<int, PlayerCount> {}));
    }

    TEST_F(EnemiesTest, GroundEnemyRunsAlongATwoCellBorderReflectingAtBothEdges)
    {
        std::vector<std::string> rows = openPicture(12, 10, 2);
        rows[5 - 1][1 - 1] = 'g';
        load(rows);
        const Enemy& enemy = state.groundEnemies[0];

        const std::vector<std::pair<int, int>> expected { { 2, 6 }, { 1, 7 }, { 2, 8 }, { 1, 9 },
            { 2, 10 }, { 3, 9 }, { 4, 10 } };
        for (const auto& [x, y] : expected) {
            enemyPhase(state);
            expectAt(enemy, x, y);
        }
        for (int step = 0; step < 100; ++step) {
            const int x = enemy.x;
            const int y = enemy.y;
            enemyPhase(state);
            ASSERT_EQ(state.cells[enemy.x][enemy.y], Ground);
            ASSERT_EQ(std::abs(enemy.x - x) + std::abs(enemy.y - y), 2);
        }
    }

    TEST_F(EnemiesTest, FreshGroundIsAtOncePassableForGroundEnemiesAndAWallForOpenEnemies)
    {
        std::vector<std::string> rows = openPicture(12, 10, 2);
        for (int y = 3; y <= 8; ++y)
            rows[y - 1][6 - 1] = rows[y - 1][7 - 1] = 'a';
        rows[2 - 1][6 - 1] = 'g';
        rows[5 - 1][5 - 1] = 'o';

        load(rows);
        enemyPhase(state);
        expectAt(state.groundEnemies[0], 7, 1); // the trail turns it back into the border
        expectAt(state.openEnemies[0], 6, 6); // and lets the open enemy in

        load(rows);
        closeTrails(state, { 0 });
        enemyPhase(state);
        expectAt(state.groundEnemies[0], 7, 3);
        expectAt(state.openEnemies[0], 4, 6);
    }

    TEST_F(EnemiesTest, GroundEnemyPassingOverTheBottomRowSparesShieldedAndDrawingPlayers)
    {
        std::vector<std::string> rows = openPicture(12, 10, 2);
        rows[9 - 1][3 - 1] = 'g'; // moves to (4, 10)
        load(rows);
        place(0, 5, 10, false, true);
        place(1, 3, 10, false);
        place(2, 5, 9, true);

        enemyPhase(state);

        expectAt(state.groundEnemies[0], 4, 10);
        EXPECT_EQ(state.players[0].killed, 0);
        EXPECT_EQ(state.players[1].killed, 1);
        EXPECT_EQ(state.players[2].killed, 0);
    }

    TEST_F(EnemiesTest, BoxedInOpenEnemyStaysOnItsCellUntilItCanMoveAgain)
    {
        std::vector<std::string> rows(10, std::string(12, '#'));
        rows[5 - 1] = "##........##"; // a corridor one cell high
        rows[5 - 1][6 - 1] = 'o';
        load(rows);
        const Enemy& enemy = state.openEnemies[0];

        for (int step = 0; step < 2; ++step) {
            enemyPhase(state);
            expectAt(enemy, 6, 5);
            // The display glides the sprite one cell along its velocity, back onto its own cell
            EXPECT_EQ(enemy.drawnX + CellSize * enemy.dx, (6 - 1) * CellSize);
            EXPECT_EQ(enemy.drawnY + CellSize * enemy.dy, (5 - 1) * CellSize);
        }

        for (int x = 3; x <= 10; ++x)
            state.cells[x][4] = state.cells[x][6] = Open;
        enemyPhase(state);
        EXPECT_EQ(std::abs(enemy.x - 6), 1);
        EXPECT_EQ(std::abs(enemy.y - 5), 1);
    }

} // namespace
} // namespace fendral
