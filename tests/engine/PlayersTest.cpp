#include "Players.h"
#include "FakeView.h"
#include "FieldPicture.h"
#include "Tick.h"

#include <gtest/gtest.h>

using namespace fendral;

// Fields of 12 x 12 cells: a ring of ground around one whole block of open cells
struct PlayersTest : testing::Test, TestGame {
    PlayersTest() { loadPicture(state, openPicture(12, 12, 1), 1); }
    Player& addPlayer(int p, int team, int x, int y)
    {
        return state.players[p] = { .team = team, .x = x, .y = y, .alive = 1 };
    }
    std::pair<int, int> cellOf(int p) const { return { state.players[p].x, state.players[p].y }; }
    void steps(int count, int direction = -1)
    {
        if (direction >= 0)
            requestDirection(state.players[0], direction);
        for (int i = 0; i < count; ++i)
            logicStep(game);
    }
};

TEST_F(PlayersTest, ThirdPressBetweenTwoStepsReplacesTheSecond)
{
    addPlayer(0, 0, 4, 5);
    for (int d : { Up, Down, Left })
        requestDirection(state.players[0], d);
    steps(2);
    EXPECT_EQ(cellOf(0), std::pair(3, 4));
}

TEST_F(PlayersTest, ReversalIsDroppedWhileDrawingButAppliedOnTheGround)
{
    addPlayer(0, 0, 5, 5).drawing = 1;
    addPlayer(1, 1, 5, 12);
    for (int p : { 0, 1 }) {
        state.players[p].dx = 1;
        requestDirection(state.players[p], Left);
    }
    movePhase(game);
    EXPECT_EQ(std::pair(cellOf(0), cellOf(1)), std::pair(std::pair(6, 5), std::pair(4, 12)));
}

TEST_F(PlayersTest, PlayerHaltsAfterClosingAndIsCreditedItsTrail)
{
    loadPicture(state, openPicture(12, 12, 2), 2); // without enemies: the whole interior is taken
    addPlayer(0, 0, 5, 2);
    steps(9, Down); // eight trail cells down to the lower border
    EXPECT_EQ(cellOf(0), std::pair(5, 11));
    EXPECT_DOUBLE_EQ(state.players[0].levelShare, 64.0 / 144);
    steps(1);
    EXPECT_EQ(cellOf(0), std::pair(5, 11));
}

TEST_F(PlayersTest, SteppingOnTheOwnTrailKillsOneStepLaterAndErasesTheTrail)
{
    addPlayer(0, 0, 5, 1);
    for (int d : { Down, Down, Right, Up, Left }) // back onto the first trail cell
        steps(1, d);
    EXPECT_EQ(state.players[0].deaths, 0);
    steps(1);
    EXPECT_EQ(state.players[0].deaths, 1);
    EXPECT_EQ(std::pair(state.cells[5][2], state.cells[6][2]), std::pair(Open, Open));
}

TEST_F(PlayersTest, ContactKillsTwoOnTheSameFootingButNeverAShieldedPlayer)
{
    for (auto [drawing0, shielded0, drawing1, killed] :
        { std::tuple { 0, 0, 0, 1 }, { 1, 0, 1, 1 }, { 0, 1, 0, 0 }, { 1, 0, 0, 0 } }) {
        Player& first = addPlayer(0, 0, 3, 3);
        Player& second = addPlayer(1, 0, 4, 4); // a teammate
        first.drawing = drawing0;
        first.shielded = shielded0;
        second.drawing = drawing1;
        hazardPhase(state);
        EXPECT_EQ(std::pair(first.killed, second.killed), std::pair(killed, killed));
    }
}
