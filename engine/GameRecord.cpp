#include "GameRecord.h"

#include "Tick.h"

#include <numeric>

namespace fendral {

double LevelRecord::share() const
{
    return std::accumulate(playerShare.begin(), playerShare.end(), 0.0);
}

void GameRecord::start(const GameState& state)
{
    *this = GameRecord {};
    m_started = true;
    m_startingLevel = state.level;
    m_recordedLevel = state.level - 1;
    m_levelStartStep = state.stepsPlayed;
    // The speed check changes the ticks of a step, never the game time a step stands for
    m_stepMilliseconds = TicksPerStep * timerInterval(state, 1);
    for (int p = 0; p < PlayerCount; ++p) {
        m_teamOf[p] = state.players[p].team;
        m_colourOf[p] = state.players[p].colour;
        m_colourIndexOf[p] = state.colourChoice[p];
        m_computerOf[p] = state.computer[p];
    }
}

void GameRecord::observe(const GameState& state)
{
    // The menu's layout clears the purchases: the game's numbers are those before it
    if (!m_started || state.menuMode != 0)
        return;
    m_livesBought = state.cheatCount;
    for (int p = 0; p < PlayerCount; ++p) {
        m_totalShare[p] = state.players[p].totalShare;
        m_totalDeaths[p] = state.players[p].deaths;
    }
    // A level ends paused on its message: completed, or lost with the game
    const bool completed = state.fieldShare >= state.neededShare;
    if (m_ended || state.level == m_recordedLevel || state.paused == 0
        || !(completed || state.gameOver))
        return;
    LevelRecord level;
    level.level = state.level;
    level.completed = completed;
    for (int p = 0; p < PlayerCount; ++p) {
        level.playerShare[p] = state.players[p].levelShare;
        level.deaths[p] = state.players[p].levelDeaths;
    }
    for (int t = 0; t < TeamCount; ++t)
        level.teamShare[t] = state.teams[t].levelShare;
    level.milliseconds = (state.stepsPlayed - m_levelStartStep) * m_stepMilliseconds;
    m_levels.push_back(level);
    m_recordedLevel = state.level;
    m_levelStartStep = state.stepsPlayed;
    m_ended = !completed || state.level == LastLevel;
}

bool GameRecord::hasPerson() const
{
    for (int p = 0; p < PlayerCount; ++p) {
        if (m_teamOf[p] >= 0 && m_computerOf[p] == Person)
            return true;
    }
    return false;
}

int GameRecord::levelReached() const
{
    if (m_levels.empty())
        return m_startingLevel;
    const LevelRecord& last = m_levels.back();
    return last.completed && last.level == LastLevel ? AllLevelsCompleted : last.level;
}

int GameRecord::bestLevelIndex() const
{
    int best = -1;
    for (int i = 0; i < static_cast<int>(m_levels.size()); ++i) {
        if (best < 0 || m_levels[i].share() > m_levels[best].share())
            best = i;
    }
    return best;
}

double GameRecord::share() const
{
    return std::accumulate(m_totalShare.begin(), m_totalShare.end(), 0.0);
}

int GameRecord::deaths() const
{
    return std::accumulate(m_totalDeaths.begin(), m_totalDeaths.end(), 0);
}

} // namespace fendral
