#include "StickDirection.h"

#include "GameState.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>

namespace fendral {

namespace {

    int64_t squaredRadius(int x, int y) { return int64_t(x) * x + int64_t(y) * y; }

    bool isInside(int x, int y, int radius)
    {
        return squaredRadius(x, y) < int64_t(radius) * radius;
    }

    // The direction whose quarter of the circle holds the position; the exact diagonal counts as
    // vertical so that the answer never depends on rounding.
    int nearestDirection(int x, int y)
    {
        if (std::abs(x) > std::abs(y))
            return x < 0 ? Left : Right;
        return y < 0 ? Up : Down;
    }

    // Whether the position lies within 45 degrees plus the switch margin of the direction's axis
    bool keepsPointing(int direction, int x, int y)
    {
        static const double widestRatio
            = std::tan((45.0 + StickDirection::SwitchMarginDegrees) * std::numbers::pi / 180.0);
        const bool vertical = direction == Up || direction == Down;
        const int forward = vertical ? y : x;
        const double along = (direction == Up || direction == Left) ? -double(forward) : forward;
        const double across = std::abs(double(vertical ? x : y));
        return along > 0 && across < along * widestRatio;
    }

} // namespace

int StickDirection::update(int x, int y)
{
    if (m_direction == None) {
        if (isInside(x, y, EngageRadius))
            return None;
    } else {
        if (isInside(x, y, ReleaseRadius)) {
            m_direction = None;
            return None;
        }
        if (keepsPointing(m_direction, x, y))
            return None;
    }
    // A position past the margin of the held direction is never in that direction's own quarter
    m_direction = nearestDirection(x, y);
    return m_direction;
}

} // namespace fendral
