#include "ComputerPlayer.h"

#include "PathSearch.h"

namespace fendral {

ComputerPlayer::ComputerPlayer(int p, Strength strength, uint32_t seed)
    : m_p(p)
    , m_strength(strength)
    , m_traits(traitsOf(strength))
    , m_seed(seed)
    , m_draws(seed)
{
}

bool ComputerPlayer::isPlanStillGood(const GameState& state, const PathSearch& search)
{
    const Player& player = state.players[m_p];
    if (m_next >= m_plan.size() || player.x != m_expectedX || player.y != m_expectedY)
        return false;
    // A weaker player looks again only now and then, and keeps a doomed path until it does
    if (++m_stepsSinceCheck < m_traits.recheckEvery)
        return true;
    m_stepsSinceCheck = 0;
    const std::vector<int> rest(m_plan.begin() + static_cast<std::ptrdiff_t>(m_next), m_plan.end());
    const PathSearch::Outcome outcome = search.follow(rest);
    return outcome.closes || outcome.stepsSafe == static_cast<int>(rest.size());
}

void ComputerPlayer::planAgain(
    const GameState& state, const PathSearch& search, const EnemyForecast& forecast)
{
    m_plan.clear();
    m_next = 0;
    m_stepsSinceCheck = 0;
    search.findClosingPaths(m_candidates);
    const CaptureTerms terms { cellsStillNeeded(state), m_traits.stepsWorth, m_traits.choices };
    const int chosen = chooseCapture(state, m_p, forecast, m_candidates, terms, m_counter, m_draws);
    if (chosen >= 0) {
        m_plan = m_candidates[chosen].directions();
        return;
    }
    // No path closes safely: one step where it lives longest, and a fresh look at the next step
    const int step = search.safestStep(m_draws);
    if (step >= 0)
        m_plan.push_back(step);
}

std::optional<int> ComputerPlayer::decide(
    const GameState& state, const EnemyForecast& forecast, const std::vector<uint8_t>& claimed)
{
    const Player& player = state.players[m_p];
    if (!isInPlay(player) || state.paused || player.respawnDelay > 0) {
        m_plan.clear();
        m_expectedX = m_expectedY = -1;
        return std::nullopt;
    }
    const PathSearch search(state, m_p, forecast, claimed, m_traits.trustsBeyondSight);
    if (!isPlanStillGood(state, search))
        planAgain(state, search, forecast);
    if (m_next >= m_plan.size())
        return std::nullopt;
    const int direction = m_plan[m_next++];
    const Step step = directionStep(direction);
    m_expectedX = player.x + step.dx;
    m_expectedY = player.y + step.dy;
    // A request for the way it already goes is needed only where the game would stop it
    const bool stops = player.closedTrail || (player.dx == 0 && player.dy == 0);
    if (!stops && player.dx == step.dx && player.dy == step.dy)
        return std::nullopt;
    return direction;
}

std::vector<int> ComputerPlayer::plannedCells(const GameState& state) const
{
    std::vector<int> cells;
    const FieldIndex index(state);
    int x = m_expectedX;
    int y = m_expectedY;
    if (m_next > m_plan.size() || x < 0)
        return cells;
    cells.push_back(index.of(x, y));
    for (std::size_t i = m_next; i < m_plan.size(); ++i) {
        x += directionStep(m_plan[i]).dx;
        y += directionStep(m_plan[i]).dy;
        cells.push_back(index.of(x, y));
    }
    return cells;
}

} // namespace fendral
