// A whole game of computer players of every strength, kept as a replay: it verifies, and played
// again from the seeds in its header every direction asked for is the recorded one. A change to
// the planner that changes its play shows here and is recorded again on purpose, with
// FENDRAL_RECORD_GOLDEN=1.
#include "FileBytes.h"
#include "HeadlessGame.h"
#include "ReplayPlayer.h"
#include "ReplayRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace fendral {
namespace {

    const std::string goldenFile = FENDRAL_GOLDEN_FOLDER "/three-strengths.replay";
    constexpr int Levels = 3;
    constexpr int MaxSteps = 2500;

    Replay playedGame(const HeadlessOptions& options)
    {
        ReplayRecorder recorder;
        return recordHeadlessGame(options, recorder);
    }

    // The game the header describes: its seed, starting level and computer players
    HeadlessOptions optionsOf(const ReplayHeader& header)
    {
        HeadlessOptions options { {}, 0, header.startingLevel, Levels, MaxSteps,
            static_cast<uint32_t>(header.seed) };
        for (const PlayerSetup& player : header.players)
            if (player.controller == Controller::Computer) {
                options.strengths.push_back(static_cast<Strength>(player.strength));
                ++options.players;
            }
        return options;
    }

    std::vector<ReplayEvent> directions(const Replay& replay)
    {
        std::vector<ReplayEvent> requests;
        std::copy_if(replay.events.begin(), replay.events.end(), std::back_inserter(requests),
            [](const ReplayEvent& event) { return event.kind == EventKind::Direction; });
        return requests;
    }

    TEST(GoldenGame, ComputerPlayersOfEveryStrengthAskForTheRecordedDirections)
    {
        if (std::getenv("FENDRAL_RECORD_GOLDEN")) {
            const HeadlessOptions options { { Strength::Easy, Strength::Normal, Strength::Hard }, 3,
                47, Levels, MaxSteps, 19 };
            writeFileBytes(goldenFile, encodeReplay(playedGame(options)));
            GTEST_SKIP() << "recorded " << goldenFile;
        }
        std::string error;
        const std::optional<Replay> golden = decodeReplay(readFileBytes(goldenFile), error);
        ASSERT_TRUE(golden) << goldenFile << ": " << error;
        EXPECT_TRUE(verifyReplay(*golden, [](const PlayedLevel&) {}).ok);
        const std::vector<ReplayEvent> recorded = directions(*golden);
        const std::vector<ReplayEvent> asked = directions(playedGame(optionsOf(golden->header)));
        const auto [was, is]
            = std::mismatch(recorded.begin(), recorded.end(), asked.begin(), asked.end());
        ASSERT_TRUE(was == recorded.end() && is == asked.end())
            << "the first request that differs is at step "
            << (was != recorded.end() ? was->step : is->step);
    }

} // namespace
} // namespace fendral
