#include "Tick.h"
#include "FakeView.h"
#include "Players.h"

#include <gtest/gtest.h>

using namespace fendral;

struct TickTest : testing::Test, TestGame { };

TEST_F(TickTest, SlowStepsDoubleTheMultiplierButAPauseIsNoSlowness)
{
    start({ { 0, 0 } });
    const auto runTicks = [this](int count, double secondsPerTick) {
        for (int i = 0; i < count; ++i, platform.clock += secondsPerTick / 86400)
            tick(game);
    };
    // 15 steps in 1.344 s, then, the measurement restarted by a pause, in 2.8 s; 1.2 * 150 / 128
    // s are allowed
    runTicks(14 * 8 + 1, 0.012);
    EXPECT_EQ(std::pair(state.stepMultiplier, state.speedCheckCountdown), std::pair(1, -1));
    state.paused = 1;
    runTicks(1, 0);
    state.paused = 0;
    runTicks(7 + 14 * 8 + 1, 0.025);
    EXPECT_EQ(std::pair(platform.intervals, platform.killed),
        std::pair(std::vector { 9, 19 }, std::vector { 1 }));
    runTicks(5 * 4, 0.001);
    state.paused = 1;
    runTicks(3, 100); // restarts the measurement
    state.paused = 0;
    runTicks(15 * 4, 0.001);
    EXPECT_EQ(std::pair(state.stepMultiplier, state.speedCheckCountdown), std::pair(2, -1));
    state.paused = 1;
    runTicks(1, 0);
    state.paused = 0;
    runTicks(80, 0.05); // slow again: doubled once more, to 4, and measured no more
    EXPECT_EQ(platform.intervals, (std::vector<int> { 9, 19, 39 }));
}

// Two deaths in one step cost their team one life; a death below one life ends the game unless
// the same tick completes the level
TEST_F(TickTest, DeathsInAStepCostOneLifeAndBelowOneEndTheGameUnlessTheLevelIsCompleted)
{
    start({ { 0, 0 }, { 2, 0 } });
    state.players[0].killed = state.players[2].killed = 1;
    logicStep(game);
    EXPECT_EQ(std::pair(state.players[0].deaths + state.players[2].deaths, state.teams[0].lives),
        std::pair(2, 3.0));
    for (bool completes : { true, false }) {
        start({ { 1, 3 } });
        state.teams[3].lives = 0.5;
        state.players[1].killed = 1;
        view.whenDrawn = [this, completes] { state.fieldShare = completes ? 1.0 : 0.0; };
        tick(game);
        tick(game); // a lost game goes on moving its enemies; its end is heard once
        EXPECT_EQ(std::tuple(state.players[1].alive, state.teams[3].lives, state.gameOver),
            std::tuple(0, 0.5, !completes));
        EXPECT_EQ(view.heard[GameEvent::GameOver][0], !completes);
        EXPECT_EQ(view.calls.back(),
            completes ? "Level Completed - Press Space" : "Game Over - Press Space");
    }
}

// Neighbours both on the ground or both in the open collide, unless one carries the X of a fresh
// placement; one of each pass
TEST_F(TickTest, NeighboursCollideOnTheSameKindOfCellUnlessOneCarriesTheX)
{
    for (auto [drawing, shielded0, shielded1, collide] :
        { std::tuple { 0, 0, 0, 1 }, { 1, 0, 0, 0 }, { 0, 1, 0, 0 }, { 0, 0, 1, 0 } }) {
        start({ { 0, 0 }, { 1, 1 } });
        Player &alpha = state.players[0], &beta = state.players[1];
        std::tie(alpha.x, alpha.y, alpha.shielded) = std::tuple(40, 81, shielded0);
        std::tie(beta.x, beta.y, beta.shielded, beta.drawing)
            = std::tuple(41, 80, shielded1, drawing);
        hazardPhase(state);
        EXPECT_EQ(std::pair(alpha.killed, beta.killed), std::pair(collide, collide))
            << drawing << shielded0 << shielded1;
    }
}

// Completing level 50 ends the game with a word on the purchases; the golden games and the
// window's summary test pin the menu that follows
TEST_F(TickTest, CompletingLevel50TellsOfThePurchases)
{
    for (const auto& [players, purchases, message] :
        { std::tuple { 1, 0, "Game Completed! Congratulations!" },
            { 1, 1, "Game Completed, you cheater." }, { 2, 3, "Game Completed, you cheaters." } }) {
        start({ { 0, 0 }, { 1, players - 1 } });
        if (players == 1)
            state.players[1].alive = 0, state.playersInPlay = 1;
        setUpLevel(game, LastLevel);
        state.cheatCount = purchases;
        view.whenDrawn = [this] { state.fieldShare = 1.0; };
        tick(game);
        EXPECT_EQ(view.calls.back(), message);
    }
}

// A purchase: a life for each player in play to its team, then the team's out players come back,
// the last out first; never a hundredth life, at most 99 purchases a game, none once it is lost
TEST_F(TickTest, PurchasesBuyALifePerPlayerInPlayAndReviveTheOut)
{
    start({ { 0, 0 }, { 1, 1 }, { 2, 1 } });
    Team &w = state.teams[0], &x = state.teams[1];
    state.players[1].alive = state.players[2].alive = 0; // Beta, then Gamma went out of team X
    x.outList = { 1, 2 };
    x.outCount = 2;
    x.lives = 0.5;
    const double before = w.lives;
    buyLives(game);
    EXPECT_EQ(std::tuple(w.lives, x.lives, state.cheatCount), std::tuple(before + 1, 0.5, 1));
    x.lives = 1.0;
    buyLives(game);
    EXPECT_EQ(
        std::tuple(state.players[1].alive, state.players[2].alive, x.lives), std::tuple(0, 1, 0.0));
    EXPECT_EQ(state.players[2].respawnDelay, 0);
    buyLives(game); // Gamma's life brings Beta back
    EXPECT_EQ(std::pair(state.players[1].alive, x.outCount), std::pair(1, 0));
    EXPECT_EQ(view.heard[GameEvent::PlayerRevived], (std::array { 0, 0, 1, 1, 0 })); // for each
    w.lives = 99.5;
    buyLives(game);
    EXPECT_EQ(w.lives, 99.5);
    for (int i = 0; i < 120; ++i)
        buyLives(game);
    EXPECT_EQ(state.cheatCount, 99);
    state.cheatCount = 0;
    state.gameOver = 1;
    buyLives(game);
    EXPECT_EQ(state.cheatCount, 0);
}
