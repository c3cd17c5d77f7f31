#include "Tick.h"
#include "FakePlatform.h"
#include "FakeView.h"
#include "Level.h"

#include <gtest/gtest.h>

using namespace fendral;

namespace {

// A view on which, when asked, the level's share is reached in the middle of a tick: after its
// logic step and before the end-of-tick checks.
class ShareReachingView : public FakeView {
public:
    explicit ShareReachingView(GameState& state)
        : FakeView(state)
        , m_state(state)
    {
    }
    void drawSprites(bool advance) override
    {
        FakeView::drawSprites(advance);
        if (reachShare)
            m_state.fieldShare = m_state.neededShare;
    }

    bool reachShare = false;

private:
    GameState& m_state;
};

// A level on the window's field without enemies, so that only the players act.
struct TickTest : testing::Test {
    void start(std::initializer_list<std::pair<int, int>> playerTeams, int level = 1)
    {
        state.allocateGrids(128, 81);
        for (auto [p, t] : playerTeams)
            state.teamAssignment[t][p] = 1;
        newGame(game);
        if (level != 1)
            setUpLevel(game, level);
        state.groundEnemies.clear();
        state.openEnemies.clear();
        state.groundEnemyCount = state.openEnemyCount = 0;
    }
    void runTicks(int count, double secondsPerTick = 0)
    {
        for (int i = 0; i < count; ++i) {
            platform.advanceSeconds(secondsPerTick);
            tick(game);
        }
    }

    GameState state;
    ShareReachingView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace

TEST_F(TickTest, StepsRunOnTheFirstTickOfALevelAndEveryEightByMultiplierTicks)
{
    for (int multiplier : { 1, 2, 4 }) {
        state.stepMultiplier = multiplier;
        start({ { 0, 0 } });
        state.players[0].dx = 1; // runs along the bottom border
        std::vector<int> stepTicks;
        std::vector<int> expected;
        for (int i = 0; i < 16; ++i) {
            const int x = state.players[0].x;
            tick(game);
            if (state.players[0].x != x)
                stepTicks.push_back(i);
            if (i % (8 / multiplier) == 0)
                expected.push_back(i);
        }
        EXPECT_EQ(stepTicks, expected) << "multiplier " << multiplier;
    }
}

TEST_F(TickTest, SlowStepsDoubleTheMultiplierAndRearmTheTimer)
{
    start({ { 0, 0 } });
    const int firstTimer = state.timerId;
    // 14 step periods of 8 ticks of 25 ms take 2.8 s; 1.2 * 150 / 128 s are allowed
    runTicks(14 * 8, 0.025);
    EXPECT_EQ(state.stepMultiplier, 1);
    runTicks(1, 0.025);
    EXPECT_EQ(state.stepMultiplier, 2);
    EXPECT_EQ(platform.intervals, (std::vector<int> { 9, 19 }));
    EXPECT_EQ(platform.killed, std::vector<int> { firstTimer });
    EXPECT_EQ(state.ticksToStep, 3); // the doubling counts in its own step
    // The next measurement is in time: three ticks to the next step, then 15 steps of 4 ticks
    runTicks(3 + 14 * 4 + 1, 0.001);
    EXPECT_EQ(state.stepMultiplier, 2);
    EXPECT_EQ(state.speedCheckCountdown, -1);
}

TEST_F(TickTest, PauseRestartsTheSpeedMeasurement)
{
    start({ { 0, 0 } });
    runTicks(5 * 8, 0.001);
    state.paused = 1;
    runTicks(3, 100);
    state.paused = 0;
    runTicks(15 * 8, 0.001);
    EXPECT_EQ(state.speedCheckCountdown, -1);
    EXPECT_EQ(state.stepMultiplier, 1);
}

TEST_F(TickTest, TwoDeathsInOneStepCostTheirTeamOneLife)
{
    start({ { 0, 0 }, { 2, 0 } });
    state.players[0].killed = state.players[2].killed = 1;
    logicStep(game);
    EXPECT_DOUBLE_EQ(state.teams[0].lives, 3.0);
    EXPECT_EQ(state.players[0].deaths + state.players[2].deaths, 2);
    EXPECT_EQ(view.count("UpdateScores"), 2); // level setup, then the step with deaths
    logicStep(game);
    EXPECT_EQ(view.count("UpdateScores"), 2);
}

TEST_F(TickTest, DeathBelowOneLifeTakesThePlayerOutAndEndsTheGame)
{
    start({ { 1, 3 } });
    state.teams[3].lives = 0.5;
    state.players[1].killed = 1;
    tick(game);
    EXPECT_FALSE(state.players[1].alive);
    EXPECT_TRUE(view.playerOut[1]);
    EXPECT_EQ(state.teams[3].outCount, 1);
    EXPECT_DOUBLE_EQ(state.teams[3].lives, 0.5);
    EXPECT_EQ(view.message, "Game Over - Press Space");
    EXPECT_TRUE(view.messageVisible && state.paused && state.gameOver);
    runTicks(8); // the enemies keep moving
    EXPECT_EQ(state.speedCheckCountdown, 13);
}

TEST_F(TickTest, CompletionWinsOverGameOverInTheSameTick)
{
    start({ { 0, 0 } });
    state.teams[0].lives = 0.5;
    state.players[0].killed = 1;
    view.reachShare = true;
    tick(game);
    EXPECT_FALSE(state.players[0].alive);
    EXPECT_EQ(view.message, "Level Completed - Press Space");
    EXPECT_TRUE(state.paused);
    EXPECT_FALSE(state.gameOver);
}

TEST_F(TickTest, DismissedLevelEndRevivesAndSetsUpTheNextLevel)
{
    start({ { 0, 0 }, { 1, 0 } });
    state.players[1].alive = 0;
    state.teams[0].outList[0] = 1;
    state.teams[0].outCount = 1;
    state.teams[0].lives = 0.5;
    view.reachShare = true;
    tick(game);
    runTicks(2); // waits for Space
    EXPECT_EQ(state.level, 1);
    view.reachShare = false;
    state.paused = 0;
    tick(game);
    EXPECT_EQ(state.level, 2);
    EXPECT_TRUE(state.players[1].alive); // the survivor's life buys the way back in
    EXPECT_DOUBLE_EQ(state.teams[0].lives, 0.5);
}

TEST_F(TickTest, LastLevelShowsTheFinalMessageAndReturnsToTheMenu)
{
    start({ { 0, 0 }, { 1, 1 } }, LastLevel);
    view.reachShare = true;
    for (auto [cheats, players, message] :
        { std::tuple { 0, 2, "Game Completed! Congratulations!" },
            { 2, 2, "Game Completed, you cheaters." }, { 1, 1, "Game Completed, you cheater." } }) {
        state.cheatCount = cheats;
        state.playersInPlay = players;
        state.paused = 0;
        state.fieldShare = 0;
        tick(game);
        EXPECT_EQ(view.message, message);
    }
    const double lives = state.teams[0].lives;
    state.paused = 0;
    tick(game);
    EXPECT_EQ(state.timerId, 0);
    EXPECT_EQ(platform.intervals.size(), 2u); // no level 51
    EXPECT_EQ(view.count("ShowLayout(true)"), 1);
    EXPECT_DOUBLE_EQ(state.teams[0].lives, lives);
}

TEST(LevelEndBonus, AddsLivesUnderTheCapsAndRevivesTheLastOut)
{
    GameState state;
    FakeView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
    state.levelStartCounts[1] = 3;
    state.players[0] = { .team = 0, .alive = 1 };
    state.teams[0] = { .active = 1, .levelShare = 0.2, .lives = 99.0 };
    state.players[1] = { .team = 1, .alive = 1 };
    state.teams[1] = { .active = 1, .levelShare = 0.6, .lives = 98.5 };
    state.players[2] = { .team = 2 };
    state.players[3] = { .team = 2 };
    state.teams[2]
        = { .active = 1, .outList = { 3, 2 }, .outCount = 2, .levelShare = 0.5, .lives = 0.5 };
    levelEndBonus(game);
    EXPECT_DOUBLE_EQ(state.teams[0].lives, 99.0 + 2 * 0.2); // reaching 100 takes it back
    EXPECT_DOUBLE_EQ(state.teams[1].lives, 99.99); // 98.5 + 1.0 + 2 * 0.6 reaches the cap
    EXPECT_TRUE(state.players[2].alive); // 0.5 + 2 * 0.5 revives the one who went out last
    EXPECT_FALSE(state.players[3].alive);
    EXPECT_DOUBLE_EQ(state.teams[2].lives, 0.5);
}
