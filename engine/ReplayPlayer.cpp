#include "ReplayPlayer.h"

#include "Level.h"
#include "Players.h"
#include "StateHash.h"
#include "Tick.h"
#include "WindowlessGame.h"

#include <memory>

namespace fendral {

bool isLevelCompleted(const GameState& state)
{
    return state.paused != 0 && state.fieldShare >= state.neededShare;
}

ReplayPlayer::ReplayPlayer(Replay replay)
    : m_replay(std::move(replay))
{
}

void ReplayPlayer::start(Game& game)
{
    GameState& state = game.state;
    const ReplayHeader& header = m_replay.header;
    state.teamAssignment = {};
    for (int p = 0; p < PlayerCount; ++p) {
        const PlayerSetup& player = header.players[p];
        if (player.team >= 0)
            state.teamAssignment[player.team][p] = 1;
        state.colourChoice[p] = player.colour;
    }
    m_next = 0;
    m_ended = m_waitingToGoOn = m_levelEnded = false;
    m_mismatch.reset();
    game.log = this;
    newGame(game, header.seed, header.startingLevel);
}

const ReplayEvent* ReplayPlayer::nextEvent() const
{
    return m_next < m_replay.events.size() ? &m_replay.events[m_next] : nullptr;
}

void ReplayPlayer::applyDueEvents(Game& game, bool goOn)
{
    m_waitingToGoOn = false;
    while (!hasEnded()) {
        const ReplayEvent* event = nextEvent();
        if (event == nullptr || event->step < game.state.stepsPlayed) {
            mismatch(game.state);
            return;
        }
        if (event->step > game.state.stepsPlayed)
            return;
        if (event->kind == EventKind::NextLevel && !goOn && isLevelCompleted(game.state)) {
            m_waitingToGoOn = true;
            return;
        }
        if (!applyEvent(game, *event))
            mismatch(game.state);
    }
}

// Commands are applied as the window applied them; a check or an end due now is one the engine
// should have reported already, unless the game was left here.
bool ReplayPlayer::applyEvent(Game& game, const ReplayEvent& event)
{
    GameState& state = game.state;
    switch (event.kind) {
    case EventKind::Direction: {
        Player& player = state.players[event.player];
        // The door of steering records every request that reached a queue, in play or not
        if (state.paused || player.respawnDelay != 0)
            return false;
        ++m_next;
        requestDirection(player, event.value);
        return true;
    }
    case EventKind::BuyLives: {
        const int before = state.cheatCount;
        ++m_next;
        buyLives(game);
        return state.cheatCount == before + 1;
    }
    case EventKind::NextLevel:
        if (!isLevelCompleted(state) || state.level == LastLevel)
            return false;
        ++m_next;
        state.paused = 0;
        goOnAfterLevel(game);
        return true;
    case EventKind::Check: {
        const bool leftHere = event.value == static_cast<uint8_t>(CheckKind::GameLeft)
            && m_next + 1 < m_replay.events.size();
        if (!leftHere)
            return false;
        const ReplayEvent& end = m_replay.events[m_next + 1];
        leaveGame(game, static_cast<EndReason>(end.value));
        return m_ended;
    }
    case EventKind::End:
        return false;
    }
    return false;
}

bool ReplayPlayer::mayStep(const GameState& state)
{
    if (hasEnded())
        return false;
    if (state.paused != 0 || state.menuMode != 0) {
        mismatch(state);
        return false;
    }
    return true;
}

void ReplayPlayer::gameStarted(const GameState&) { }

// The engine reports the commands the player applies, and the ends of a game it decides itself
void ReplayPlayer::commandTaken(const GameState& state, const Command& command)
{
    if (command.kind != CommandKind::End || hasEnded())
        return;
    const ReplayEvent* event = nextEvent();
    if (event == nullptr || event->kind != EventKind::End || event->step != state.stepsPlayed
        || event->value != command.value) {
        mismatch(state);
        return;
    }
    ++m_next;
    m_ended = true;
}

void ReplayPlayer::checkpoint(const GameState& state, CheckKind kind)
{
    if (hasEnded())
        return;
    const ReplayEvent* event = nextEvent();
    const uint64_t hash = stateHash(state);
    if (event == nullptr || event->kind != EventKind::Check || event->step != state.stepsPlayed
        || event->value != static_cast<uint8_t>(kind) || event->hash != hash) {
        mismatch(state);
        return;
    }
    ++m_next;
    // A level is told once: at its end, or when the game is left during it
    const bool levelDone
        = kind == CheckKind::LevelEnd || (kind == CheckKind::GameLeft && !m_levelEnded);
    m_levelEnded = kind != CheckKind::LevelSetUp && (m_levelEnded || levelDone);
    if (levelDone && m_levelListener)
        m_levelListener({ state.level, state.fieldShare, hash,
            state.fieldShare >= state.neededShare, std::nullopt });
}

void ReplayPlayer::mismatch(const GameState& state)
{
    if (m_mismatch)
        return;
    m_mismatch = state.stepsPlayed;
    if (m_levelListener)
        m_levelListener({ state.level, state.fieldShare, 0, false, m_mismatch });
}

VerifyResult verifyReplay(
    const Replay& replay, const std::function<void(const PlayedLevel&)>& levelListener)
{
    VerifyResult result;
    auto headless = std::make_unique<WindowlessGame>();
    GameState& state = headless->state;
    state.allocateGrids(replay.header.width, replay.header.height);
    ReplayPlayer player(replay);
    player.setLevelListener([&](const PlayedLevel& level) {
        ++result.levels;
        result.completed += level.completed;
        levelListener(level);
    });
    player.start(headless->game);
    while (!player.hasEnded()) {
        player.applyDueEvents(headless->game, true);
        if (!player.mayStep(state))
            break;
        logicStep(headless->game);
        checkLevelEnd(headless->game);
    }
    result.ok = !player.mismatchStep().has_value();
    result.steps = state.stepsPlayed;
    result.levelReached = state.level;
    result.ended = replay.summary.ended;
    return result;
}

} // namespace fendral
