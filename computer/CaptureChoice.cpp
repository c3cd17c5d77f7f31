#include "CaptureChoice.h"

#include <algorithm>

namespace fendral {

namespace {

    constexpr int Counted = 6; // the best paths by their rough area whose gain is counted
    constexpr int CountedStraight = 2; // and the longest straight cuts, whose area says nothing
    constexpr int TightSlack = 2; // steps of room below which a path is worth less

    bool isTeammateTrail(const GameState& state, int p, uint8_t code)
    {
        if (!isTrail(code) || trailOwner(code) == p)
            return false;
        return state.players[trailOwner(code)].team == state.players[p].team;
    }

    // The unfinished trail and the open cells the path will lay, when it closes.
    std::vector<int> closedTrail(const GameState& state, int p, const PathCandidate& candidate)
    {
        std::vector<int> cells = trailCells(state, p);
        const FieldIndex index(state);
        const Player& player = state.players[p];
        int x = player.x;
        int y = player.y;
        const uint8_t* codes = cellCodes(state);
        for (int direction : candidate.directions()) {
            if (codes[index.of(x, y)] == Open)
                cells.push_back(index.of(x, y));
            x += directionStep(direction).dx;
            y += directionStep(direction).dy;
        }
        return cells;
    }

    double roughScore(const PathCandidate& candidate, int stepsWorth)
    {
        return static_cast<double>(candidate.area + candidate.newCells)
            / (candidate.steps + stepsWorth);
    }

    // The paths worth counting: the best by rough area, and the longest straight cuts
    std::vector<int> shortlist(const std::vector<PathCandidate>& candidates, int stepsWorth)
    {
        std::vector<int> order(candidates.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = static_cast<int>(i);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return roughScore(candidates[a], stepsWorth) > roughScore(candidates[b], stepsWorth);
        });
        std::vector<int> chosen(
            order.begin(), order.begin() + std::min<int>(Counted, order.size()));
        std::stable_sort(order.begin(), order.end(),
            [&](int a, int b) { return candidates[a].newCells > candidates[b].newCells; });
        int straight = 0;
        for (int i : order) {
            if (straight == CountedStraight)
                break;
            if (candidates[i].segmentCount == 1 || candidates[i].area < candidates[i].newCells) {
                if (std::find(chosen.begin(), chosen.end(), i) == chosen.end())
                    chosen.push_back(i);
                ++straight;
            }
        }
        return chosen;
    }

} // namespace

void CaptureCounter::prepare(const GameState& state)
{
    const auto size = static_cast<std::size_t>(fieldCellCount(state));
    if (m_seen.size() != size || m_stamp >= UINT32_MAX - 2 * size) {
        m_seen.assign(size, 0);
        m_enemyAt.assign(size, 0);
        m_stamp = 0;
        m_stack.reserve(size);
    }
}

CaptureCounter::Count CaptureCounter::capturedCells(const GameState& state,
    const EnemyForecast& forecast, int p, const std::vector<int>& trail, int closeStep)
{
    prepare(state);
    // Stamps of this count: the trail, and one per region filled after it
    const uint32_t trailStamp = ++m_stamp;
    for (int cell : trail)
        m_seen[cell] = trailStamp;
    // The enemies stand where they are after the step before the closing one, since the trail
    // closes before they move
    const FieldIndex index(state);
    const EnemyPosition* enemies = forecast.openEnemiesAfter(closeStep - 1);
    for (int i = 0; i < forecast.openEnemyCount(); ++i)
        m_enemyAt[index.of(enemies[i].x, enemies[i].y)] = trailStamp;
    // As the game's capture does: each region beside the trail is filled until it meets an
    // enemy, or a region already known to hold one; the regions that meet none are captured
    const uint8_t* codes = cellCodes(state);
    std::vector<uint32_t> heldRegions;
    Count count;
    for (int cell : trail)
        for (int seed : { cell - index.rows, cell + index.rows, cell - 1, cell + 1 }) {
            if (m_seen[seed] >= trailStamp || codes[seed] == Ground || codes[seed] == Outside)
                continue;
            const uint32_t region = ++m_stamp;
            int open = 0;
            bool held = false;
            bool holdsTeammateTrail = false;
            m_stack.assign(1, seed);
            m_seen[seed] = region;
            while (!m_stack.empty() && !held) {
                const int at = m_stack.back();
                m_stack.pop_back();
                open += codes[at] == Open;
                held = m_enemyAt[at] == trailStamp;
                holdsTeammateTrail = holdsTeammateTrail || isTeammateTrail(state, p, codes[at]);
                for (int next : { at - index.rows, at + index.rows, at - 1, at + 1 }) {
                    const uint32_t seen = m_seen[next];
                    if (seen > trailStamp && seen != region
                        && std::find(heldRegions.begin(), heldRegions.end(), seen)
                            != heldRegions.end())
                        held = true;
                    if (seen >= trailStamp || codes[next] == Ground || codes[next] == Outside)
                        continue;
                    m_seen[next] = region;
                    m_stack.push_back(next);
                }
            }
            if (held) {
                heldRegions.push_back(region);
            } else {
                count.cells += open;
                count.cutsTeammate = count.cutsTeammate || holdsTeammateTrail;
            }
        }
    return count;
}

int chooseCapture(const GameState& state, int p, const EnemyForecast& forecast,
    std::vector<PathCandidate>& candidates, const CaptureTerms& terms, CaptureCounter& counter,
    std::mt19937& draws)
{
    if (candidates.empty())
        return -1;
    std::vector<int> counted = shortlist(candidates, terms.stepsWorth);
    for (int i : counted) {
        PathCandidate& candidate = candidates[i];
        const std::vector<int> trail = closedTrail(state, p, candidate);
        const CaptureCounter::Count count
            = counter.capturedCells(state, forecast, p, trail, candidate.steps);
        candidate.value = static_cast<int>(trail.size()) + count.cells;
        if (count.cutsTeammate) {
            // A teammate's unfinished trail is left whole: that capture is its to make
            candidate.score = -1;
            continue;
        }
        if (candidate.value >= terms.cellsNeeded) {
            // Completing the level beats any gain: the sooner the better
            candidate.score = 1e6 - candidate.steps;
            continue;
        }
        candidate.score
            = static_cast<double>(candidate.value) / (candidate.steps + terms.stepsWorth);
        if (candidate.slack < TightSlack)
            candidate.score *= 0.6;
    }
    std::stable_sort(counted.begin(), counted.end(),
        [&](int a, int b) { return candidates[a].score > candidates[b].score; });
    std::erase_if(counted, [&](int i) { return candidates[i].score < 0; });
    if (counted.empty())
        return -1;
    const int choices = std::min<int>(terms.choices, counted.size());
    return counted[std::uniform_int_distribution<int>(0, choices - 1)(draws)];
}

} // namespace fendral
