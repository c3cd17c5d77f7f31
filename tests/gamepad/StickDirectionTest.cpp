// The stick reading: dead zone, the release band, the margin past the diagonals, and no flicker
#include "StickDirection.h"
#include "GameState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace fendral;

namespace {

constexpr int None = StickDirection::None;
constexpr double Margin = StickDirection::SwitchMarginDegrees;

// Positions by angle clockwise from up (up 0, right 90, down 180, left 270) and by the share of
// full deflection, in the screen's sense of y that SDL uses
struct Polar {
    double degrees;
    double share;
    int x() const { return int(std::lround(share * 32767 * std::sin(radians()))); }
    int y() const { return int(std::lround(-share * 32767 * std::cos(radians()))); }
    double radians() const { return degrees * std::numbers::pi / 180; }
};

double axisDegrees(int direction)
{
    constexpr double axes[4] = { 0, 180, 270, 90 };
    return axes[direction];
}

// Shortest way round the circle between two angles
double angleBetween(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

int updateAt(StickDirection& stick, Polar at) { return stick.update(at.x(), at.y()); }

} // namespace

TEST(StickDirection, ReadsAPositionFromRest)
{
    struct Case {
        int x, y, expected;
    } const cases[] = {
        { 0, -13000, None }, // inside the dead zone (40 % is 13106)
        { 0, -13200, Up },
        { 32767, 32767, Down }, // the exact diagonal counts as vertical
        { -32768, -32767, Left },
    };
    for (const Case& c : cases) {
        StickDirection stick;
        EXPECT_EQ(stick.update(c.x, c.y), c.expected) << c.x << ", " << c.y;
        EXPECT_EQ(stick.direction(), c.expected);
    }
}

TEST(StickDirection, RandomWalkKeepsEveryPromise)
{
    constexpr double MaxStep = 2.0;
    std::mt19937 random(7);
    std::uniform_real_distribution<double> turn(-MaxStep, MaxStep);
    std::uniform_real_distribution<double> push(-0.03, 0.03);
    StickDirection stick;
    Polar at { 0, 0 };
    double lastTurnDegrees = -1; // where the last direction-to-direction turn happened
    for (int step = 0; step < 200000; ++step) {
        at.degrees = std::fmod(at.degrees + turn(random) + 360, 360);
        at.share = std::clamp(at.share + push(random), 0.0, 1.0);
        const int before = stick.direction();
        const int reported = updateAt(stick, at);
        const int now = stick.direction();
        const double radius = std::hypot(at.x(), at.y());
        ASSERT_EQ(reported, now != before ? now : None) << step;
        // Engages beyond the dead zone, lets go only inside the smaller release band
        const int held
            = before == None ? StickDirection::EngageRadius : StickDirection::ReleaseRadius;
        ASSERT_EQ(now != None, radius >= held) << step;
        if (now == None) {
            lastTurnDegrees = -1;
            continue;
        }
        // From rest the nearest direction; once held, the same until past the diagonal's margin
        ASSERT_LT(
            angleBetween(at.degrees, axisDegrees(now)), before == None ? 45.05 : 45 + Margin + 0.1)
            << step;
        if (before != None && now != before) {
            if (lastTurnDegrees >= 0) {
                ASSERT_GE(angleBetween(at.degrees, lastTurnDegrees), 2 * Margin - MaxStep) << step;
            }
            lastTurnDegrees = at.degrees;
        }
    }
}
