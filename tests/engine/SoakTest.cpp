// The soak: many seeded random games played one after another on one game state, as the window
// plays them, by computer players of random strengths through the real engine with the window's
// commands given at random, the state's rules checked after every logic step and every new level.
// FENDRAL_SOAK_STEPS sets the number of logic steps, FENDRAL_SOAK_SEED the seed.
#include "FakeView.h"
#include "ScriptedGames.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <sstream>
#include <vector>

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
    const auto below
        = [&dice](int n) { return static_cast<int>(dice() % static_cast<uint32_t>(n)); };
    constexpr std::array<std::pair<int, int>, 4> Fields { { { 128, 81 }, { 128, 81 }, { 64, 40 },
        { 48, 36 } } };
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

// What holds of every game between two ticks: the field, the trails, the block states, the
// enemies and the players
bool isInField(const GameState& state, int x, int y)
{
    return x >= 1 && x <= state.W && y >= 1 && y <= state.H;
}

// The words of a broken rule; built only when a rule breaks, since the soak checks often
template <typename... Parts> std::string describe(const Parts&... parts)
{
    std::ostringstream text;
    (text << ... << parts);
    return text.str();
}

std::string cellText(int x, int y) { return describe("(", x, ", ", y, ")"); }

// One pass over the field gathers what the rules on trails and blocks need.
class Checker {
public:
    explicit Checker(const GameState& state)
        : m_state(state)
        , m_blockColumns(state.blockState.columns())
        , m_blockGround(static_cast<std::size_t>(state.blockState.columns())
              * static_cast<std::size_t>(state.blockState.rows()))
        , m_blockTrails(m_blockGround.size())
    {
    }

    std::string broken()
    {
        std::string rule = checkCells();
        for (int p = 0; p < PlayerCount && rule.empty(); ++p)
            rule = checkPlayer(p);
        if (rule.empty())
            rule = checkBlocks();
        if (rule.empty())
            rule = checkEnemies();
        if (rule.empty())
            rule = checkTeams();
        return rule;
    }

private:
    std::size_t blockIndex(int bx, int by) const
    {
        return static_cast<std::size_t>(by) * static_cast<std::size_t>(m_blockColumns)
            + static_cast<std::size_t>(bx);
    }

    // Every cell holds ground, or in the interior open or the trail of a drawing player in
    // play; trailDir is 0 off the trails.
    std::string checkCells()
    {
        const GameState& state = m_state;
        const int b = state.borderWidth;
        for (int x = 1; x <= state.W; ++x) {
            const uint8_t* codes = state.cells[x];
            const uint8_t* directions = state.trailDir[x];
            const bool interiorColumn = x > b && x <= state.W - b;
            for (int y = 1; y <= state.H; ++y) {
                const uint8_t code = codes[y];
                const bool interior = interiorColumn && y > b && y <= state.H - b;
                if (code != Ground && !(interior && (code == Open || isTrail(code))))
                    return describe("cell ", cellText(x, y), " holds ", int(code));
                if (isTrail(code)) {
                    const Player& owner = state.players[trailOwner(code)];
                    if (!isInPlay(owner) || !owner.drawing)
                        return describe("trail cell ", cellText(x, y), " of player ",
                            trailOwner(code), ", who is not drawing in play");
                    ++m_trailCells[trailOwner(code)];
                } else if (directions[y] != 0) {
                    return describe("trailDir is left at ", cellText(x, y));
                }
                if (interior && code != Open) {
                    const BlockIndex block = blockOf(state, x, y);
                    const std::size_t i = blockIndex(block.bx, block.by);
                    if (code == Ground)
                        m_blockGround[i] = 1;
                    else
                        m_blockTrails[i] |= static_cast<uint8_t>(1 << trailOwner(code));
                }
            }
        }
        return {};
    }

    std::string checkPlayer(int p)
    {
        const GameState& state = m_state;
        const Player& player = state.players[p];
        if (player.dirQueueLength < 0 || player.dirQueueLength > 2)
            return describe("player ", p, " queues ", player.dirQueueLength, " requests");
        if (!player.alive)
            return player.killed || player.drawing
                ? describe("player ", p, " is out of play but marked or drawing")
                : std::string();
        if (!isInPlay(player))
            return describe("player ", p, " is alive in team ", player.team);
        if (!isInField(state, player.x, player.y))
            return describe("player ", p, " stands at ", cellText(player.x, player.y));
        if (++m_alive > state.playersInPlay)
            return describe(m_alive, " players are alive, ", state.playersInPlay, " in play");
        return player.drawing ? checkTrail(p) : std::string();
    }

    // The walk from the trail's start visits every trail cell of p once and ends under p.
    std::string checkTrail(int p)
    {
        const GameState& state = m_state;
        const Player& player = state.players[p];
        if (player.trailLength != m_trailCells[p])
            return describe("player ", p, " has ", m_trailCells[p], " trail cells, trailLength ",
                player.trailLength);
        std::vector<uint8_t> visited(
            static_cast<std::size_t>(state.W + 2) * static_cast<std::size_t>(state.H + 2));
        int x = player.trailStartX;
        int y = player.trailStartY;
        for (int i = 0; i < player.trailLength; ++i) {
            if (!isInField(state, x, y) || state.cells[x][y] != TrailBase + p
                || visited[static_cast<std::size_t>(x * (state.H + 2) + y)]++)
                return describe(
                    "the trail walk of player ", p, " leaves its trail at ", cellText(x, y));
            const Step step = directionStep(state.trailDir[x][y]);
            x += step.dx;
            y += step.dy;
        }
        if (x != player.x || y != player.y)
            return describe("the trail walk of player ", p, " ends at ", cellText(x, y),
                ", not under the player");
        return {};
    }

    // A whole block without ground holds exactly the bits of the trails in it. A block with
    // ground, and an edge block, holds 16 and the bits of some of its trails: a closure sets
    // the whole byte, which drops the bits of other trails through the block.
    std::string checkBlocks()
    {
        const GameState& state = m_state;
        const int m = (state.W - 2 * state.borderWidth) / BlockSize;
        const int n = (state.H - 2 * state.borderWidth) / BlockSize;
        for (int bx = 0; bx <= m + 1; ++bx)
            for (int by = 0; by <= n + 1; ++by) {
                const std::size_t i = blockIndex(bx, by);
                const bool edge = bx == 0 || bx == m + 1 || by == 0 || by == n + 1;
                const bool hasGround = edge || m_blockGround[i];
                const uint8_t trails = m_blockTrails[i];
                const uint8_t value = state.blockState[bx][by];
                const bool sound = hasGround
                    ? (value & BlockHasGround) && (value & ~BlockHasGround & ~trails) == 0
                    : value == trails;
                if (!sound)
                    return describe("blockState ", cellText(bx, by), " is ", int(value),
                        " for trail bits ", int(trails), hasGround ? " and ground" : "");
            }
        return {};
    }

    // Open enemies stay in the interior: ground may appear under one (a trail it stands on
    // closes), so it is not always on an open or trail cell. Ground enemies stay on ground.
    std::string checkEnemies()
    {
        const GameState& state = m_state;
        if (state.openEnemies.size() != static_cast<std::size_t>(state.openEnemyCount)
            || state.groundEnemies.size() != static_cast<std::size_t>(state.groundEnemyCount))
            return "the enemy lists do not match their counts";
        for (std::size_t i = 0; i < state.openEnemies.size(); ++i) {
            const Enemy& enemy = state.openEnemies[i];
            if (!isInterior(state, enemy.x, enemy.y))
                return describe("open enemy ", i, " at ", cellText(enemy.x, enemy.y),
                    " is outside the interior");
        }
        for (std::size_t i = 0; i < state.groundEnemies.size(); ++i) {
            const Enemy& enemy = state.groundEnemies[i];
            if (!isInField(state, enemy.x, enemy.y) || state.cells[enemy.x][enemy.y] != Ground)
                return describe(
                    "ground enemy ", i, " at ", cellText(enemy.x, enemy.y), " is off the ground");
        }
        return {};
    }

    std::string checkTeams() const
    {
        for (int t = 0; t < TeamCount; ++t) {
            const double lives = m_state.teams[t].lives;
            if (!(lives >= 0 && lives < 100))
                return describe("team ", t, " has ", lives, " lives");
        }
        return {};
    }

    const GameState& m_state;
    int m_blockColumns;
    std::vector<uint8_t> m_blockGround;
    std::vector<uint8_t> m_blockTrails;
    std::array<int, PlayerCount> m_trailCells {};
    int m_alive = 0;
};

// The first rule that the state breaks, in words; empty when the state is sound
std::string brokenInvariant(const GameState& state)
{
    // The guard ring: the first and the last column whole, the top and bottom cell of the others
    for (int x = 0; x <= state.W + 1; ++x)
        for (int y = 0; y <= state.H + 1; y += x == 0 || x == state.W + 1 ? 1 : state.H + 1)
            if (state.cells[x][y] != Outside)
                return "the guard ring does not hold Outside at " + cellText(x, y);
    return Checker(state).broken();
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
                broken += " (game " + std::to_string(game) + ", level "
                    + std::to_string(state.level) + ", step " + std::to_string(state.stepsPlayed)
                    + ")";
        });
    }
    EXPECT_EQ(broken, "") << "seed " << seed;
}
