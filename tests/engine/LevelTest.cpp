#include "Level.h"
#include "FakePlatform.h"
#include "FakeView.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace fendral;

namespace {

// A game on the window's 128 x 81 field; players join by teamAssignment before newGame.
struct LevelTest : testing::Test {
    LevelTest()
    {
        state.allocateGrids(128, 81);
        state.rng.seed(7);
    }
    void startWithPlayers(std::initializer_list<std::pair<int, int>> playerTeams)
    {
        for (auto [p, t] : playerTeams)
            state.teamAssignment[t][p] = 1;
        newGame(game);
    }

    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace

TEST_F(LevelTest, NewGameTakesTheFirstTeamOfEachPlayerAndBuildsTheKeyTable)
{
    state.teamAssignment[1][0] = state.teamAssignment[2][0] = 1;
    state.controlKeys[3][Up] = state.controlKeys[0][Up]; // a key shared by two players
    startWithPlayers({ { 3, 1 } });
    EXPECT_EQ(state.players[0].team, 1);
    EXPECT_EQ(state.players[1].team, -1);
    EXPECT_FALSE(state.players[1].alive);
    EXPECT_EQ(state.teams[1].members, 2);
    EXPECT_DOUBLE_EQ(state.teams[1].lives, 4.0);
    EXPECT_FALSE(state.teams[2].active);
    EXPECT_EQ(state.playersInPlay, 2);
    EXPECT_EQ(state.keyOwner[state.controlKeys[0][Up]], 4 * 3 + Up + 1); // the later player wins
    EXPECT_EQ(state.keyOwner[state.controlKeys[0][Right]], Right + 1);
    EXPECT_EQ(state.keyOwner[state.controlKeys[1][Left]], 0); // Beta sits out
    EXPECT_EQ(view.calls.front(), "ShowLayout(false)");
}

TEST_F(LevelTest, CaptionsAndEnemiesGrowWithTheLevel)
{
    startWithPlayers({ { 0, 0 } });
    EXPECT_EQ(view.levelCaption, "Level 1");
    EXPECT_EQ(view.enemyCaption, "(3; 1)");
    EXPECT_EQ(state.openEnemies.size(), 3u);
    EXPECT_EQ(state.groundEnemies.size(), 1u);

    setUpLevel(game, 50);
    EXPECT_EQ(view.levelCaption, "Level 50");
    EXPECT_EQ(view.enemyCaption, "(52; 25)");
    ASSERT_EQ(state.openEnemies.size(), 52u);
    ASSERT_EQ(state.groundEnemies.size(), 25u);
    std::set<std::pair<int, int>> openCells;
    for (const Enemy& enemy : state.openEnemies) {
        EXPECT_EQ(state.cells[enemy.x][enemy.y], Open);
        EXPECT_EQ(enemy.drawnX, (enemy.x - 1) * CellSize);
        EXPECT_EQ(std::abs(enemy.dx) + std::abs(enemy.dy), 2);
        openCells.insert({ enemy.x, enemy.y });
    }
    EXPECT_EQ(openCells.size(), 52u);
    for (const Enemy& enemy : state.groundEnemies) {
        EXPECT_GE(enemy.x, 8);
        EXPECT_LE(enemy.x, 128 - 9);
        EXPECT_LE(enemy.y, state.borderWidth);
        EXPECT_EQ(state.cells[enemy.x][enemy.y], Ground);
        for (const Enemy& other : state.groundEnemies) {
            if (&other == &enemy)
                continue;
            EXPECT_GE(std::abs(other.x - enemy.x), 2) << "neighbouring ground enemies";
        }
    }
}

TEST_F(LevelTest, BorderWidthFollowsBothDraws)
{
    startWithPlayers({ { 0, 0 } });
    for (auto [first, second, width] :
        { std::tuple { 0, 5, 3 }, { 2, 7, 2 }, { 0, 0, 4 }, { 3, 0, 4 } }) {
        state.rng.script({ first, second });
        setUpLevel(game, 2);
        EXPECT_EQ(state.borderWidth, width);
        EXPECT_EQ(state.cells[width][40], Ground);
        EXPECT_EQ(state.cells[width + 1][40], Open);
        EXPECT_EQ(state.cells[40][82 - width], Ground);
        EXPECT_EQ(state.cells[40][81 - width], Open);
    }
}

TEST_F(LevelTest, NeededShareIsTruncatedToThousandths)
{
    startWithPlayers({ { 0, 0 } });
    for (auto [level, r, share] :
        { std::tuple { 1, 0, 0.88 }, { 1, 399, 0.919 }, { 50, 399, 0.319 }, { 50, 0, 0.279 } }) {
        state.rng.script({ 1, 1, r });
        setUpLevel(game, level);
        EXPECT_DOUBLE_EQ(state.neededShare, share) << "level " << level << ", r " << r;
        EXPECT_DOUBLE_EQ(view.neededShare, share);
    }
}

TEST_F(LevelTest, FreshFieldHasItsBorderAsGroundAndItsWholeBlocksOpen)
{
    state.borderWidth = 2;
    state.cells[50][40] = TrailBase;
    state.trailDir[50][40] = Right;
    buildField(state);
    EXPECT_DOUBLE_EQ(state.fieldShare, 820.0 / 10368);
    EXPECT_EQ(state.cells[0][40], Outside);
    EXPECT_EQ(state.cells[129][40], Outside);
    EXPECT_EQ(state.cells[40][82], Outside);
    EXPECT_EQ(state.cells[127][40], Ground);
    EXPECT_EQ(state.cells[50][40], Open);
    EXPECT_EQ(state.trailDir[50][40], 0);
    // 124 x 77 interior cells: blocks 1..12 x 1..7 are whole, the rest counts as edge
    EXPECT_EQ(state.blockState[1][1], AllOpen);
    EXPECT_EQ(state.blockState[12][7], AllOpen);
    EXPECT_EQ(state.blockState[13][4], BlockHasGround);
    EXPECT_EQ(state.blockState[6][8], BlockHasGround);
    EXPECT_EQ(state.blockState[6][0], BlockHasGround);
    EXPECT_EQ(state.blockState[0][3], BlockHasGround);
}

TEST_F(LevelTest, RespawnUsesEvenlySpacedSlotsOnTheBottomRow)
{
    startWithPlayers({ { 0, 0 } });
    for (int k = 0; k < 5; ++k) {
        state.rng.script({ k });
        respawn(state, 0);
        EXPECT_EQ(state.players[0].x, 64);
        EXPECT_EQ(state.players[0].y, 81);
    }

    state.playersInPlay = 4;
    state.players[1].alive = 1;
    state.players[1].x = 52; // next to the second slot
    state.players[1].y = 81;
    state.players[0].dx = 1;
    state.players[0].drawing = state.players[0].killed = 1;
    state.rng.script({ 1, 1, 3 });
    respawn(state, 0);
    EXPECT_EQ(state.players[0].x, 102);
    EXPECT_EQ(state.rng.scriptedDrawsLeft(), 0);
    EXPECT_EQ(state.players[0].drawnX, 101 * CellSize);
    EXPECT_EQ(state.players[0].drawnY, 80 * CellSize);
    EXPECT_TRUE(state.players[0].shielded);
    EXPECT_FALSE(state.players[0].drawing || state.players[0].killed || state.players[0].dx);
    state.players[0].alive = state.players[1].alive = 0;
    for (int k = 0; k < 4; ++k) {
        state.rng.script({ k });
        respawn(state, 2);
        EXPECT_EQ(state.players[2].x, (k + 1) * 128 / 5);
    }
}

TEST_F(LevelTest, EachLevelReplacesTheTimerWithOneOfTheStepInterval)
{
    startWithPlayers({ { 0, 0 } });
    ASSERT_EQ(platform.intervals, std::vector<int> { 9 });
    const int first = state.timerId;
    state.stepMultiplier = 4; // carried over, never reset by a level
    setUpLevel(game, 2);
    EXPECT_EQ(platform.killed, std::vector<int> { first });
    EXPECT_EQ(platform.intervals.back(), 39);
    EXPECT_EQ(state.timerId, platform.runningTimer);
    EXPECT_EQ(state.stepMultiplier, 4);
    EXPECT_EQ(state.ticksToStep, 0);
    EXPECT_EQ(state.speedCheckCountdown, 15);
}

TEST_F(LevelTest, TeamWithEveryMemberOutIsDroppedForTheRestOfTheGame)
{
    startWithPlayers({ { 0, 0 }, { 1, 2 }, { 2, 2 } });
    state.players[1].alive = state.players[2].alive = 0;
    state.teams[2].outCount = 2;
    state.players[0].levelDeaths = 3;
    setUpLevel(game, 2);
    EXPECT_FALSE(state.teams[2].active);
    EXPECT_FALSE(state.teams[2].activeAtLevelStart);
    EXPECT_TRUE(view.teamEliminated[2]);
    EXPECT_TRUE(view.teamLevelStatsHidden[2]);
    EXPECT_FALSE(view.teamEliminated[0]);
    EXPECT_EQ(state.playersInPlay, 1);
    EXPECT_EQ(state.players[0].x, 64); // one slot left
    EXPECT_EQ(state.players[0].levelDeaths, 0);
    EXPECT_FALSE(view.levelStatsShown[1]);
    EXPECT_TRUE(view.levelStatsShown[0]);
    EXPECT_EQ(state.levelStartCounts, (std::array<int, 4> { 2, 1, 3, 1 }));

    setUpLevel(game, 3);
    EXPECT_EQ(state.playersInPlay, 1); // the members are not subtracted twice
    EXPECT_FALSE(state.teams[2].activeAtLevelStart);
}

TEST(LevelNarrowField, GroundEnemiesThatFindNoColumnAreLeftOut)
{
    GameState state;
    state.allocateGrids(30, 20); // columns 8..21 hold five to seven ground enemies, not 25
    state.teamAssignment[0][0] = 1;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
    newGame(game);
    setUpLevel(game, 50);
    EXPECT_GE(state.groundEnemies.size(), 5u);
    EXPECT_LE(state.groundEnemies.size(), 7u);
    EXPECT_EQ(state.groundEnemyCount, static_cast<int>(state.groundEnemies.size()));
    EXPECT_NE(state.timerId, 0);
}
