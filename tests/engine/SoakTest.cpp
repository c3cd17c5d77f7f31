// The soak: many seeded random games played on one game state through the real engine, with the
// window's commands between the ticks, and the state's rules checked whenever a tick or a command
// changes the game. FENDRAL_SOAK_STEPS sets the number of logic steps, FENDRAL_SOAK_SEED the seed.
#include "FakeView.h"
#include "Players.h"
#include "ReplayFuzzer.h"
#include "ReplayRecorder.h"
#include "ScriptedGames.h"
#include "StateInvariants.h"
#include "Tick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <sstream>

using namespace fendral;

namespace {

long long environmentNumber(const char* name, long long fallback)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != 0 ? std::atoll(text) : fallback;
}

// How the soak helps a level to its end: a level raced through is completed within a few steps;
// a level played may be brought near its needed share, so that the players' next capture
// completes it, or completed after a long while, or left to the players alone.
struct LevelPlan {
    enum Help { None, Complete, BringNear } help = None;
    long long stepsBeforeHelp = 0;
};

class Soak {
public:
    explicit Soak(uint32_t seed)
        : m_dice(seed)
    {
        m_state.rng.seed(seed);
        m_planDice.seed(seed);
        m_state.allocateGrids(128, 81);
        m_game.log = &m_recorder;
        m_view.showLayout(true);
        // The help comes inside the tick's redraw, so that the tick itself finds the level
        // complete, as after a capture
        m_view.whenDrawn = [this] {
            if (m_helpInThisTick == LevelPlan::Complete)
                m_state.fieldShare = m_state.neededShare;
            else if (m_helpInThisTick == LevelPlan::BringNear)
                m_state.fieldShare = std::max(m_state.fieldShare, m_state.neededShare - 0.004);
        };
    }

    // Plays until `steps` logic steps have run; stops at the first broken rule.
    void play(long long steps)
    {
        while (m_steps < steps && m_broken.empty()) {
            if (m_state.menuMode)
                startGame();
            else
                giveCommands();
            if (!m_state.menuMode && m_broken.empty())
                runTick();
        }
    }

    std::string broken() const { return m_broken; }

private:
    bool chance(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_dice) == 0; }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_dice); }

    // The setup dialog's choices, then its Start button
    void startGame()
    {
        m_state.teamAssignment = {};
        std::array<int, SchemeCount> schemes { 0, 1, 2, 3, 4, 5, 6 };
        std::shuffle(schemes.begin(), schemes.end(), m_dice);
        const int first = below(PlayerCount); // one player at least
        for (int p = 0; p < PlayerCount; ++p) {
            if (p == first || chance(2))
                m_state.teamAssignment[below(TeamCount)][p] = 1;
            if (chance(20)) // a second mark: the first team counts
                m_state.teamAssignment[below(TeamCount)][p] = 1;
            m_state.colourChoice[p] = below(ColourCount);
            // Now and then two players share a scheme: the later one steers with it
            m_state.controlKeys[p] = ControlScheme[schemes[chance(10) ? 0 : p]];
        }
        // A game is played from level 1, or races through the levels up to a random one and
        // is played from there, or races through all fifty: many level setups put the enemy
        // placement to the test (an enemy lands on a given cell about once in ten thousand
        // placements), and the play reaches levels of many enemies
        const int race = below(3);
        m_raceTo = race == 0 ? 0 : race == 1 ? 1 + below(LastLevel) : LastLevel;
        m_view.calls.clear();
        ++m_games;
        fuzzLastReplay();
        newGame(m_game, m_dice());
        newLevel();
        check();
    }

    void newLevel()
    {
        if (m_state.level <= m_raceTo)
            m_plan = { LevelPlan::Complete, chance(2) ? 0 : below(8) };
        else if (chance(2))
            m_plan = { LevelPlan::BringNear, 20 + below(300) };
        else if (chance(2))
            m_plan = { LevelPlan::Complete, 100 + below(1000) };
        else
            m_plan = {};
    }

    // What the players may do between two ticks: steer, pause, buy lives, go on, leave
    void giveCommands()
    {
        const GameState& state = m_state;
        if (state.gameOver) {
            if (chance(30))
                pressSpace();
        } else if (state.paused && state.fieldShare >= state.neededShare) {
            if (chance(4))
                pressSpace(); // the next level, or the menu after the last
            else if (chance(200))
                askForMenu();
        } else if (state.paused) {
            if (chance(20))
                pressSpace();
        } else if (chance(600)) {
            pressSpace(); // the pause key, or the window losing the focus
        } else if (chance(3000)) {
            buyLives();
        } else if (chance(20000) || (hasPlayerHit() && chance(15))) {
            askForMenu();
        }
    }

    bool hasPlayerHit() const
    {
        for (const Player& player : m_state.players)
            if (player.alive && player.killed)
                return true;
        return false;
    }

    // A direction key of player p, handled as the window handles it
    void pressKey(int p, int d)
    {
        const int key = m_state.controlKeys[p][d];
        if (m_state.keyOwner[key] == 0 || m_state.paused)
            return;
        const int v = m_state.keyOwner[key] - 1;
        Player& player = m_state.players[v / 4];
        if (player.respawnDelay == 0)
            requestDirection(player, v % 4);
    }

    // Before a logic step: each player in play follows its run, with a stray key now and then
    void steer()
    {
        for (int p = 0; p < PlayerCount; ++p)
            if (m_state.players[p].alive && chance(100))
                pressKey(p, below(4));
        m_planner.steer([this](int p, int d) { pressKey(p, d); });
    }

    // Space, Enter or the pause key, as the window's key handler treats them
    void pressSpace()
    {
        if (m_state.gameOver) {
            leaveForMenu();
            return;
        }
        m_state.paused = m_state.paused ? 0 : 1;
        m_view.setMessageVisible(m_state.paused != 0);
    }

    // The Menu button: its question pauses the game, and the players may say no
    void askForMenu()
    {
        if (m_state.paused == 0)
            m_state.paused = 1;
        if (chance(4))
            return;
        leaveForMenu();
    }

    // The replay fuzzer takes the last game's file; the help given to the levels is not in it,
    // so a file that the decoder takes plays back to a mismatch
    void fuzzLastReplay()
    {
        if (!m_recorder.hasFinishedGame())
            return;
        const std::vector<uint8_t> valid = encodeReplay(m_recorder.takeFinishedGame());
        for (int i = 0; i < 3 && m_broken.empty(); ++i)
            m_broken = ReplayFuzzer::tryFile(m_fuzzer.damaged(valid));
    }

    void leaveForMenu()
    {
        leaveGame(m_game, EndReason::Menu);
        killTimer(m_game);
        m_view.showLayout(true);
    }

    // The purchase panel, through the same command the window uses
    void buyLives()
    {
        fendral::buyLives(m_game);
        check();
    }

    // Only a tick that runs a logic step or sets up a level changes the game: the others glide
    // the sprites
    void runTick()
    {
        GameState& state = m_state;
        const bool running = !(state.paused && !state.gameOver);
        const bool nextLevel = running && state.fieldShare >= state.neededShare;
        const bool step = running && !nextLevel && state.ticksToStep == 0;
        m_helpInThisTick = LevelPlan::None;
        if (step) {
            steer();
            if (m_plan.stepsBeforeHelp-- == 0 && !state.gameOver)
                m_helpInThisTick = m_plan.help;
        }
        const int level = state.level;
        tick(m_game);
        m_steps += step;
        if (nextLevel && state.level != level)
            newLevel();
        if (step || nextLevel)
            check();
        // Now and then a slow stretch, which the speed check answers
        m_platform.clock += (chance(5000) ? 2.0 : 0.001) / 86400;
    }

    void check()
    {
        if (!m_broken.empty())
            return;
        const std::string broken = brokenInvariant(m_state);
        if (broken.empty())
            return;
        std::ostringstream text;
        text << broken << " (game " << m_games << ", level " << m_state.level << ", after "
             << m_steps << " logic steps)";
        m_broken = text.str();
    }

    GameState m_state;
    FakeView m_view { m_state };
    FakePlatform m_platform;
    Game m_game { m_state, m_view, m_platform };
    ReplayRecorder m_recorder;
    ReplayFuzzer m_fuzzer { 3 };
    std::mt19937 m_dice;
    RandomGenerator m_planDice;
    RunPlanner m_planner { m_state, m_planDice, 20 };
    int m_raceTo = 0;
    LevelPlan m_plan;
    LevelPlan::Help m_helpInThisTick = LevelPlan::None;
    std::string m_broken;

    long long m_steps = 0;
    long long m_games = 0;
};

} // namespace

TEST(Soak, RandomGamesOnOneStateKeepEveryRuleOfTheField)
{
    const auto seed = static_cast<uint32_t>(environmentNumber("FENDRAL_SOAK_SEED", 20240611));
    Soak soak(seed);
    soak.play(environmentNumber("FENDRAL_SOAK_STEPS", 100000));
    EXPECT_EQ(soak.broken(), "") << "seed " << seed;
}
