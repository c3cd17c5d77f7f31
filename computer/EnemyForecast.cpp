#include "EnemyForecast.h"

#include "Enemies.h"

#include <algorithm>
#include <bit>

namespace fendral {

namespace {
    // Enemy moves one forecast may simulate: it keeps the forecast of the busiest level short
    constexpr int MoveBudget = 3000;
    // A forecast is made afresh once it has served this share of its span
    constexpr int ReuseDivisor = 3;

    bool samePlace(const Enemy& a, const Enemy& b)
    {
        return a.x == b.x && a.y == b.y && a.dx == b.dx && a.dy == b.dy;
    }
}

int StepSet::firstFrom(int t) const
{
    if (t < 64) {
        const uint64_t lowFromT = low & (~uint64_t { 0 } << t);
        if (lowFromT != 0)
            return std::countr_zero(lowFromT);
        t = 64;
    }
    if (t >= Never)
        return Never;
    const uint64_t highFromT = high & (~uint64_t { 0 } << (t - 64));
    return highFromT != 0 ? 64 + std::countr_zero(highFromT) : Never;
}

const EnemyForecast::CellHits* EnemyForecast::hits(int cell) const
{
    const CellHits& hits = m_hits[cell];
    return hits.generation == m_generation ? &hits : nullptr;
}

int EnemyForecast::firstTrailHit(int cell, int k) const
{
    const CellHits* cellHits = hits(cell);
    if (!cellHits)
        return StepSet::Never;
    const int t = cellHits->trail.firstFrom(m_now + k);
    return t == StepSet::Never ? t : t - m_now;
}

bool EnemyForecast::hitsOpen(int cell, int k) const
{
    const CellHits* cellHits = hits(cell);
    return cellHits && m_now + k <= Span && cellHits->open.has(m_now + k);
}

bool EnemyForecast::hitsGround(int cell, int k) const
{
    const CellHits* cellHits = hits(cell);
    return cellHits && m_now + k <= Span && cellHits->ground.has(m_now + k);
}

const EnemyPosition* EnemyForecast::openEnemiesAfter(int k) const
{
    const int t = std::clamp(m_now + k, 0, m_steps);
    return m_openPositions.data() + static_cast<std::ptrdiff_t>(t) * m_openCount;
}

void EnemyForecast::mark(StepSet CellHits::*set, int x, int y, int radius, int t)
{
    const int firstColumn = std::max(0, x - radius);
    const int lastColumn = std::min(m_columns - 1, x + radius);
    const int firstRow = std::max(0, y - radius);
    const int lastRow = std::min(m_rows - 1, y + radius);
    const uint32_t generation = m_generation;
    for (int i = firstColumn; i <= lastColumn; ++i) {
        CellHits* column = m_hits.data() + static_cast<std::ptrdiff_t>(i) * m_rows;
        for (int j = firstRow; j <= lastRow; ++j) {
            CellHits& cell = column[j];
            if (cell.generation != generation)
                cell = CellHits { generation, {}, {}, {} };
            (cell.*set).add(t);
        }
    }
}

bool EnemyForecast::agreesWith(const GameState& state) const
{
    if (state.level != m_level || state.fieldShare != m_fieldShare || m_rows != state.H + 2
        || m_openCount != static_cast<int>(state.openEnemies.size())
        || m_groundCount != static_cast<int>(state.groundEnemies.size()) || m_now + 1 > m_steps)
        return false;
    const int count = m_openCount + m_groundCount;
    const Enemy* foreseen = m_enemies.data() + static_cast<std::ptrdiff_t>(m_now + 1) * count;
    for (int i = 0; i < m_openCount; ++i)
        if (!samePlace(foreseen[i], state.openEnemies[i]))
            return false;
    for (int i = 0; i < m_groundCount; ++i)
        if (!samePlace(foreseen[m_openCount + i], state.groundEnemies[i]))
            return false;
    return true;
}

void EnemyForecast::update(const GameState& state, int lookAhead, int margin)
{
    const bool sameKind = lookAhead == m_lookAhead && margin == m_margin;
    if (sameKind && agreesWith(state) && (m_now + 1) * ReuseDivisor <= m_steps) {
        ++m_now;
        return;
    }
    build(state, lookAhead, margin);
}

void EnemyForecast::prepare(const GameState& state)
{
    const auto cells = static_cast<std::size_t>((state.W + 2) * (state.H + 2));
    if (m_hits.size() != cells)
        m_hits.assign(cells, {});
    m_enemies.reserve(static_cast<std::size_t>(MoveBudget + 2 * (LastLevel + 2) * 2));
    m_openPositions.reserve(static_cast<std::size_t>(MoveBudget + 2 * (LastLevel + 2)));
}

void EnemyForecast::build(const GameState& state, int lookAhead, int margin)
{
    prepare(state);
    if (++m_generation == 0) {
        std::fill(m_hits.begin(), m_hits.end(), CellHits {});
        m_generation = 1;
    }
    m_rows = state.H + 2;
    m_columns = state.W + 2;
    m_lookAhead = lookAhead;
    m_margin = margin;
    m_level = state.level;
    m_fieldShare = state.fieldShare;
    m_openCount = static_cast<int>(state.openEnemies.size());
    m_groundCount = static_cast<int>(state.groundEnemies.size());
    const int count = m_openCount + m_groundCount;
    m_steps = std::min({ lookAhead, Span, MoveBudget / std::max(count, 1) });
    m_now = 0;
    m_enemies.resize(static_cast<std::size_t>((m_steps + 1) * count));
    m_openPositions.resize(static_cast<std::size_t>((m_steps + 1) * m_openCount));

    // The field is taken as it is now: trails never turn an enemy, and only a closed trail
    // changes the ground, after which the forecast is made again
    std::copy(state.openEnemies.begin(), state.openEnemies.end(), m_enemies.begin());
    std::copy(
        state.groundEnemies.begin(), state.groundEnemies.end(), m_enemies.begin() + m_openCount);
    for (int t = 0; t <= m_steps; ++t) {
        Enemy* enemies = m_enemies.data() + static_cast<std::ptrdiff_t>(t) * count;
        if (t > 0) {
            std::copy(enemies - count, enemies, enemies);
            for (int i = 0; i < count; ++i)
                advanceEnemy(
                    state, enemies[i], i < m_openCount ? EnemyKind::Open : EnemyKind::Ground);
        }
        for (int i = 0; i < m_openCount; ++i) {
            const Enemy& enemy = enemies[i];
            m_openPositions[static_cast<std::size_t>(t * m_openCount + i)] = { enemy.x, enemy.y };
            mark(&CellHits::open, enemy.x, enemy.y, 1 + margin, t);
            if (margin > 0) {
                mark(&CellHits::trail, enemy.x, enemy.y, margin, t);
            } else {
                // The cell it reaches and the two it passes at the corner of its diagonal move
                mark(&CellHits::trail, enemy.x, enemy.y, 0, t);
                mark(&CellHits::trail, enemy.x - enemy.dx, enemy.y, 0, t);
                mark(&CellHits::trail, enemy.x, enemy.y - enemy.dy, 0, t);
            }
        }
        for (int i = m_openCount; i < count; ++i)
            mark(&CellHits::ground, enemies[i].x, enemies[i].y, 1 + margin, t);
    }
}

} // namespace fendral
