// A game's record, which the summary shows, and its replay tell the same story: scripted games
// that end in every way are written down level by level, and their replays, through the file
// format, play back to the same end.
#include "GameRecord.h"
#include "FakeView.h"
#include "ReplayPlayer.h"
#include "ScriptedGames.h"

#include <gtest/gtest.h>

using namespace fendral;

namespace {

struct RecordedGame {
    GameScript script;
    int raceTo; // levels below it are completed in their first tick, as by a capture
    int levelReached; // the level of the game's end, or the last level written down
    bool ended; // lost or completed, not left
};

} // namespace

TEST(GameRecord, TellsTheLevelsAndPurchasesOfGamesThatEndInEveryWay)
{
    std::vector<RecordedGame> games {
        { goldenScripts()[0], 0, 3, true }, // lost at level 3
        { goldenScripts()[1], 0, 6, false }, // 99 purchases, left for the menu in level 7
        { goldenScripts()[3], 0, GameRecord::AllLevelsCompleted, true }, // after purchases
        { { .name = "the last two levels",
              .seed = 7,
              .playerTeams = { { 0, 0 }, { 2, 0 } },
              .startingLevel = 49 },
            LastLevel + 1, GameRecord::AllLevelsCompleted, true },
        { { .name = "lost at the last level",
              .seed = 13,
              .playerTeams = { { 1, 1 } },
              .stepBudget = 100000,
              .startingLevel = LastLevel },
            0, LastLevel, true },
    };
    for (const auto& [script, raceTo, levelReached, ended] : games) {
        SCOPED_TRACE(script.name);
        TestGame test;
        test.view.whenDrawn = [&test, raceTo] {
            if (test.state.level < raceTo)
                test.state.fieldShare = test.state.neededShare;
        };
        GameRecord record;
        const Replay replay = playScript(script, test, [&] {
            if (!record.hasStarted())
                record.start(test.state);
            record.observe(test.state);
        });
        EXPECT_EQ(
            std::pair(record.levelReached(), record.hasEnded()), std::pair(levelReached, ended));
        EXPECT_EQ(record.livesBought(), replay.summary.livesBought);
        if (raceTo != 0) {
            // Two levels completed without a capture between them: the earlier is the best
            EXPECT_EQ(record.bestLevelIndex(), 0);
        }

        std::string error;
        const std::optional<Replay> decoded = decodeReplay(encodeReplay(replay), error);
        ASSERT_TRUE(decoded) << error;
        if (raceTo != 0)
            continue; // the levels' help is not in the replay: it plays back to a mismatch
        const VerifyResult result = verifyReplay(*decoded, [](const PlayedLevel&) {});
        EXPECT_TRUE(result.ok);
        EXPECT_EQ(std::pair(result.ended, result.steps),
            std::pair(replay.summary.ended, int64_t { replay.summary.steps }));
    }
}
