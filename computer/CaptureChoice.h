// Choosing a capture: what closing a path would gain, and which of the safe paths to take
#pragma once

#include "EnemyForecast.h"
#include "PathSearch.h"

#include <cstdint>
#include <random>
#include <vector>

namespace fendral {

// Counts what a closing trail would capture: the open cells that no open enemy can reach once
// the trail is ground, with the enemies where the forecast puts them when the trail closes.
class CaptureCounter {
public:
    // Takes the memory a count on this field needs
    void prepare(const GameState& state);
    struct Count {
        int cells = 0; // open cells captured
        bool cutsTeammate = false; // a captured region holds part of a teammate's trail
    };
    // What player p captures when the trail cells `trail` (its unfinished trail and the path's
    // new cells) close in the closeStep-th step from now.
    Count capturedCells(const GameState& state, const EnemyForecast& forecast, int p,
        const std::vector<int>& trail, int closeStep);

private:
    std::vector<uint32_t> m_seen; // the stamp of the trail or region that met a cell last
    std::vector<uint32_t> m_enemyAt; // cells with an enemy carry the stamp of the count
    std::vector<int> m_stack;
    uint32_t m_stamp = 0;
};

struct CaptureTerms {
    int cellsNeeded; // cells still missing to complete the level
    int stepsWorth; // cells a step of a path must be worth
    int choices; // how many of the best paths the draw picks among
};

// Picks the path to take among the safe closing ones: the largest gain per step, the quickest
// path that completes the level above all, one of the `choices` best by the player's own draw;
// never one that would capture part of a teammate's unfinished trail.
// Returns the index of the chosen candidate, or -1 when there is none.
int chooseCapture(const GameState& state, int p, const EnemyForecast& forecast,
    std::vector<PathCandidate>& candidates, const CaptureTerms& terms, CaptureCounter& counter,
    std::mt19937& draws);

} // namespace fendral
