// Steering the path: the straight runs a player can take from where it stands, walked step by
// step against the enemies' forecast, and the ones that close its trail safely
#pragma once

#include "EnemyForecast.h"
#include "FieldReading.h"

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace fendral {

struct PathSegment {
    int direction;
    int length;
};

// A path of up to three straight runs that ends where the trail closes on ground
struct PathCandidate {
    std::array<PathSegment, 3> segments {};
    int segmentCount = 0;
    int steps = 0; // logic steps until the trail closes
    int newCells = 0; // open cells the path lays as trail
    int slack = 0; // steps between the closing and the first foreseen hit on the trail
    int area = 0; // cells between the path and a straight line back to where the trail began
    int value = 0; // cells gained, once counted
    double score = 0;

    std::vector<int> directions() const;
};

class PathSearch {
public:
    // claimed: cells this player keeps off (non-zero), around the other players and their paths
    // trustsBeyondSight: a step beyond what the forecast foresees counts as safe
    PathSearch(const GameState& state, int p, const EnemyForecast& forecast,
        const std::vector<uint8_t>& claimed, bool trustsBeyondSight);

    // Every safe path of up to three runs that closes the trail, with its run lengths from a
    // fixed ladder of lengths, into found (its memory is kept from one search to the next).
    void findClosingPaths(std::vector<PathCandidate>& found) const;

    // How many steps along these directions the forecast lets the player live, whether the
    // path closes its trail within them.
    struct Outcome {
        int stepsSafe;
        bool closes;
    };
    Outcome follow(const std::vector<int>& directions) const;

    // The step with the longest foreseen life when no path closes safely; ties by the draw.
    int safestStep(std::mt19937& draws) const;

private:
    // A path walked so far
    struct Walk {
        int x, y;
        int k; // steps taken
        int velocity; // direction of the last step, -1 at rest
        bool drawing;
        int trailDanger; // first step in which an enemy hits the trail laid so far
        long long twiceArea; // shoelace sum from where the trail began
        int startX, startY;
        int newCells;
    };
    enum class StepOutcome { Moves, Closes, Dies };

    Walk startingWalk() const;
    StepOutcome advance(Walk& walk, int direction) const;
    bool isAllowed(const Walk& walk, int direction) const;
    bool isTurnAllowed(
        const Walk& walk, int segment, const PathCandidate& path, int direction) const;
    // Walks every path of runs from `segment` on, at most `budget` steps; returns the steps spent
    int explore(const Walk& walk, int segment, PathCandidate& path,
        std::vector<PathCandidate>& found, int budget) const;
    void record(
        const Walk& walk, const PathCandidate& path, std::vector<PathCandidate>& found) const;

    const GameState& m_state;
    int m_p;
    const EnemyForecast& m_forecast;
    const std::vector<uint8_t>& m_claimed;
    FieldIndex m_index;
    const uint8_t* m_codes;
    std::vector<int> m_trail; // the unfinished trail now
    long long m_trailTwiceArea = 0;
    int m_trailDanger = StepSet::Never;
    int m_lastStep; // the last step a path may take
};

} // namespace fendral
