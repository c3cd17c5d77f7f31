// The hard computer player's forecast, checked against its deaths in whole seeded levels; the
// golden games of the engine tests pin how the computer players of every strength play
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <iostream>

namespace fendral {
namespace {

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
