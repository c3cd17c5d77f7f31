// A whole game of computer players of every strength, played again from its seeds: every
// direction asked for must be the recorded one. A change to the planner that changes its play
// shows here and is recorded again on purpose, with FENDRAL_RECORD_GOLDEN=1.
#include "HeadlessGame.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fendral {
namespace {

    const std::string goldenFile = FENDRAL_GOLDEN_FOLDER "/three-strengths.txt";

    // The game: its options, then one line "step player direction" per request
    std::string playedGame(const HeadlessOptions& options)
    {
        std::ostringstream record;
        record << "seed " << options.seed << " players " << options.players << " level "
               << options.level << " levels " << options.levels << " max-steps " << options.maxSteps
               << "\n";
        int step = 0;
        HeadlessGame game(options);
        game.setStepListener([&](HeadlessGame& game) {
            for (int p = 0; p < PlayerCount; ++p)
                if (const std::optional<int> request = game.computers().lastRequests()[p])
                    record << step << ' ' << p << ' ' << *request << "\n";
            ++step;
        });
        const HeadlessResult result = game.play();
        record << "completed " << result.levelsCompleted() << "\n";
        return record.str();
    }

    TEST(GoldenGame, ComputerPlayersOfEveryStrengthAskForTheRecordedDirections)
    {
        HeadlessOptions options;
        options.strengths = { Strength::Easy, Strength::Normal, Strength::Hard };
        options.players = 3;
        options.level = 3;
        options.levels = 2;
        options.maxSteps = 2500;
        options.seed = 19;
        const std::string played = playedGame(options);
        if (std::getenv("FENDRAL_RECORD_GOLDEN")) {
            std::ofstream(goldenFile) << played;
            GTEST_SKIP() << "recorded " << goldenFile;
        }
        std::ifstream file(goldenFile);
        ASSERT_TRUE(file) << goldenFile;
        std::istringstream replay(played);
        int line = 1;
        for (std::string recorded, now; std::getline(file, recorded); ++line) {
            std::getline(replay, now);
            ASSERT_EQ(now, recorded) << "line " << line << " of " << goldenFile;
        }
        EXPECT_TRUE(replay.peek() == EOF) << "the game asked for more than the record holds";
    }

} // namespace
} // namespace fendral
