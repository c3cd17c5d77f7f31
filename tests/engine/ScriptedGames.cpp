#include "ScriptedGames.h"

#include "ComputerPlayers.h"
#include "FakeView.h"
#include "HeadlessGame.h"
#include "Players.h"
#include "ReplayRecorder.h"

#include <algorithm>

namespace fendral {

namespace {

    class ScriptedGame {
    public:
        ScriptedGame(
            const GameScript& script, TestGame& test, const std::function<void()>& afterTick)
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
            std::array<uint32_t, PlayerCount> seeds {};
            for (auto [p, t] : m_script.playerTeams) {
                state.teamAssignment[t][p] = 1;
                seeds[p] = computerSeed(static_cast<uint32_t>(m_script.seed), p);
            }
            for (int p = 0; p < PlayerCount; ++p)
                state.computer[p] = seeds[p] != 0 ? static_cast<int>(m_script.strength) : Person;
            m_computers.setUp(state, seeds);
            m_recorder.setComputerSeeds(seeds);
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
                m_computers.steer(m_test.game);
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
        ComputerPlayers m_computers;
    };

} // namespace

const std::vector<GameScript>& goldenScripts()
{
    static const std::vector<GameScript> scripts {
        { "alone-until-lost", 11, { { 0, 0 } }, 200000, EndReason::Menu, 0, false, Strength::Easy },
        { "two-teams-revived", 22, { { 0, 0 }, { 1, 1 } }, 12000, EndReason::Menu, 0, true,
            Strength::Easy },
        { "four-in-two-teams", 33, { { 0, 0 }, { 1, 0 }, { 2, 2 }, { 3, 2 } }, 8000,
            EndReason::Close, 900, false, Strength::Normal },
        { "small-field-to-the-end", 55, { { 0, 1 }, { 3, 2 } }, 60000, EndReason::Menu, 0, false,
            Strength::Easy, 1, 48, 36 },
        { "closed-early", 57, { { 0, 1 }, { 1, 1 } }, 300, EndReason::Close, 0, true,
            Strength::Hard, 1, 64, 40 },
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
