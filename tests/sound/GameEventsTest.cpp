// Random games on the real engine: every event the view hears matches what changed in the game
// state in that tick; and a burst of one kind is cued once per 100 ms.
#include "FakeView.h"
#include "Players.h"
#include "SoundCues.h"
#include "Synthesizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace fendral;

namespace {

// Counts the events of each kind by player (slot 0: the whole game) and sums their shares
struct RecordingView : FakeView {
    using FakeView::FakeView;
    void gameEvent(const GameEvent& e) override
    {
        ++count[e.kind][e.player + 1], share[e.kind] += e.share;
    }
    std::array<std::array<int, PlayerCount + 1>, GameEvent::KindCount> count {};
    std::array<double, GameEvent::KindCount> share {};
};

} // namespace

TEST(GameEvents, EveryEventMatchesTheChangeOfItsTick)
{
    GameState s;
    RecordingView view { s };
    FakePlatform platform;
    Game game { s, view, platform };
    std::mt19937 dice(7);
    s.rng.seed(7);
    s.allocateGrids(128, 81);
    int completed = 0, over = 0;
    for (int t = 0; t < 60000; ++t) {
        if (s.menuMode || (s.gameOver && dice() % 50 == 0)) {
            s.teamAssignment = {};
            s.teamAssignment[0][0] = s.teamAssignment[0][1] = s.teamAssignment[1][2] = 1;
            newGame(game);
        }
        s.neededShare = std::min(s.neededShare, 0.082); // levels end often
        s.paused = s.gameOver; // the players go on after a completed level
        for (Player& player : s.players)
            if (dice() % 6 == 0)
                requestDirection(player, static_cast<int>(dice() % 4));
        const GameState was = s;
        view.count = {};
        view.share = {};
        if (dice() % 3000 == 0)
            buyLives(game);
        tick(game);
        const auto& count = view.count;
        const auto& share = view.share;
        for (int p = 0; p < PlayerCount; ++p) {
            const Player &before = was.players[p], &after = s.players[p];
            ASSERT_EQ(count[GameEvent::PlayerDied][p + 1], after.deaths - before.deaths);
            const bool died = after.deaths > before.deaths;
            ASSERT_EQ(
                count[GameEvent::PlayerRevived][p + 1], !before.alive && (after.alive || died));
            ASSERT_TRUE(
                before.drawing || !after.drawing || count[GameEvent::LeftGround][p + 1] == 1);
        }
        const bool stepped
            = was.ticksToStep == 0 && !was.paused && was.fieldShare < was.neededShare;
        const bool closed = stepped
            && std::any_of(
                s.players.begin(), s.players.end(), [](const Player& p) { return p.closedTrail; });
        ASSERT_EQ(count[GameEvent::TrailClosed][0], closed);
        ASSERT_NEAR(share[GameEvent::TrailClosed],
            s.fieldShare - (closed ? was.fieldShare : s.fieldShare), 1e-12);
        ASSERT_LE(share[GameEvent::RegionCaptured], share[GameEvent::TrailClosed] + 1e-12);
        ASSERT_EQ(count[GameEvent::GameOver][0], s.gameOver && !was.gameOver);
        const bool ended = s.paused && !was.paused && !s.gameOver;
        ASSERT_EQ(count[GameEvent::LevelCompleted][0] + count[GameEvent::GameCompleted][0], ended);
        ASSERT_EQ(count[GameEvent::LifeBought][0], s.cheatCount > was.cheatCount);
        completed += ended;
        over += s.gameOver && !was.gameOver;
    }
    EXPECT_GT(completed, 5);
    EXPECT_GT(over, 2);
}

TEST(GameEvents, ABurstOfOneKindIsCuedOncePer100Ms)
{
    SoundCues cues;
    int deaths = 0;
    for (int64_t now = 5000; now < 6000; now += 25) // a death every 25 ms for a second
        deaths += cues.cueFor({ GameEvent::PlayerDied, 0 }, now).has_value();
    EXPECT_EQ(deaths, 10);
    EXPECT_TRUE(cues.cueFor({ GameEvent::Paused }, 5990).has_value()); // another kind still sounds
    EXPECT_EQ(cues.cueFor({ GameEvent::TrailClosed, -1, 1.0 }, 0)->pitchStep, TrailPitchSteps - 1);
}
