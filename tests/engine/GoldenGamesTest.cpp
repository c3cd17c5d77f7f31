// Whole games pinned: the golden games in data/ played back through the engine with every check
// value compared, and damaged files refused soundly (the soak fuzzes its own games' files too).
// FENDRAL_RECORD_GOLDEN=1 records the golden games again (after an intended change of the rules,
// with the logic version raised).
#include "ReplayFuzzer.h"
#include "ReplayPlayer.h"
#include "ScriptedGames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace fendral;

namespace {

std::string goldenPath(const GameScript& script)
{
    return std::string(FENDRAL_GOLDEN_DIR) + "/" + script.name + ".replay";
}

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

// What a played-back game showed, level by level
std::string playBack(const Replay& replay, VerifyResult& result)
{
    std::string levels;
    result = verifyReplay(replay, [&](const PlayedLevel& level) {
        levels += std::to_string(level.level) + (level.completed ? "+ " : " ");
        if (level.mismatchStep)
            levels += "mismatch at " + std::to_string(*level.mismatchStep) + " ";
    });
    return levels;
}

} // namespace

TEST(GoldenGames, EveryCheckValueOfEveryGoldenGameHolds)
{
    if (std::getenv("FENDRAL_RECORD_GOLDEN") != nullptr)
        for (const GameScript& script : goldenScripts())
            writeFile(goldenPath(script), encodeReplay(playScript(script)));
    std::array<int, 4> endings {};
    int completed = 0;
    int purchases = 0;
    for (const GameScript& script : goldenScripts()) {
        SCOPED_TRACE(script.name);
        std::string error;
        const auto replay = decodeReplay(readFile(goldenPath(script)), error);
        ASSERT_TRUE(replay) << error;
        VerifyResult result;
        const std::string levels = playBack(*replay, result);
        EXPECT_TRUE(result.ok) << levels;
        EXPECT_EQ(result.steps, replay->summary.steps);
        ++endings[static_cast<int>(result.ended)];
        completed += result.completed;
        purchases += replay->summary.livesBought;
        std::cout << script.name << ": levels " << levels << "in " << result.steps << " steps, "
                  << int { replay->summary.livesBought } << " purchases, ended by "
                  << endReasonName(result.ended) << "\n";
    }
    // The golden games between them complete levels, buy lives, and end in every way but the last
    // level
    EXPECT_GE(completed, 2);
    EXPECT_GT(purchases, 3);
    EXPECT_EQ(endings[1], 0);
    EXPECT_TRUE(endings[0] && endings[2] && endings[3]);
}

TEST(GoldenGames, DamagedFilesAreRefusedWithAReasonOrPlayedToAnEnd)
{
    ReplayFuzzer fuzzer(5);
    for (const GameScript& script : goldenScripts()) {
        const std::vector<uint8_t> valid = readFile(goldenPath(script));
        for (int i = 0; i < 300; ++i) {
            const std::vector<uint8_t> bytes = fuzzer.damaged(valid);
            EXPECT_EQ(ReplayFuzzer::tryFile(bytes), "") << script.name << " damage " << i;
        }
    }
}
