// The computer players' promises, checked before every logic step of whole seeded games
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <iostream>

namespace fendral {
namespace {

    // Whatever it asks for is one of the four directions, and never the step back onto its own
    // trail, which the game would drop or, through another turn, kill it for.
    void checkRequests(HeadlessGame& game)
    {
        const GameState& state = game.state();
        for (int p = 0; p < PlayerCount; ++p) {
            const std::optional<int> request = game.computers().lastRequests()[p];
            const Player& player = state.players[p];
            if (!request)
                continue;
            ASSERT_GE(*request, Up);
            ASSERT_LE(*request, Right);
            const Step step = directionStep(*request);
            if (player.drawing) {
                ASSERT_FALSE(step.dx == -player.dx && step.dy == -player.dy) << "player " << p;
            }
            ASSERT_NE(state.cells[player.x + step.dx][player.y + step.dy], TrailBase + p);
        }
    }

    TEST(Planner, AsksOnlyForDirectionsThatKeepOffItsOwnTrail)
    {
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            HeadlessGame game({ .strengths = { Strength::Hard, Strength::Easy, Strength::Normal },
                .players = 1 + static_cast<int>(seed % 4),
                .level = 1 + static_cast<int>(seed * 7 % 50),
                .levels = 2,
                .maxSteps = 600,
                .seed = seed });
            game.setStepListener([](HeadlessGame& game) { checkRequests(game); });
            game.play();
            ASSERT_FALSE(testing::Test::HasFatalFailure()) << "seed " << seed;
        }
    }

    // The enemies' motion is deterministic: a death the hard player's own forecast held when it
    // chose its path is a fault of the planner. Counted over many seeded levels.
    TEST(Planner, HardPlayerDiesOnlyWhereItsForecastWasWrong)
    {
        int deaths = 0;
        int seenComing = 0;
        for (uint32_t seed = 1; seed <= 40; ++seed) {
            HeadlessGame game({ .level = 1 + static_cast<int>(seed * 13 % 50),
                .levels = 1,
                .maxSteps = 4000,
                .seed = seed });
            bool sawBefore = false;
            bool sawNow = false;
            int deathsBefore = 0;
            game.setStepListener([&](HeadlessGame& game) {
                const int deathsNow = game.state().players[0].deaths;
                if (deathsNow > deathsBefore) {
                    deaths += deathsNow - deathsBefore;
                    seenComing += sawBefore || sawNow;
                }
                deathsBefore = deathsNow;
                sawBefore = sawNow;
                sawNow = game.computers().players().front().sawItComing();
            });
            game.play();
        }
        std::cout << "hard player: " << deaths << " deaths, " << seenComing
                  << " of them seen coming\n";
        RecordProperty("deaths", deaths);
        RecordProperty("seenComing", seenComing);
        EXPECT_EQ(seenComing, 0);
    }

} // namespace
} // namespace fendral
