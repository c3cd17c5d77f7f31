// What the real main window costs while a game runs: the process's share of one core, the highest
// step multiplier the speed check reached, and the logic steps per second against the nominal
// rate. A four-player game runs through the real timer, first at level 1, then at level 50 with 52
// open and 25 ground enemies; the players stay shielded on the bottom row, so neither level ends.
//   fendral_bench_window [seconds per level, default 20] [levels, default 1 50]
// Then the same levels full screen (F11), at the cell size the screen gives: 15 pixels on the
// 2560 x 1440 screen that scripts/bench.sh starts.
// Then the cost of sound at level 50: sound on and off in turn, three times each, through SDL's
// "dummy" audio driver (which mixes like a real device) unless SDL_AUDIODRIVER names another, with
// an effect asked for every 250 ms; the medians are compared.
// Last comes a bare window as a yardstick: what Qt and the X server cost before the game draws
// anything, with the same timer and a repaint of one sprite's cells at the same rate.
// Needs a display (scripts/bench.sh starts Xvfb when none is set).
#include "DisplayView.h"
#include "FendralApplication.h"
#include "Level.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "Sound.h"
#include "VirtualKeys.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace fendral;

// Runs the event loop for a while as the game's own loop runs (QTest::qWait would sleep in between)
void runEventLoop(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Figures {
    double cpuShare; // of one core
    int stepMultiplier;
    double stepsPerSecond;
    double nominalStepsPerSecond;
};

Figures runLevel(MainWindow& window, int level, int seconds)
{
    GameState& state = window.state();
    window.startGameClicked();
    setUpLevel(window.game(), level);
    for (Team& team : state.teams)
        team.lives = 99;

    runEventLoop(1000); // the first paints and the speed check settle
    const long long firstTick = window.platform().ticksDelivered();
    const double firstCpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEventLoop(seconds * 1000);
    const double elapsed = wall.elapsed() / 1000.0;
    const double cpu = cpuSeconds() - firstCpu;
    const long long ticks = window.platform().ticksDelivered() - firstTick;

    // A logic step runs every 8 / stepMultiplier ticks of stepMultiplier * 1250 / W ms
    const int multiplier = state.stepMultiplier;
    const double steps = static_cast<double>(ticks) * multiplier / 8;
    const double nominalStepMs = 8.0 / multiplier * window.platform().interval();
    window.menuClicked(); // a lost or paused game returns without a question
    return { cpu / elapsed, multiplier, steps / elapsed, 1000.0 / nominalStepMs };
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of the CPU share at level 50 with sound on and with sound off, taken in turn
std::pair<double, double> compareSound(MainWindow& window, int seconds)
{
    QTimer effects;
    int next = 0;
    QObject::connect(&effects, &QTimer::timeout, &window, [&] {
        // Every kind in turn, as a lively game asks for them
        window.view().gameEvent(
            { static_cast<GameEvent::Kind>(next++ % GameEvent::KindCount), 0, 0.05 });
    });
    effects.start(250);
    std::vector<double> on, off;
    for (int round = 0; round < 6; ++round) {
        const bool soundOn = round % 2 == 0;
        if (window.sound().isEnabled() != soundOn)
            window.handleKey(VK_F8);
        (soundOn ? on : off).push_back(runLevel(window, LastLevel, seconds).cpuShare);
    }
    if (!window.sound().isEnabled())
        window.handleKey(VK_F8);
    return { median(on), median(off) };
}

// A window of the game's size that shows an image the way the game's window shows its canvas
class BareWindow : public QWidget {
public:
    BareWindow()
        : m_canvas(
            MainWindow::DesignClientWidth, MainWindow::DesignClientHeight, QImage::Format_RGB32)
    {
        setFixedSize(m_canvas.size());
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_canvas.fill(Qt::black);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const QRect& rect : event->region())
            painter.drawImage(rect.topLeft(), m_canvas, rect);
    }

private:
    QImage m_canvas;
};

// The bare window's share of one core while a 9 ms precise timer repaints the 16 x 16 pixels of
// one gliding sprite on every second tick, as the game does once per frame of a 60 Hz screen
double runBareWindow(int seconds)
{
    BareWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 0;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    int ticks = 0;
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        if (++ticks % 2 == 0)
            window.update(QRect(ticks % 1000, ticks % 640, 16, 16));
    });
    timer.start(9);
    runEventLoop(1000);
    const double firstCpu = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runEventLoop(seconds * 1000);
    return (cpuSeconds() - firstCpu) / (wall.elapsed() / 1000.0);
}

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    qputenv("SDL_AUDIODRIVER",
        qgetenv("SDL_AUDIODRIVER").isEmpty() ? "dummy" : qgetenv("SDL_AUDIODRIVER"));
    FendralApplication application(argc, argv);
    const QTemporaryDir settingsFolder;
    MainWindow window(settingsFolder.filePath(QStringLiteral("Fendral.ini")));
    window.setPrompt([](const QString&) { return true; });
    window.setSetupRunner([](GameState& state) {
        // Four players in two teams
        state.teamAssignment = {};
        state.teamAssignment[0][0] = state.teamAssignment[0][1] = 1;
        state.teamAssignment[1][2] = state.teamAssignment[1][3] = 1;
        return true;
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    std::printf("%-10s %12s %16s %14s %12s %5s %10s\n", "level", "CPU (core)", "stepMultiplier",
        "steps/s", "nominal/s", "n", "mode");
    std::vector<int> levels;
    for (int i = 2; i < argc; ++i)
        levels.push_back(std::clamp(std::atoi(argv[i]), 1, LastLevel));
    if (levels.empty())
        levels = { 1, LastLevel };
    for (const bool fullScreen : { false, true }) {
        if (fullScreen) {
            window.toggleFullScreen();
            runEventLoop(1000); // the window takes the screen
        }
        for (const int level : levels) {
            const Figures f = runLevel(window, level, seconds);
            std::printf("%-10d %11.1f%% %16d %14.2f %12.2f %5d %10s\n", level, 100 * f.cpuShare,
                f.stepMultiplier, f.stepsPerSecond, f.nominalStepsPerSecond,
                window.scale().cellSize(), fullScreen ? "full" : "window");
            std::fflush(stdout);
        }
    }
    const auto [soundOn, soundOff] = compareSound(window, seconds);
    std::printf("%-10s %11.1f%% %11.1f%% %11.2f%%\n", "sound", 100 * soundOn, 100 * soundOff,
        100 * (soundOn - soundOff));
    window.hide();
    std::printf("%-10s %11.1f%%\n", "bare", 100 * runBareWindow(seconds));
    return 0;
}
