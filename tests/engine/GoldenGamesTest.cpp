// Whole games pinned: the golden games in data/ played back through the engine with every check
// value compared and played again by their computer players, telling the players what they told
// and painting what they painted before, and damaged files refused soundly.
// FENDRAL_RECORD_GOLDEN=1 records the golden games again (after an intended change of the rules,
// with the logic version raised).
#include "FakeView.h"
#include "FileBytes.h"
#include "ReplayPlayer.h"
#include "ScriptedGames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace fendral;

namespace {

std::string goldenPath(const GameScript& script)
{
    return std::string(FENDRAL_GOLDEN_DIR) + "/" + script.name + ".replay";
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

// What the game told the players: the messages and layouts shown, in order, then for each kind of
// event how many were heard for the whole game and for each player, and the shares they carried,
// then how many cells were painted in each colour
std::string told(const FakeView& view)
{
    std::ostringstream text;
    for (const std::string& call : view.calls)
        text << call << '\n';
    for (int kind = 0; kind < GameEvent::KindCount; ++kind) {
        text << "event " << kind << ":";
        for (const int count : view.heard[kind])
            text << ' ' << count;
        text << " share " << view.heardShare[kind] << '\n';
    }
    for (const auto& [colour, cells] : view.painted)
        text << "painted " << std::hex << colour << std::dec << ": " << cells << '\n';
    return text.str();
}

// A damaged copy of the encoded valid file: cut short, bytes flipped or overwritten, a block
// repeated, or random bytes after a valid beginning
std::vector<uint8_t> damaged(const std::vector<uint8_t>& valid, RandomGenerator& dice)
{
    std::vector<uint8_t> bytes = valid;
    const auto at
        = [&] { return static_cast<std::size_t>(dice.next(static_cast<int>(bytes.size()))); };
    switch (dice.next(5)) {
    case 0:
        bytes.resize(at());
        break;
    case 1:
        for (int i = 0, n = 1 + dice.next(3); i < n; ++i)
            bytes[at()] ^= static_cast<uint8_t>(1 << dice.next(8));
        break;
    case 2:
        bytes[at()] = static_cast<uint8_t>(dice.next(256));
        break;
    case 3: {
        const std::size_t from = at();
        const std::size_t length = std::min<std::size_t>(bytes.size() - from, 1 + dice.next(40));
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at()),
            valid.begin() + static_cast<std::ptrdiff_t>(from),
            valid.begin() + static_cast<std::ptrdiff_t>(from + length));
        break;
    }
    default:
        // Random bytes after a valid beginning, at least the magic word and the versions
        bytes.resize(std::max<std::size_t>(12, at()));
        for (int i = 0, n = dice.next(200); i < n; ++i)
            bytes.push_back(static_cast<uint8_t>(dice.next(256)));
    }
    return bytes;
}

// Decodes the bytes and plays what the decoder accepts; returns what broke, empty when the file
// was refused with a reason or played to an end or a mismatch
std::string tryFile(const std::vector<uint8_t>& bytes)
{
    std::string error;
    const std::optional<Replay> replay = decodeReplay(bytes, error);
    if (!replay)
        return error.empty() ? "refused without a reason" : "";
    if (!error.empty())
        return "accepted with an error: " + error;
    verifyReplay(*replay, [](const PlayedLevel&) {});
    return "";
}

} // namespace

TEST(GoldenGames, EveryCheckValueOfEveryGoldenGameHolds)
{
    const bool recording = std::getenv("FENDRAL_RECORD_GOLDEN") != nullptr;
    std::array<int, 4> endings {};
    int completed = 0;
    int purchases = 0;
    for (const GameScript& script : goldenScripts()) {
        SCOPED_TRACE(script.name);
        // Played again, the computer players ask for the same directions at the same steps, and
        // the game tells the players the same
        TestGame test;
        const std::vector<uint8_t> played = encodeReplay(playScript(script, test, [] {}));
        const std::string toldNow = told(test.view), toldPath = goldenPath(script) + ".told";
        if (recording) {
            writeFileBytes(goldenPath(script), played);
            writeFileBytes(toldPath, { toldNow.begin(), toldNow.end() });
        }
        const std::vector<uint8_t> kept = readFileBytes(goldenPath(script));
        EXPECT_TRUE(played == kept) << "the game played again differs";
        const std::vector<uint8_t> toldBefore = readFileBytes(toldPath);
        EXPECT_EQ(toldNow, std::string(toldBefore.begin(), toldBefore.end()));
        std::string error;
        const auto replay = decodeReplay(kept, error);
        ASSERT_TRUE(replay) << error;
        VerifyResult result;
        const std::string levels = playBack(*replay, result);
        EXPECT_TRUE(result.ok) << levels;
        EXPECT_EQ(result.steps, replay->summary.steps);
        ++endings[static_cast<int>(result.ended)];
        completed += result.completed;
        purchases += replay->summary.livesBought;
    }
    // The golden games between them complete levels, buy lives, and end in every way
    EXPECT_GE(completed, 2);
    EXPECT_GT(purchases, 3);
    EXPECT_EQ(std::count(endings.begin(), endings.end(), 0), 0);
}

TEST(GoldenGames, DamagedFilesAreRefusedWithAReasonOrPlayedToAnEnd)
{
    RandomGenerator dice;
    dice.seed(5);
    for (const GameScript& script : goldenScripts()) {
        const std::vector<uint8_t> valid = readFileBytes(goldenPath(script));
        for (int i = 0; i < 300; ++i) {
            const std::vector<uint8_t> bytes = damaged(valid, dice);
            EXPECT_EQ(tryFile(bytes), "") << script.name << " damage " << i;
        }
    }
}
