#include "Level.h"
#include "FakeView.h"
#include "Players.h"

#include <gtest/gtest.h>

using namespace fendral;

struct LevelTest : testing::Test, TestGame { };

TEST_F(LevelTest, EachLevelShowsItsEnemiesAndDrawsTheShareItNeeds)
{
    start({ { 0, 0 } });
    for (auto [level, r, captions, enemies, share] :
        { std::tuple { 1, 0, "Level 1 (3; 1)", 4ul, 0.88 },
            { 50, 399, "Level 50 (52; 25)", 77ul, 0.319 },
            { 50, 0, "Level 50 (52; 25)", 77ul, 0.279 } }) {
        SCOPED_TRACE(share);
        state.rng.script({ 1, 1, r }); // border 2, then the share's draw
        setUpLevel(game, level);
        EXPECT_EQ(view.calls.back(), captions);
        EXPECT_EQ(state.openEnemies.size() + state.groundEnemies.size(), enemies);
        EXPECT_DOUBLE_EQ(state.neededShare, share);
        EXPECT_DOUBLE_EQ(state.fieldShare, 820.0 / 10368); // the border counts from the start
    }
}

TEST_F(LevelTest, RespawnPicksAFreeSlotOnTheBottomRow)
{
    start({ { 0, 0 } });
    state.rng.script({ 2 });
    respawn(state, 0);
    EXPECT_EQ(std::pair(state.players[0].x, state.players[0].y), std::pair(64, 81));
    state.playersInPlay = 4;
    state.players[1] = { .x = 52, .y = 81, .alive = 1 }; // next to the second slot
    state.rng.script({ 1, 3 });
    respawn(state, 0);
    EXPECT_EQ(state.players[0].x, 4 * 128 / 5);
}

TEST_F(LevelTest, RespawnWithEverySlotTakenPlacesThePlayerOnTheNearestFreeCellInstead)
{
    start({ { 0, 0 } });
    // No players in play, one, and three for the four players alive: each time the slots are
    // next to other players
    for (auto [inPlay, others] :
        { std::pair { 0, std::vector { 64 } }, { 1, { 64 } }, { 3, { 33, 64, 95 } } }) {
        SCOPED_TRACE(inPlay);
        state.playersInPlay = inPlay;
        for (int q = 1; q < PlayerCount; ++q)
            state.players[q] = {};
        for (std::size_t i = 0; i < others.size(); ++i)
            state.players[i + 1] = { .x = others[i], .y = state.H, .alive = 1 };
        respawn(state, 0); // loops for ever if no free cell is looked for
        const Player& player = state.players[0];
        EXPECT_EQ(player.y, state.H);
        for (int q = 1; q < PlayerCount; ++q) {
            const Player& other = state.players[q];
            EXPECT_TRUE(!other.alive || distance(player.x, player.y, other.x, other.y) > 1);
        }
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

TEST(GameState, TintIsSevenEighthsGroundAndOneEighthThePlayersColour)
{
    GameState state;
    for (auto [levelColour, colour, tint] : { std::tuple { 1, 0xF8F8F8u, 0xF8F8F8u },
             { 1, 0x000000u, 0xD9D9D9u }, { 0, 0x0000D0u, 0x006293u } }) {
        state.levelColour = levelColour;
        EXPECT_EQ(tintColour(state, colour), tint) << std::hex << colour;
    }
}
