#include "Level.h"
#include "FakePlatform.h"
#include "FakeView.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace fendral;

namespace {

struct LevelTest : testing::Test {
    void start(int width, std::initializer_list<std::pair<int, int>> playerTeams)
    {
        state.allocateGrids(width, 81);
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

TEST_F(LevelTest, NewGameTakesTheFirstTeamOfEachPlayerAndTheLaterOwnerOfAKey)
{
    state.teamAssignment[1][0] = state.teamAssignment[2][0] = 1;
    state.controlKeys[3][Up] = state.controlKeys[0][Up];
    start(128, { { 3, 1 } });
    EXPECT_EQ(state.players[0].team, 1);
    EXPECT_EQ(state.teams[1].members, 2);
    EXPECT_DOUBLE_EQ(state.teams[1].lives, 4.0);
    EXPECT_EQ(state.playersInPlay, 2);
    EXPECT_EQ(state.keyOwner[state.controlKeys[0][Up]], 4 * 3 + Up + 1);
    EXPECT_EQ(state.keyOwner[state.controlKeys[0][Right]], Right + 1);
    EXPECT_EQ(state.keyOwner[state.controlKeys[1][Left]], 0); // Beta sits out
}

TEST_F(LevelTest, CaptionsAndEnemiesGrowWithTheLevel)
{
    start(128, { { 0, 0 } });
    EXPECT_EQ(view.levelCaption, "Level 1");
    EXPECT_EQ(view.enemyCaption, "(3; 1)");
    setUpLevel(game, 50);
    EXPECT_EQ(view.levelCaption, "Level 50");
    EXPECT_EQ(view.enemyCaption, "(52; 25)");
    ASSERT_EQ(state.openEnemies.size(), 52u);
    ASSERT_EQ(state.groundEnemies.size(), 25u);
    for (const Enemy& enemy : state.openEnemies)
        EXPECT_EQ(state.cells[enemy.x][enemy.y], Open);
    for (const Enemy& enemy : state.groundEnemies) {
        EXPECT_TRUE(enemy.x >= 8 && enemy.x <= 119 && enemy.y <= state.borderWidth);
        for (const Enemy& other : state.groundEnemies)
            EXPECT_TRUE(&other == &enemy || std::abs(other.x - enemy.x) >= 2);
    }
}

TEST_F(LevelTest, NeededShareIsTruncatedToThousandths)
{
    start(128, { { 0, 0 } });
    for (auto [level, r, share] :
        { std::tuple { 1, 0, 0.88 }, { 50, 399, 0.319 }, { 50, 0, 0.279 } }) {
        state.rng.script({ 1, 1, r }); // border 2, then the share's draw
        setUpLevel(game, level);
        EXPECT_DOUBLE_EQ(state.neededShare, share) << "level " << level << ", r " << r;
        EXPECT_DOUBLE_EQ(view.neededShare, share);
    }
}

TEST_F(LevelTest, BorderCountsTowardTheShareFromTheStart)
{
    state.allocateGrids(128, 81);
    state.borderWidth = 2;
    buildField(state);
    EXPECT_DOUBLE_EQ(state.fieldShare, 820.0 / 10368);
    EXPECT_EQ(state.cells[2][40], Ground);
    EXPECT_EQ(state.cells[3][40], Open);
    EXPECT_EQ(state.cells[40][80], Ground);
    EXPECT_EQ(state.blockState[12][7], AllOpen); // 124 x 77 interior: 12 x 7 whole blocks
    EXPECT_EQ(state.blockState[13][7], BlockHasGround);
}

TEST_F(LevelTest, RespawnPicksAFreeSlotOnTheBottomRow)
{
    start(128, { { 0, 0 } });
    for (int k = 0; k < 3; ++k) {
        state.rng.script({ k });
        respawn(state, 0);
        EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(64, 81));
    }
    state.playersInPlay = 4;
    state.players[1] = { .x = 52, .y = 81, .alive = 1 }; // next to the second slot
    state.rng.script({ 1, 1, 3 });
    respawn(state, 0);
    EXPECT_EQ(state.players[0].x, 4 * 128 / 5);
    EXPECT_EQ(state.rng.scriptedDrawsLeft(), 0);
    state.rng.script({ 0 });
    respawn(state, 2);
    EXPECT_EQ(state.players[2].x, 128 / 5);
}

TEST_F(LevelTest, EachLevelReplacesTheTimer)
{
    start(128, { { 0, 0 } });
    ASSERT_EQ(platform.intervals, std::vector<int> { 9 });
    const int first = state.timerId;
    state.stepMultiplier = 4;
    setUpLevel(game, 2);
    EXPECT_EQ(platform.killed, std::vector<int> { first });
    EXPECT_EQ(platform.intervals.back(), 39);
    EXPECT_EQ(state.timerId, platform.runningTimer);
}

TEST_F(LevelTest, TeamWithEveryMemberOutIsDroppedForTheRestOfTheGame)
{
    start(128, { { 0, 0 }, { 1, 2 }, { 2, 2 } });
    state.players[1].alive = state.players[2].alive = 0;
    setUpLevel(game, 2);
    EXPECT_TRUE(view.teamEliminated[2] && view.teamLevelStatsHidden[2]);
    EXPECT_FALSE(view.teamEliminated[0] || view.levelStatsShown[1]);
    EXPECT_EQ(state.playersInPlay, 1);
    EXPECT_EQ(state.levelStartCounts, (std::array<int, 4> { 2, 1, 3, 1 }));
    setUpLevel(game, 3);
    EXPECT_EQ(state.playersInPlay, 1); // its members are not taken off twice
    EXPECT_FALSE(state.teams[2].activeAtLevelStart);
}

TEST_F(LevelTest, GroundEnemiesThatFindNoColumnOnANarrowFieldAreLeftOut)
{
    start(30, { { 0, 0 } }); // columns 8..21 take five to seven ground enemies, not 25
    setUpLevel(game, 50);
    EXPECT_GE(state.groundEnemies.size(), 5u);
    EXPECT_LE(state.groundEnemies.size(), 7u);
    EXPECT_EQ(state.groundEnemyCount, static_cast<int>(state.groundEnemies.size()));
}
