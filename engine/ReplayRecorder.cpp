#include "ReplayRecorder.h"

#include "StateHash.h"

#include <cmath>

namespace fendral {

void ReplayRecorder::gameStarted(const GameState& state)
{
    m_replay = Replay {};
    ReplayHeader& header = m_replay.header;
    header.programVersion = m_programVersion;
    header.date = m_date;
    header.seed = state.rng.seedValue();
    header.width = static_cast<uint16_t>(state.W);
    header.height = static_cast<uint16_t>(state.H);
    for (int p = 0; p < PlayerCount; ++p) {
        PlayerSetup& player = header.players[p];
        player.team = static_cast<int8_t>(state.players[p].team);
        player.colour = static_cast<uint8_t>(state.colourChoice[p]);
        if (state.computer[p] != Person) {
            player.controller = Controller::Computer;
            player.strength = static_cast<uint8_t>(state.computer[p]);
            player.controllerSeed = m_computerSeeds[p];
        }
    }
    m_recording = true;
    m_finished = false;
}

void ReplayRecorder::commandTaken(const GameState& state, const Command& command)
{
    if (!m_recording)
        return;
    add(state,
        { .kind = static_cast<EventKind>(command.kind),
            .player = command.player,
            .value = command.value });
    ReplaySummary& summary = m_replay.summary;
    if (command.kind == CommandKind::BuyLives)
        ++summary.livesBought;
    if (command.kind != CommandKind::End)
        return;
    summary.ended = static_cast<EndReason>(command.value);
    summary.steps = static_cast<uint32_t>(state.stepsPlayed);
    summary.levelReached = static_cast<uint8_t>(state.level);
    summary.fieldShare = static_cast<uint16_t>(std::lround(state.fieldShare * 10000));
    m_recording = false;
    m_finished = true;
}

void ReplayRecorder::checkpoint(const GameState& state, CheckKind kind)
{
    if (!m_recording)
        return;
    if (kind == CheckKind::LevelSetUp && m_replay.events.empty())
        m_replay.header.startingLevel = static_cast<uint8_t>(state.level);
    add(state,
        { .kind = EventKind::Check,
            .value = static_cast<uint8_t>(kind),
            .hash = stateHash(state) });
}

bool ReplayRecorder::hasFinishedGame() const { return m_finished && m_replay.summary.steps > 0; }

Replay ReplayRecorder::takeFinishedGame()
{
    m_finished = false;
    return std::move(m_replay);
}

void ReplayRecorder::add(const GameState& state, ReplayEvent event)
{
    event.step = static_cast<uint32_t>(state.stepsPlayed);
    m_replay.events.push_back(event);
}

} // namespace fendral
