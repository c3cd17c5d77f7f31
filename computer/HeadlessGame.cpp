#include "HeadlessGame.h"

#include "Level.h"
#include "Tick.h"
#include "WindowlessGame.h"

#include <memory>

namespace fendral {

int HeadlessResult::levelsCompleted() const
{
    int count = 0;
    for (const LevelResult& level : levels)
        count += level.completed;
    return count;
}

uint32_t computerSeed(uint32_t gameSeed, int p)
{
    // Distinct, well spread seeds for the four players of one game
    return gameSeed * 2654435761u + static_cast<uint32_t>(p + 1) * 40503u;
}

HeadlessGame::HeadlessGame(const HeadlessOptions& options)
    : m_options(options)
    , m_view(std::make_unique<NullView>(m_state))
    , m_platform(std::make_unique<StillPlatform>())
    , m_game(std::make_unique<Game>(Game { m_state, *m_view, *m_platform }))
{
    if (m_options.strengths.empty())
        m_options.strengths.push_back(Strength::Hard);
    m_runDecisions = [](const std::function<void()>& decide) { decide(); };
}

HeadlessGame::~HeadlessGame() = default;

void HeadlessGame::startGame()
{
    m_state.rng.seed(m_options.seed);
    m_state.allocateGrids(128, 81);
    m_state.teamAssignment = {};
    std::array<uint32_t, PlayerCount> seeds {};
    for (int p = 0; p < PlayerCount; ++p) {
        m_state.computer[p] = Person;
        if (p >= m_options.players)
            continue;
        m_state.teamAssignment[p][p] = 1;
        const std::size_t last = m_options.strengths.size() - 1;
        m_state.computer[p] = static_cast<int>(m_options.strengths[std::min<std::size_t>(p, last)]);
        seeds[p] = computerSeed(m_options.seed, p);
    }
    m_computers.setUp(m_state, seeds);
    m_game->log = m_log;
    newGame(*m_game, m_options.seed, m_options.level);
}

LevelResult HeadlessGame::playLevel()
{
    LevelResult result;
    result.level = m_state.level;
    const double startShare = m_state.fieldShare;
    int deathsBefore = 0;
    for (const Player& player : m_state.players)
        deathsBefore += player.deaths;
    while (!m_state.gameOver && m_state.fieldShare < m_state.neededShare
        && result.steps < m_options.maxSteps) {
        if (runsLogicStep(m_state)) {
            m_runDecisions([this] { m_computers.steer(*m_game); });
            if (m_listener)
                m_listener(*this);
            ++result.steps;
        }
        tick(*m_game);
    }
    result.completed = m_state.fieldShare >= m_state.neededShare;
    result.shareGained = m_state.fieldShare - startShare;
    for (const Player& player : m_state.players)
        result.deaths += player.deaths;
    result.deaths -= deathsBefore;
    return result;
}

HeadlessResult HeadlessGame::play()
{
    startGame();
    HeadlessResult result;
    for (int played = 0; played < m_options.levels; ++played) {
        result.levels.push_back(playLevel());
        if (!result.levels.back().completed || m_state.level == LastLevel
            || played + 1 == m_options.levels)
            break;
        // "Level Completed - Press Space": Space goes on to the next level
        m_state.paused = 0;
        tick(*m_game);
    }
    // A game stopped before it was lost or completed ends as if returned to the menu
    leaveGame(*m_game, EndReason::Menu);
    for (int p = 0; p < PlayerCount; ++p) {
        result.totalShares[p] = m_state.players[p].totalShare;
        result.deaths[p] = m_state.players[p].deaths;
    }
    return result;
}

Replay recordHeadlessGame(const HeadlessOptions& options, ReplayRecorder& recorder)
{
    std::array<uint32_t, PlayerCount> seeds {};
    for (int p = 0; p < PlayerCount; ++p)
        seeds[p] = computerSeed(options.seed, p);
    recorder.setComputerSeeds(seeds);
    HeadlessGame game(options);
    game.setLog(&recorder);
    game.play();
    return recorder.takeFinishedGame();
}

} // namespace fendral
