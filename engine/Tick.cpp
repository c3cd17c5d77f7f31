#include "Tick.h"

#include "Enemies.h"
#include "Level.h"
#include "Players.h"

#include <optional>
#include <string>

namespace fendral {

namespace {

    constexpr int MeasureSteps = 15; // a speed measurement spans the 14 periods between 15 steps
    constexpr double SecondsPerDay = 86400;
    constexpr int MaxPurchases = 99;

    // Doubles the step multiplier when the last 15 logic steps ran more than a fifth too slow.
    void checkSpeed(Game& game)
    {
        GameState& state = game.state;
        if (state.stepMultiplier < 4 && state.speedCheckCountdown >= 0) {
            if (state.speedCheckCountdown == MeasureSteps)
                state.speedCheckStart = game.platform.now();
            if (state.speedCheckCountdown != 0 && --state.speedCheckCountdown == 0) {
                const double elapsed
                    = (game.platform.now() - state.speedCheckStart) * SecondsPerDay;
                const double allowed = (1 + 0.2) * 10 * MeasureSteps / state.W;
                if (elapsed > allowed) {
                    state.stepMultiplier *= 2;
                    armTimer(game);
                    state.speedCheckCountdown = MeasureSteps;
                } else {
                    state.speedCheckCountdown = -1;
                }
            }
        }
        state.ticksToStep = TicksPerStep / state.stepMultiplier;
    }

    void startStep(GameState& state)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            state.dies[p] = state.players[p].killed;
            state.players[p].killed = 0;
            state.teamLostLife[p] = 0;
        }
        state.changed = 0;
    }

    // However many members died in one step, their team pays a single life for it.
    void chargeTeamLives(GameState& state)
    {
        for (int t = 0; t < TeamCount; ++t)
            if (state.teamLostLife[t])
                state.teams[t].lives -= 1.0;
    }

    bool hasPlayerInPlay(const GameState& state)
    {
        for (const Player& player : state.players)
            if (player.alive)
                return true;
        return false;
    }

    std::string finalMessage(const GameState& state)
    {
        if (state.cheatCount == 0)
            return "Game Completed! Congratulations!";
        return std::string("Game Completed, you cheater") + (state.playersInPlay == 1 ? "" : "s")
            + ".";
    }

    void showMessage(Game& game, const std::string& text)
    {
        game.view.setMessage(text);
        game.view.setMessageVisible(true);
    }

    // Tells the game's log of the end of a level, and of the end of the game when it ended
    void reportLevelEnd(Game& game, CheckKind check, std::optional<EndReason> end)
    {
        if (game.log == nullptr)
            return;
        game.log->checkpoint(game.state, check);
        if (end)
            game.log->commandTaken(game.state, { CommandKind::End, 0, static_cast<uint8_t>(*end) });
    }

    // Kind A and kind B additions; both keep a team's lives below 100.
    void addLives(Team& team, double lives, bool capAt9999)
    {
        if (team.lives + lives < 100)
            team.lives += lives;
        else if (capAt9999)
            team.lives = 99.99;
    }

} // namespace

void tick(Game& game)
{
    GameState& state = game.state;
    if (state.paused && !state.gameOver) {
        // A pause never counts as slowness
        state.speedCheckCountdown = MeasureSteps;
        return;
    }
    if (state.fieldShare >= state.neededShare) {
        // The level was completed and the players have asked to go on
        goOnAfterLevel(game);
        return;
    }
    if (state.ticksToStep == 0)
        logicStep(game);
    --state.ticksToStep;
    game.view.drawSprites(true);
    checkLevelEnd(game);
}

void goOnAfterLevel(Game& game)
{
    GameState& state = game.state;
    if (state.level < LastLevel) {
        if (game.log != nullptr)
            game.log->commandTaken(state, { CommandKind::NextLevel });
        levelEndBonus(game);
        setUpLevel(game, state.level + 1);
    } else {
        killTimer(game);
        game.view.showLayout(true);
    }
}

// Completion is tested first: a level reached in the step that lost the last player still counts.
void checkLevelEnd(Game& game)
{
    GameState& state = game.state;
    if (state.fieldShare < state.neededShare) {
        // A lost game goes on moving its enemies and is checked again every tick; the game ended
        // at the first
        if (!hasPlayerInPlay(state)) {
            showMessage(game, "Game Over - Press Space");
            state.paused = 1;
            const bool endsNow = state.gameOver == 0;
            state.gameOver = 1;
            if (endsNow) {
                game.view.gameEvent({ GameEvent::GameOver });
                reportLevelEnd(game, CheckKind::LevelEnd, EndReason::GameOver);
            }
        }
        return;
    }
    state.paused = 1;
    const bool lastLevel = state.level >= LastLevel;
    showMessage(game, lastLevel ? finalMessage(state) : "Level Completed - Press Space");
    game.view.gameEvent({ lastLevel ? GameEvent::GameCompleted : GameEvent::LevelCompleted });
    reportLevelEnd(
        game, CheckKind::LevelEnd, lastLevel ? std::optional(EndReason::LastLevel) : std::nullopt);
}

void leaveGame(Game& game, EndReason reason)
{
    const GameState& state = game.state;
    const bool ended = state.gameOver != 0
        || (state.level == LastLevel && state.fieldShare >= state.neededShare);
    if (state.menuMode == 0 && !ended)
        reportLevelEnd(game, CheckKind::GameLeft, reason);
}

bool runsLogicStep(const GameState& state)
{
    return (!state.paused || state.gameOver) && state.fieldShare < state.neededShare
        && state.ticksToStep == 0;
}

void logicStep(Game& game)
{
    GameState& state = game.state;
    checkSpeed(game);
    startStep(state);
    movePhase(game);
    erasePhase(game);
    closePhase(game);
    startTrailPhase(game);
    hazardPhase(state);
    enemyPhase(game);
    deathPhase(game);
    chargeTeamLives(state);
    if (state.changed)
        game.view.updateScores();
    if (++state.stepsPlayed % 100 == 0 && game.log != nullptr)
        game.log->checkpoint(state, CheckKind::Periodic);
}

int timerInterval(const GameState& state, int stepMultiplier)
{
    return static_cast<int>(stepMultiplier * 10000.0 / state.W * 0.125);
}

void armTimer(Game& game)
{
    GameState& state = game.state;
    killTimer(game);
    state.timerId = game.platform.setTimer(timerInterval(state, state.stepMultiplier));
}

void killTimer(Game& game)
{
    if (game.state.timerId == 0)
        return;
    game.platform.killTimer(game.state.timerId);
    game.state.timerId = 0;
}

void addLivesTakingBack(Team& team, double lives) { addLives(team, lives, false); }

void addLivesCappingAt9999(Team& team, double lives) { addLives(team, lives, true); }

void levelEndBonus(Game& game)
{
    GameState& state = game.state;
    for (int t = 0; t < TeamCount; ++t)
        if (state.teams[t].active)
            for (const Player& player : state.players)
                addLivesTakingBack(state.teams[t], player.team == t && player.alive ? 1.0 : 0.0);
    for (Team& team : state.teams)
        addLivesCappingAt9999(team, (state.levelStartCounts[1] - 1) * team.levelShare);
    for (int t = 0; t < TeamCount; ++t)
        if (state.teams[t].active)
            reviveOutPlayers(game, t, false);
}

void buyLives(Game& game)
{
    GameState& state = game.state;
    if (state.cheatCount == MaxPurchases || state.gameOver != 0)
        return;
    if (game.log != nullptr)
        game.log->commandTaken(state, { CommandKind::BuyLives });
    for (const Player& player : state.players)
        if (player.alive != 0)
            addLivesTakingBack(state.teams[player.team], 1.0);
    for (int t = 0; t < TeamCount; ++t)
        if (state.teams[t].active != 0)
            reviveOutPlayers(game, t, true);
    ++state.cheatCount;
    game.view.gameEvent({ GameEvent::LifeBought });
    game.view.updateScores();
}

void reviveOutPlayers(Game& game, int t, bool placeNow)
{
    GameState& state = game.state;
    Team& team = state.teams[t];
    // The player who went out last comes back first
    while (team.outCount > 0 && team.lives >= 1.0) {
        const int p = team.outList[--team.outCount];
        state.players[p].alive = 1;
        if (game.view.hasPlayerFrame(p))
            game.view.setOut(p, false);
        team.lives -= 1.0;
        game.view.gameEvent({ GameEvent::PlayerRevived, p });
        if (placeNow) {
            respawn(state, p);
            state.players[p].respawnDelay = 0;
        }
    }
}

} // namespace fendral
