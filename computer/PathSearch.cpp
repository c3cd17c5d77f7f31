#include "PathSearch.h"

#include <algorithm>

namespace fendral {

namespace {

    // The lengths at which a run may end and the next one begin: dense near the player, where
    // small corrections matter, sparse far away
    constexpr std::array<int, 11> runLengths { 1, 2, 3, 5, 8, 12, 17, 24, 33, 45, 60 };

    bool isRunLength(int length)
    {
        return std::find(runLengths.begin(), runLengths.end(), length) != runLengths.end();
    }

    constexpr int MaxCandidates = 4000; // enough for every ladder on the widest field
    constexpr int SearchBudget = 8000; // steps walked by one search at most
    constexpr int StraightLook = 24; // steps looked along a straight run when nothing closes

} // namespace

std::vector<int> PathCandidate::directions() const
{
    std::vector<int> result;
    int remaining = steps;
    for (int i = 0; i < segmentCount; ++i) {
        const int length = i + 1 < segmentCount ? segments[i].length : remaining;
        result.insert(result.end(), length, segments[i].direction);
        remaining -= length;
    }
    return result;
}

PathSearch::PathSearch(const GameState& state, int p, const EnemyForecast& forecast,
    const std::vector<uint8_t>& claimed, bool trustsBeyondSight)
    : m_state(state)
    , m_p(p)
    , m_forecast(forecast)
    , m_claimed(claimed)
    , m_index(state)
    , m_codes(cellCodes(state))
    , m_trail(trailCells(state, p))
    , m_lastStep(trustsBeyondSight ? EnemyForecast::Span : forecast.horizon())
{
    // The trail laid so far stays exposed in every coming step until it closes
    for (std::size_t i = 0; i < m_trail.size(); ++i) {
        const int cell = m_trail[i];
        m_trailDanger = std::min(m_trailDanger, forecast.firstTrailHit(cell, 1));
        if (i > 0) {
            const int before = m_trail[i - 1];
            m_trailTwiceArea += static_cast<long long>(m_index.x(before)) * m_index.y(cell)
                - static_cast<long long>(m_index.x(cell)) * m_index.y(before);
        }
    }
}

PathSearch::Walk PathSearch::startingWalk() const
{
    const Player& player = m_state.players[m_p];
    Walk walk { player.x, player.y, 0, directionOf(player.dx, player.dy), player.drawing != 0,
        m_trailDanger, 0, player.x, player.y, 0 };
    if (walk.drawing && !m_trail.empty()) {
        const int first = m_trail.front();
        const int last = m_trail.back();
        walk.startX = m_index.x(first);
        walk.startY = m_index.y(first);
        walk.twiceArea = m_trailTwiceArea + static_cast<long long>(m_index.x(last)) * player.y
            - static_cast<long long>(player.x) * m_index.y(last);
    }
    return walk;
}

bool PathSearch::isTurnAllowed(
    const Walk& walk, int segment, const PathCandidate& path, int direction) const
{
    if (segment > 0) {
        // Each run turns off the one before it
        const int before = path.segments[segment - 1].direction;
        if (direction == before || direction == reverseOf(before))
            return false;
    }
    return isAllowed(walk, direction);
}

bool PathSearch::isAllowed(const Walk& walk, int direction) const
{
    // A drawing player's reversal is dropped by the game: it would run on, not turn back
    return !(walk.drawing && walk.velocity >= 0 && direction == reverseOf(walk.velocity));
}

PathSearch::StepOutcome PathSearch::advance(Walk& walk, int direction) const
{
    const Step step = directionStep(direction);
    const int x = walk.x + step.dx;
    const int y = walk.y + step.dy;
    const int k = walk.k + 1;
    const int cell = m_index.of(x, y);
    const uint8_t code = m_codes[cell];
    if (code == Outside || isTrail(code) || m_claimed[cell] || k > m_lastStep)
        return StepOutcome::Dies;
    if (walk.drawing) {
        // The cell left in this step becomes trail in this step
        const int left = m_index.of(walk.x, walk.y);
        walk.trailDanger = std::min(walk.trailDanger, m_forecast.firstTrailHit(left, k));
    }
    if (code == Open) {
        if (m_forecast.hitsOpen(cell, k) || walk.trailDanger <= k)
            return StepOutcome::Dies;
        if (!walk.drawing) {
            walk.drawing = true;
            walk.startX = walk.x;
            walk.startY = walk.y;
            walk.twiceArea = 0;
        }
        ++walk.newCells;
    } else {
        // On the ground: a ground enemy next to it, now or in the step it stands still after
        // closing, kills it; the shield of a fresh respawn holds through its first step
        const Player& player = m_state.players[m_p];
        const bool shielded = k == 1 && player.shielded && player.dx == 0 && player.dy == 0;
        if ((!shielded && m_forecast.hitsGround(cell, k))
            || (walk.drawing && m_forecast.hitsGround(cell, k + 1)))
            return StepOutcome::Dies;
    }
    if (walk.drawing)
        walk.twiceArea += static_cast<long long>(walk.x) * y - static_cast<long long>(x) * walk.y;
    walk.x = x;
    walk.y = y;
    walk.k = k;
    walk.velocity = direction;
    if (code == Open)
        return StepOutcome::Moves;
    if (walk.drawing) {
        walk.drawing = false;
        return StepOutcome::Closes;
    }
    return StepOutcome::Moves;
}

void PathSearch::record(
    const Walk& walk, const PathCandidate& path, std::vector<PathCandidate>& found) const
{
    if (static_cast<int>(found.size()) >= MaxCandidates)
        return;
    PathCandidate candidate = path;
    candidate.steps = walk.k;
    candidate.newCells = walk.newCells;
    candidate.slack = walk.trailDanger - walk.k;
    const long long closing = static_cast<long long>(walk.x) * walk.startY
        - static_cast<long long>(walk.startX) * walk.y;
    candidate.area = static_cast<int>(std::abs(walk.twiceArea + closing) / 2);
    found.push_back(std::move(candidate));
}

int PathSearch::explore(const Walk& start, int segment, PathCandidate& path,
    std::vector<PathCandidate>& found, int budget) const
{
    // Each run is walked to its end first; the steps left to the search are then shared
    // evenly among the places where the next run may turn off it
    struct Turn {
        Walk walk;
        PathSegment run;
    };
    std::vector<Turn> turns;
    // The last of the three runs walks on to its end without turning off
    const bool mayTurn = segment + 1 < static_cast<int>(path.segments.size());
    int spent = 0;
    int directions = 0;
    for (int direction = Up; direction <= Right; ++direction)
        directions += isTurnAllowed(start, segment, path, direction);
    for (int direction = Up; direction <= Right; ++direction) {
        if (!isTurnAllowed(start, segment, path, direction))
            continue;
        const int share = (budget - spent) / directions--;
        Walk walk = start;
        for (int length = 1; length <= share; ++length) {
            ++spent;
            const StepOutcome outcome = advance(walk, direction);
            if (outcome == StepOutcome::Dies)
                break;
            path.segments[segment] = { direction, length };
            if (outcome == StepOutcome::Closes) {
                path.segmentCount = segment + 1;
                record(walk, path, found);
                break;
            }
            if (mayTurn && isRunLength(length))
                turns.push_back({ walk, { direction, length } });
        }
    }
    for (std::size_t i = 0; mayTurn && i < turns.size(); ++i) {
        const int share = (budget - spent) / static_cast<int>(turns.size() - i);
        path.segments[segment] = turns[i].run;
        spent += explore(turns[i].walk, segment + 1, path, found, share);
    }
    return spent;
}

void PathSearch::findClosingPaths(std::vector<PathCandidate>& found) const
{
    found.clear();
    found.reserve(MaxCandidates);
    PathCandidate path;
    explore(startingWalk(), 0, path, found, SearchBudget);
}

PathSearch::Outcome PathSearch::follow(const std::vector<int>& directions) const
{
    Walk walk = startingWalk();
    for (std::size_t i = 0; i < directions.size(); ++i) {
        if (!isAllowed(walk, directions[i]))
            return { static_cast<int>(i), false };
        switch (advance(walk, directions[i])) {
        case StepOutcome::Dies:
            return { static_cast<int>(i), false };
        case StepOutcome::Closes:
            return { static_cast<int>(i) + 1, true };
        case StepOutcome::Moves:
            break;
        }
    }
    return { static_cast<int>(directions.size()), false };
}

int PathSearch::safestStep(std::mt19937& draws) const
{
    const Walk start = startingWalk();
    int best = -1;
    int bestLife = -1;
    int ties = 0;
    for (int direction = Up; direction <= Right; ++direction) {
        if (!isAllowed(start, direction))
            continue;
        Walk walk = start;
        int life = 0;
        for (; life < StraightLook; ++life) {
            const StepOutcome outcome = advance(walk, direction);
            if (outcome == StepOutcome::Dies)
                break;
            if (outcome == StepOutcome::Closes) {
                life = StraightLook;
                break;
            }
        }
        // Keeping the current way wins a tie: a player that turns at random sits still in effect
        if (direction == start.velocity)
            life = life * 2 + 1;
        else
            life *= 2;
        if (life > bestLife) {
            best = direction;
            bestLife = life;
            ties = 1;
        } else if (life == bestLife && std::uniform_int_distribution<int>(0, ties++)(draws) == 0) {
            best = direction;
        }
    }
    return best;
}

} // namespace fendral
