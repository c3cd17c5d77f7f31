// Predicting the enemies: their moves over the coming logic steps, by the engine's own bounce
// rules run on copies of them, and the cells each step makes deadly
#pragma once

#include "GameState.h"

#include <cstdint>
#include <vector>

namespace fendral {

// A set of logic steps 0..127 of a forecast: bit t stands for its t-th step
struct StepSet {
    uint64_t low = 0;
    uint64_t high = 0;

    static constexpr int Never = 128;

    void add(int t) { (t < 64 ? low : high) |= uint64_t { 1 } << (t & 63); }
    bool has(int t) const { return ((t < 64 ? low : high) >> (t & 63)) & 1; }
    // The first step t or later in the set, Never when none
    int firstFrom(int t) const;
};

struct EnemyPosition {
    int x;
    int y;
};

// The steps of a forecast are counted from the moment it was made; it serves the following logic
// steps as long as the enemies move as it foresaw and the ground stays as it was. All questions
// take k, the number of logic steps from now (the coming one is 1).
class EnemyForecast {
public:
    static constexpr int Span = 127; // steps one forecast covers

    // Makes the forecast current for the state: the one made before if the enemies went the
    // way it foresaw and it still looks far enough ahead, a new one otherwise. It foresees
    // lookAhead steps (fewer on a crowded field, where paths are short and enemies many), each
    // danger widened by margin cells.
    void update(const GameState& state, int lookAhead, int margin);
    // Takes the memory a forecast of this field needs, so that no logic step waits for it
    void prepare(const GameState& state);

    // The last k it foresees
    int horizon() const { return m_steps - m_now; }
    // The first step from k on in which an open enemy touches a trail cell here, Never if none
    int firstTrailHit(int cell, int k) const;
    // Whether in step k an open enemy comes next to a drawing player on this cell
    bool hitsOpen(int cell, int k) const;
    // Whether in step k a ground enemy comes next to a player on the ground on this cell
    bool hitsGround(int cell, int k) const;
    // Where the open enemies stand after step k (0: now)
    const EnemyPosition* openEnemiesAfter(int k) const;
    int openEnemyCount() const { return m_openCount; }

private:
    struct CellHits {
        uint32_t generation = 0; // the sets hold nothing unless made by the current forecast
        StepSet trail, open, ground;
    };
    // Whether the enemies stand where it foresaw for the next step, on the ground it was made for
    bool agreesWith(const GameState& state) const;
    void build(const GameState& state, int lookAhead, int margin);
    void mark(StepSet CellHits::*set, int x, int y, int radius, int t);
    const CellHits* hits(int cell) const;

    uint32_t m_generation = 0;
    int m_lookAhead = -1, m_margin = -1; // asked for
    int m_steps = 0; // steps foreseen from the moment it was made
    int m_now = 0; // steps gone by since then
    int m_rows = 0, m_columns = 0;
    int m_openCount = 0, m_groundCount = 0;
    double m_fieldShare = -1; // grows with every closed trail: the ground changed
    int m_level = 0;
    std::vector<CellHits> m_hits;
    std::vector<Enemy> m_enemies; // [t * (open + ground) + i], open enemies first
    std::vector<EnemyPosition> m_openPositions; // [t * open + i]
};

} // namespace fendral
