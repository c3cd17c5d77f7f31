// One computer player: keeps the path it chose, checks it against the forecast, and names the
// direction to ask for before each logic step
#pragma once

#include "CaptureChoice.h"
#include "EnemyForecast.h"
#include "PathSearch.h"
#include "Strength.h"

#include <cstdint>
#include <optional>
#include <random>
#include <vector>

namespace fendral {

class ComputerPlayer {
public:
    ComputerPlayer(int p, Strength strength, uint32_t seed);

    int player() const { return m_p; }
    Strength strength() const { return m_strength; }
    uint32_t seed() const { return m_seed; }
    // Takes the memory its decisions on this field need
    void prepare(const GameState& state) { m_counter.prepare(state); }

    // The direction to ask for before the coming logic step, if any. It reads the state only;
    // claimed marks the cells it keeps off, around the other players and on their paths.
    std::optional<int> decide(
        const GameState& state, const EnemyForecast& forecast, const std::vector<uint8_t>& claimed);

    // The cells of its path still ahead, for its fellow computer players to keep off
    std::vector<int> plannedCells(const GameState& state) const;

private:
    bool isPlanStillGood(const GameState& state, const PathSearch& search);
    void planAgain(const GameState& state, const PathSearch& search, const EnemyForecast& forecast);

    int m_p;
    Strength m_strength;
    StrengthTraits m_traits;
    uint32_t m_seed;
    std::mt19937 m_draws;
    CaptureCounter m_counter;
    std::vector<PathCandidate> m_candidates; // of the last search
    std::vector<int> m_plan; // directions of the coming steps, the next one first
    std::size_t m_next = 0;
    int m_expectedX = -1, m_expectedY = -1; // where the plan has the player now
    int m_stepsSinceCheck = 0;
};

} // namespace fendral
