// The stick reading: dead zone, the release band, the margin past the diagonals, and no flicker
#include "StickDirection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace fendral;

// A thumb wandering over the stick by angle (clockwise from up) and deflection
TEST(StickDirection, RandomWalkKeepsEveryPromise)
{
    constexpr double MaxStep = 2.0, Margin = StickDirection::SwitchMarginDegrees;
    constexpr double axisDegrees[4] = { 0, 180, 270, 90 }; // up, down, left, right
    const auto angleBetween = [](double a, double b) {
        return 180 - std::abs(std::fmod(std::abs(a - b), 360.0) - 180);
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> turn(-MaxStep, MaxStep), push(-0.03, 0.03);
    StickDirection stick;
    double degrees = 0, share = 0, lastTurn = -1; // where the last turn between directions was
    for (int step = 0; step < 200000; ++step) {
        degrees = std::fmod(degrees + turn(random) + 360, 360);
        share = std::clamp(share + push(random), 0.0, 1.0);
        const double rad = degrees * std::numbers::pi / 180, full = share * 32767;
        const int x = int(std::lround(full * std::sin(rad))),
                  y = int(std::lround(-full * std::cos(rad)));
        const int before = stick.direction(), reported = stick.update(x, y),
                  now = stick.direction();
        ASSERT_EQ(reported, now != before ? now : StickDirection::None) << step;
        const bool wasHeld = before != StickDirection::None;
        const int radius = wasHeld ? StickDirection::ReleaseRadius : StickDirection::EngageRadius;
        ASSERT_EQ(now != StickDirection::None, std::hypot(x, y) >= radius) << step;
        if (now == StickDirection::None) {
            lastTurn = -1;
            continue;
        }
        // From rest the nearest direction; once held, the same until past the diagonal's margin
        ASSERT_LT(angleBetween(degrees, axisDegrees[now]), wasHeld ? 45 + Margin + 0.1 : 45.05)
            << step;
        if (wasHeld && now != before) {
            if (lastTurn >= 0)
                ASSERT_GE(angleBetween(degrees, lastTurn), 2 * Margin - MaxStep) << step;
            lastTurn = degrees;
        }
    }
}
