// Random games on the real engine: every event the view hears matches what changed in the game
// state in that tick, and the cues thin each kind to one per 100 ms at any replay speed.
#include "FakeView.h"
#include "Players.h"
#include "SoundCues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace fendral;

namespace {

struct RecordingView : FakeView {
    using FakeView::FakeView;
    void gameEvent(const GameEvent& event) override { events.push_back(event); }
    int count(GameEvent::Kind kind, int player = -1) const
    {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [&](const GameEvent& e) {
                return e.kind == kind && (player < 0 || e.player == player);
            }));
    }
    double shares(GameEvent::Kind kind) const
    {
        double sum = 0;
        for (const GameEvent& e : events)
            sum += e.kind == kind ? e.share : 0;
        return sum;
    }
    std::vector<GameEvent> events;
};

struct EventsGame {
    GameState state;
    RecordingView view { state };
    FakePlatform platform;
    Game game { state, view, platform };
};

} // namespace

TEST(GameEvents, EveryEventMatchesTheChangeOfItsTick)
{
    EventsGame g;
    std::mt19937 dice(7);
    g.state.rng.seed(7);
    g.state.allocateGrids(128, 81);
    int timesCompleted = 0, timesOver = 0;
    for (int t = 0; t < 60000; ++t) {
        GameState& s = g.state;
        if (s.menuMode || (s.gameOver && dice() % 50 == 0)) {
            s.teamAssignment = {};
            s.teamAssignment[0][0] = s.teamAssignment[0][1] = s.teamAssignment[1][2] = 1;
            newGame(g.game);
        }
        s.neededShare = std::min(s.neededShare, 0.082); // levels end often
        if (s.paused && !s.gameOver)
            s.paused = 0; // the players go on after a completed level
        for (Player& player : s.players)
            if (dice() % 6 == 0)
                requestDirection(player, static_cast<int>(dice() % 4));
        const GameState before = s;
        g.view.events.clear();
        if (dice() % 3000 == 0)
            buyLives(g.game);
        tick(g.game);
        const RecordingView& v = g.view;
        const bool stepped = before.ticksToStep == 0 && (!before.paused || before.gameOver)
            && before.fieldShare < before.neededShare;
        for (int p = 0; p < PlayerCount; ++p) {
            const Player &was = before.players[p], &is = s.players[p];
            ASSERT_EQ(v.count(GameEvent::PlayerDied, p), is.deaths - was.deaths);
            ASSERT_EQ(v.count(GameEvent::PlayerRevived, p),
                !was.alive && (is.alive || is.deaths > was.deaths));
            if (!was.drawing && is.drawing) {
                ASSERT_EQ(v.count(GameEvent::LeftGround, p), 1);
            }
        }
        const bool closed = std::any_of(
            s.players.begin(), s.players.end(), [](const Player& p) { return p.closedTrail; });
        ASSERT_EQ(v.count(GameEvent::TrailClosed), closed && stepped ? 1 : 0);
        if (closed && stepped) {
            ASSERT_NEAR(v.shares(GameEvent::TrailClosed), s.fieldShare - before.fieldShare, 1e-12);
            ASSERT_LE(
                v.shares(GameEvent::RegionCaptured), v.shares(GameEvent::TrailClosed) + 1e-12);
        }
        ASSERT_EQ(v.count(GameEvent::GameOver), s.gameOver && !before.gameOver ? 1 : 0);
        const bool completed = s.paused && !before.paused && !s.gameOver;
        ASSERT_EQ(v.count(GameEvent::LevelCompleted) + v.count(GameEvent::GameCompleted),
            completed ? 1 : 0);
        ASSERT_EQ(v.count(GameEvent::LifeBought), s.cheatCount > before.cheatCount ? 1 : 0);
        timesCompleted += completed;

        timesOver += v.count(GameEvent::GameOver);
    }
    EXPECT_GT(timesCompleted, 5);
    EXPECT_GT(timesOver, 2);
}

TEST(GameEvents, EachKindSoundsAtMostEvery100MsAtAnyReplaySpeed)
{
    std::mt19937 dice(3);
    SoundCues cues;
    std::array<int64_t, GameEvent::KindCount> lastCue;
    lastCue.fill(-1000);
    int64_t now = 0;
    int cued = 0;
    for (int i = 0; i < 20000; ++i) {
        now += dice() % 80; // a step of a game watched at up to eight times its speed
        const auto kind = static_cast<GameEvent::Kind>(dice() % GameEvent::KindCount);
        const bool expected = now - lastCue[kind] >= 100;
        const std::optional<Cue> cue = cues.cueFor({ kind, -1, 0.1 }, now);
        ASSERT_EQ(cue.has_value(), expected) << "kind " << kind << " at " << now;
        if (cue)
            lastCue[kind] = now, ++cued;
    }
    EXPECT_GT(cued, 2000);
}
