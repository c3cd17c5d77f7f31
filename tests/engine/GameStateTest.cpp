#include "GameState.h"
#include "FieldPicture.h"

#include <gtest/gtest.h>

using namespace fendral;

TEST(GameState, OnlyTrailCodesAreTrails)
{
    for (int p = 0; p < PlayerCount; ++p)
        EXPECT_TRUE(isTrail(static_cast<uint8_t>(TrailBase + p)));
    EXPECT_FALSE(isTrail(Open));
    EXPECT_FALSE(isTrail(Ground));
    EXPECT_FALSE(isTrail(Outside));
}

TEST(GameState, BlocksPastTheLastWholeOneAreHandledCellByCell)
{
    GameState state;
    state.allocateGrids(128, 81);
    state.borderWidth = 2; // 124 interior columns: blocks 1..12 and four columns in block 13
    EXPECT_EQ(blockOf(state, 3, 3).bx, 1);
    EXPECT_EQ(blockOf(state, 122, 3).bx, 12);
    EXPECT_EQ(blockOf(state, 123, 3).bx, 13);
    EXPECT_EQ(state.blockState.columns(), 14);

    state.borderWidth = 1; // 126 interior columns: six of them in block 13
    EXPECT_EQ(blockOf(state, 122, 2).bx, 13);
    EXPECT_EQ(blockOf(state, 126, 2).bx, 13);
}

TEST(GameState, RandomOfZeroDrawsNothing)
{
    GameState state;
    state.rng.script({ 7 });
    EXPECT_EQ(random(state, 0), 0);
    EXPECT_EQ(state.rng.scriptedDrawsLeft(), 1);
    EXPECT_EQ(random(state, 10), 7);
}

TEST(GameState, RandomStaysInRange)
{
    GameState state;
    state.rng.seed(12345);
    for (int i = 0; i < 1000; ++i) {
        const int value = random(state, 7);
        ASSERT_GE(value, 0);
        ASSERT_LT(value, 7);
    }
}

TEST(GameState, DistanceIsChebyshev)
{
    EXPECT_EQ(distance(3, 4, 3, 4), 0);
    EXPECT_EQ(distance(3, 4, 4, 5), 1);
    EXPECT_EQ(distance(1, 1, 4, 2), 3);
    EXPECT_EQ(distance(10, 1, 8, 9), 8);
}

TEST(GameState, TintIsSevenEighthsGround)
{
    GameState state;
    state.levelColour = 1; // ground 0xF8F8F8
    EXPECT_EQ(tintColour(state, 0xF8F8F8), 0xF8F8F8u);
    EXPECT_EQ(tintColour(state, 0x000000), 0xD9D9D9u);
    // Ground 0x01778B: red (7*0x8B + 0xD0) / 8, green 7*(0x77/8), blue 7*(0x01/8)
    state.levelColour = 0;
    EXPECT_EQ(tintColour(state, 0x0000D0),
        (0u << 16) | ((7u * (0x77 / 8)) << 8) | ((7 * 0x8B + 0xD0) / 8));
}

TEST(GameState, CreditReachesPlayerTeamAndField)
{
    GameState state;
    state.players[2].team = 1;
    state.fieldShare = 0.1;
    credit(state, 2, 0.25);
    credit(state, 2, 0.25);
    EXPECT_DOUBLE_EQ(state.players[2].levelShare, 0.5);
    EXPECT_DOUBLE_EQ(state.players[2].totalShare, 0.5);
    EXPECT_DOUBLE_EQ(state.teams[1].levelShare, 0.5);
    EXPECT_DOUBLE_EQ(state.teams[1].totalShare, 0.5);
    EXPECT_DOUBLE_EQ(state.fieldShare, 0.6);
    EXPECT_DOUBLE_EQ(state.teams[0].totalShare, 0.0);
}

TEST(FieldPicture, RoundTripsAndMarksBlocks)
{
    GameState state;
    std::vector<std::string> rows(14, std::string(14, '#'));
    for (int y = 2; y < 12; ++y)
        rows[y] = "##" + std::string(10, '.') + "##";
    rows[5][6] = 'b';
    loadPicture(state, rows, 2);
    EXPECT_EQ(picture(state), rows);
    EXPECT_EQ(state.cells[0][0], Outside);
    EXPECT_EQ(state.blockState[1][1], 2);
    EXPECT_EQ(state.blockState[0][1], BlockHasGround);
    EXPECT_EQ(state.blockState[2][1], BlockHasGround);
}
