// The left stick read as one of the four directions of the game, steady near its edges
#pragma once

namespace fendral {

// Turns the left stick's position (SDL's axis range, y growing downwards) into a direction code
// of the engine (0 up, 1 down, 2 left, 3 right) or none. A resting thumb never holds a stick
// still, so the reading has two kinds of hysteresis: the stick engages beyond EngageRadius but
// lets go only below ReleaseRadius, and once it points one way it turns to a neighbouring
// direction only when it has passed the diagonal by SwitchMarginDegrees.
class StickDirection {
public:
    static constexpr int None = -1;
    static constexpr int FullDeflection = 32767;
    static constexpr int EngageRadius = FullDeflection * 40 / 100;
    static constexpr int ReleaseRadius = FullDeflection * 30 / 100;
    static constexpr double SwitchMarginDegrees = 12.0;

    // Takes the stick's position; returns the direction it newly points to, or None when the
    // reading stayed as it was or the stick went back to the centre.
    int update(int x, int y);

    int direction() const { return m_direction; }
    void reset() { m_direction = None; }

private:
    int m_direction = None;
};

} // namespace fendral
