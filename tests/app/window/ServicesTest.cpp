// The program's services: the engine's timer and clock, and exceptions shown from the event loop
#include "FendralApplication.h"
#include "QtPlatform.h"

#include <QDateTime>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace fendral;

namespace {

TEST(QtPlatform, RunsTicksUntilItsTimerIsKilled)
{
    int ticks = 0;
    QtPlatform platform([&ticks] { ++ticks; });
    const int first = platform.SetTimer(9);
    EXPECT_NE(first, 0);
    EXPECT_TRUE(platform.isTimerRunning());
    EXPECT_EQ(platform.interval(), 9);
    EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks >= 2; }, 5000));

    platform.KillTimer(first);
    EXPECT_FALSE(platform.isTimerRunning());
    const int second = platform.SetTimer(20);
    EXPECT_NE(second, 0);
    EXPECT_NE(second, first);
    // A stale identifier leaves the running timer alone
    platform.KillTimer(first);
    EXPECT_TRUE(platform.isTimerRunning());
    platform.KillTimer(second);
    EXPECT_FALSE(platform.isTimerRunning());
}

TEST(QtPlatform, ClockCountsDaysSinceTheEpoch)
{
    QtPlatform platform([] {});
    const double days = QDateTime::currentMSecsSinceEpoch() / 86'400'000.0;
    EXPECT_NEAR(platform.now(), days, 1.0 / 24);
}

TEST(ExceptionsFromTheEventLoop, AreShownAndTheEventCountsAsNotHandled)
{
    QStringList shown;
    const ExceptionShower show = [&shown](const QString& message) { shown << message; };

    EXPECT_TRUE(deliverShowingExceptions([] { return true; }, show));
    EXPECT_TRUE(shown.isEmpty());

    EXPECT_FALSE(deliverShowingExceptions(
        []() -> bool { throw std::runtime_error("Range check error"); }, show));
    EXPECT_FALSE(deliverShowingExceptions([]() -> bool { throw 42; }, show));
    EXPECT_EQ(shown, QStringList({ "Range check error", "" }));
}

} // namespace
