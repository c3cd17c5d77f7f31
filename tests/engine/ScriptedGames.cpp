#include "ScriptedGames.h"

#include "FakeView.h"
#include "Players.h"
#include "ReplayRecorder.h"

#include <algorithm>

namespace fendral {

namespace {

    constexpr std::array<int, 4> Opposite { Down, Up, Right, Left };
    constexpr int Caution = 5; // cells between an open enemy and a trail that make a run turn

    class ScriptedGame {
    public:
        ScriptedGame(const GameScript& script, TestGame& test, const std::function<void()>& afterTick)
            : m_script(script)
            , m_test(test)
            , m_afterTick(afterTick)
        {
            m_dice.seed(script.seed * 7919 + 17);
            m_test.state.allocateGrids(script.width, script.height);
            m_test.game.log = &m_recorder;
            m_recorder.setProgramVersion("tests");
            m_recorder.setDate(1700000000000 + static_cast<int64_t>(script.seed));
        }

        Replay play()
        {
            GameState& state = m_test.state;
            state.teamAssignment = {};
            for (auto [p, t] : m_script.playerTeams)
                state.teamAssignment[t][p] = 1;
            newGame(m_test.game, m_script.seed, m_script.startingLevel);
            while (m_recorder.isRecording() && state.menuMode == 0) {
                if (state.stepsPlayed >= m_script.stepBudget)
                    leaveForMenu();
                else
                    giveCommandsAndTick();
                m_afterTick();
            }
            m_test.game.log = nullptr;
            return m_recorder.takeFinishedGame();
        }

    private:
        bool chance(int n) { return n > 0 && m_dice.next(n) == 0; }

        void giveCommandsAndTick()
        {
            GameState& state = m_test.state;
            if (state.paused && state.fieldShare >= state.neededShare) {
                if (chance(3))
                    buyLives(m_test.game); // between levels, before going on
                state.paused = 0; // Space: the next level
            } else if (state.paused) {
                press(m_dice.next(PlayerCount), m_dice.next(4)); // refused during a pause
                state.paused = chance(10) ? 0 : 1;
            } else if (chance(400)) {
                state.paused = 1; // a pause: nothing steers until it ends
            } else if (state.ticksToStep == 0) {
                m_planner.steer([this](int p, int d) { press(p, d); });
                if (chance(m_script.purchaseChance) || (m_script.revive && hasPlayerOut()))
                    buyLives(m_test.game);
            } else if (chance(50)) {
                press(m_dice.next(PlayerCount), m_dice.next(4)); // a key between two steps
            }
            tick(m_test.game);
            // Now and then a slow stretch, which the speed check answers
            m_test.platform.clock += (chance(3000) ? 0.5 : 0.009) / 86400;
        }

        // As the window leaves a game: told to the engine, then the menu's layout
        void leaveForMenu()
        {
            leaveGame(m_test.game, m_script.leaveBy);
            killTimer(m_test.game);
            m_test.view.showLayout(true);
        }

        bool hasPlayerOut() const
        {
            const GameState& state = m_test.state;
            return std::any_of(state.players.begin(), state.players.end(),
                [](const Player& player) { return player.team >= 0 && !player.alive; });
        }

        void press(int p, int d)
        {
            if (m_test.state.players[p].team >= 0)
                steerPlayer(m_test.game, p, d);
        }

        const GameScript& m_script;
        TestGame& m_test;
        std::function<void()> m_afterTick;
        ReplayRecorder m_recorder;
        RandomGenerator m_dice;
        RunPlanner m_planner { m_test.state, m_dice, m_script.runLength };
    };

} // namespace

void RunPlanner::steer(const Press& press)
{
    for (int p = 0; p < PlayerCount; ++p) {
        const Player& player = m_state.players[p];
        Run& run = m_runs[p];
        if (!player.alive || player.team < 0)
            continue;
        if (player.respawnDelay != 0 || (!player.drawing && run.stage != Run::OnGround)) {
            run = {};
            continue;
        }
        switch (run.stage) {
        case Run::OnGround:
            if (nearestOpenEnemy(player) > 3 * Caution && m_dice.next(4) == 0) {
                run.inward = m_dice.next(4);
                press(p, run.inward);
                // Along the ground until the open lies ahead
                run.stage = cellAhead(player, run.inward) == Open ? Run::GoingIn : Run::OnGround;
                run.stepsLeft = 1 + m_dice.next(m_runLength);
            }
            break;
        case Run::GoingIn:
            // An open enemy near the trail cuts the run short
            if (isInDanger(player) || --run.stepsLeft <= 0) {
                press(p, run.inward < Left ? Left + m_dice.next(2) : Up + m_dice.next(2));
                run.stage = Run::GoingAcross;
                run.stepsLeft = isInDanger(player) ? 1 : 1 + m_dice.next(2 * m_runLength);
            }
            break;
        case Run::GoingAcross:
            if (isInDanger(player) || --run.stepsLeft <= 0)
                run.stage = Run::GoingBack;
            break;
        case Run::GoingBack:
            break;
        }
        if (run.stage == Run::GoingBack)
            press(p, wayBack(player, run));
    }
}

uint8_t RunPlanner::cellAhead(const Player& player, int d) const
{
    const Step step = directionStep(d);
    return m_state.cells[player.x + step.dx][player.y + step.dy];
}

// The direction of the nearest ground in a straight line, never back along the trail
int RunPlanner::wayBack(const Player& player, const Run& run) const
{
    int best = Opposite[run.inward];
    int bestDistance = 1 << 20;
    for (int d = 0; d < 4; ++d) {
        const Step step = directionStep(d);
        if (step.dx == -player.dx && step.dy == -player.dy)
            continue;
        int x = player.x + step.dx;
        int y = player.y + step.dy;
        int cells = 1;
        while (m_state.cells[x][y] == Open) {
            x += step.dx;
            y += step.dy;
            ++cells;
        }
        if (m_state.cells[x][y] == Ground && cells < bestDistance) {
            best = d;
            bestDistance = cells;
        }
    }
    return best;
}

bool RunPlanner::isInDanger(const Player& player) const
{
    return player.drawing && nearestOpenEnemy(player) < Caution;
}

int RunPlanner::nearestOpenEnemy(const Player& player) const
{
    int nearest = 1000;
    for (const Enemy& enemy : m_state.openEnemies)
        nearest = std::min(nearest, distance(enemy.x, enemy.y, player.x, player.y));
    return nearest;
}

const std::vector<GameScript>& goldenScripts()
{
    static const std::vector<GameScript> scripts {
        { "alone-until-lost", 11, { { 0, 0 } }, 200000, EndReason::Menu, 0, false, 25 },
        { "two-teams-revived", 22, { { 0, 0 }, { 1, 1 } }, 12000, EndReason::Menu, 0, true, 12 },
        { "four-in-two-teams", 33, { { 0, 0 }, { 1, 0 }, { 2, 2 }, { 3, 2 } }, 8000,
            EndReason::Close, 900, false, 15 },
        { "small-field-lost", 55, { { 0, 1 }, { 3, 2 } }, 60000, EndReason::Menu, 200, true, 10, 1,
            48, 36 },
        { "closed-early", 57, { { 0, 1 }, { 1, 1 } }, 300, EndReason::Close, 0, true, 20, 1, 64,
            40 },
    };
    return scripts;
}

Replay playScript(const GameScript& script)
{
    TestGame test;
    return ScriptedGame(script, test, [] {}).play();
}

Replay playScript(const GameScript& script, TestGame& test, const std::function<void()>& afterTick)
{
    return ScriptedGame(script, test, afterTick).play();
}

} // namespace fendral
