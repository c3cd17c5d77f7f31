// The stick reading: dead zone, the release band, the margin past the diagonals, and no flicker
#include "StickDirection.h"
#include "GameState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace fendral;

// Shortest way round the circle between two angles in degrees
static double angleBetween(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360 - d);
}

// A thumb wandering over the stick by angle (clockwise from up) and deflection
TEST(StickDirection, RandomWalkKeepsEveryPromise)
{
    constexpr double MaxStep = 2.0, Margin = StickDirection::SwitchMarginDegrees;
    constexpr double axisDegrees[4] = { 0, 180, 270, 90 }; // up, down, left, right
    std::mt19937 random(7);
    std::uniform_real_distribution<double> turn(-MaxStep, MaxStep), push(-0.03, 0.03);
    StickDirection stick;
    double degrees = 0, share = 0, lastTurn = -1; // where the last turn between directions was
    for (int step = 0; step < 200000; ++step) {
        degrees = std::fmod(degrees + turn(random) + 360, 360);
        share = std::clamp(share + push(random), 0.0, 1.0);
        const double rad = degrees * std::numbers::pi / 180;
        const int x = int(std::lround(share * 32767 * std::sin(rad)));
        const int y = int(std::lround(-share * 32767 * std::cos(rad))); // SDL's y grows downwards
        const int before = stick.direction(), reported = stick.update(x, y),
                  now = stick.direction();
        ASSERT_EQ(reported, now != before ? now : StickDirection::None) << step;
        const int held = before == StickDirection::None ? StickDirection::EngageRadius
                                                        : StickDirection::ReleaseRadius;
        ASSERT_EQ(now != StickDirection::None, std::hypot(x, y) >= held) << step;
        if (now == StickDirection::None) {
            lastTurn = -1;
            continue;
        }
        // From rest the nearest direction; once held, the same until past the diagonal's margin
        const double limit = before == StickDirection::None ? 45.05 : 45 + Margin + 0.1;
        ASSERT_LT(angleBetween(degrees, axisDegrees[now]), limit) << step;
        if (before != StickDirection::None && now != before) {
            if (lastTurn >= 0)
                ASSERT_GE(angleBetween(degrees, lastTurn), 2 * Margin - MaxStep) << step;
            lastTurn = degrees;
        }
    }
}
