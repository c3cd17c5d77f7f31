// Level set-up and respawns; the captions, enemy counts and shares of a level are read out on the
// real window (Window.AGameShowsInAFixedClientAreaItsCanvasChangesAndItsLevelBox)
#include "Level.h"
#include "FakeView.h"
#include "Players.h"

#include <gtest/gtest.h>

using namespace fendral;

struct LevelTest : testing::Test, TestGame { };

// With every slot of the bottom row next to another player, a respawn takes the nearest free cell
// (the golden games pin the slot drawn when one is free)
TEST_F(LevelTest, RespawnTakesTheNearestFreeCellWhenEverySlotIsTaken)
{
    start({ { 0, 0 } });
    for (auto [inPlay, others] :
        { std::pair { 0, std::vector { 64 } }, { 1, { 64 } }, { 3, { 33, 64, 95 } } }) {
        state.playersInPlay = inPlay;
        for (int q = 1; q < PlayerCount; ++q)
            state.players[q] = q <= int(others.size())
                ? Player { .x = others[q - 1], .y = 81, .alive = 1 }
                : Player {};
        respawn(state, 0); // loops for ever if no free cell is looked for
        for (const Player& other : state.players)
            EXPECT_TRUE(&other == &state.players[0] || !other.alive
                || distance(state.players[0].x, 81, other.x, other.y) > 1)
                << inPlay;
        EXPECT_EQ(state.players[0].y, 81);
    }
}

TEST_F(LevelTest, TeamWithEveryMemberOutIsDroppedForTheRestOfTheGame)
{
    start({ { 0, 0 }, { 1, 2 }, { 2, 2 } });
    state.players[1].alive = state.players[2].alive = 0;
    setUpLevel(game, 2);
    EXPECT_EQ(std::pair(state.teams[0].active, state.teams[2].active), std::pair(1, 0));
    setUpLevel(game, 3);
    EXPECT_EQ(state.playersInPlay, 1); // its members are taken off once
}
