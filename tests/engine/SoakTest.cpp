// The soak: many seeded random games played one after another on one game state, as the window
// plays them, by computer players of random strengths through the real engine with the window's
// commands given at random, the state's rules checked after every logic step and every new level.
// FENDRAL_SOAK_STEPS sets the number of logic steps, FENDRAL_SOAK_SEED the seed.
#include "FakeView.h"
#include "ScriptedGames.h"
#include "StateInvariants.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace fendral;

namespace {

long long environmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != 0 ? std::atoll(text) : fallback;
}

// One to four players in random teams, now and then one marked for a second team (the first one
// counts), from a random level of the fifty, on the window's field or on a small one that
// completes its levels sooner; left for the menu or closed after a while unless lost before
GameScript randomScript(std::mt19937& dice)
{
    const auto below = [&dice](int n) { return static_cast<int>(dice() % static_cast<uint32_t>(n)); };
    constexpr std::array<std::pair<int, int>, 4> Fields { { { 128, 81 }, { 128, 81 }, { 64, 40 }, { 48, 36 } } };
    const auto [width, height] = Fields[below(4)];
    GameScript script { .name = "soak",
        .seed = dice(),
        .playerTeams = {},
        .stepBudget = 100 + below(20000),
        .leaveBy = below(2) ? EndReason::Menu : EndReason::Close,
        .purchaseChance = below(3) ? 0 : 20 + below(2000),
        .revive = below(2) == 0,
        .strength = static_cast<Strength>(1 + below(3)),
        .startingLevel = below(3) ? 1 + below(LastLevel) : 1,
        .width = width,
        .height = height };
    for (int p = 0; p < PlayerCount; ++p)
        if (p == 0 || below(2))
            script.playerTeams.push_back({ p, below(TeamCount) });
    if (below(20) == 0)
        script.playerTeams.push_back({ 0, below(TeamCount) });
    return script;
}

} // namespace

TEST(Soak, RandomGamesOnOneStateKeepEveryRuleOfTheField)
{
    const auto seed = static_cast<uint32_t>(environmentNumber("FENDRAL_SOAK_SEED", 20240611));
    const long long steps = environmentNumber("FENDRAL_SOAK_STEPS", 100000);
    std::mt19937 dice(seed);
    TestGame test;
    std::string broken;
    long long played = 0;
    // A game may race through the levels up to a random one, each completed in its first tick as
    // by a capture: many level set-ups put the enemy placement to the test
    int raceTo = 0;
    test.view.whenDrawn = [&] {
        if (test.state.level < raceTo)
            test.state.fieldShare = test.state.neededShare;
    };
    for (int game = 1; played < steps && broken.empty(); ++game) {
        raceTo = dice() % 3 == 0 ? static_cast<int>(dice() % (LastLevel + 1)) : 0;
        int64_t lastStep = -1;
        int lastLevel = 0;
        playScript(randomScript(dice), test, [&] {
            const GameState& state = test.state;
            if (!broken.empty() || (state.stepsPlayed == lastStep && state.level == lastLevel))
                return;
            played += state.stepsPlayed != lastStep;
            lastStep = state.stepsPlayed;
            lastLevel = state.level;
            broken = brokenInvariant(state);
            if (!broken.empty())
                broken += " (game " + std::to_string(game) + ", level " + std::to_string(state.level)
                    + ", step " + std::to_string(state.stepsPlayed) + ")";
        });
    }
    EXPECT_EQ(broken, "") << "seed " << seed;
}
