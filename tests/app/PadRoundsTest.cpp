// A pad alone plays the real window through its real ticks, questions and setup dialog: a script
// presses its buttons from whatever event loop runs, the game's or a dialog's
#include "Gamepads.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "SetupDialog.h"
#include "VirtualPad.h"
#include "Widgets.h"

#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <functional>
#include <optional>

using namespace fendral;

namespace {

struct PadStep {
    std::function<void()> act; // once, when the step begins
    std::function<bool()> reached; // the step is over when this holds
    const char* what;
};

template <typename Dialog> bool isOpen()
{
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    return dialog && dialog->isVisible();
}

} // namespace

// The real prompt and the real setup dialog, which the pad answers
class PadRounds : public ::testing::Test {
protected:
    PadRounds()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        pad.emplace("Pad");
        EXPECT_TRUE(QTest::qWaitFor([this] { return window.gamepads().isConnected(0); }, 5000));
    }
    ~PadRounds() override { pad.reset(); }

    GameState& state() { return window.state(); }
    bool playing()
    {
        return !state().menuMode && !state().paused && !QApplication::activeModalWidget();
    }
    bool pauseShown() { return state().paused && window.messagePanel()->caption() == "Pause"; }
    bool released(int button) { return !pad->isSeenDown(button); }

    // A click: held until the window shows its effect, then let go until SDL has read that too
    void press(int button, std::function<bool()> effect, const char* what)
    {
        steps.push_back({ [=, this] { pad->setButton(button, true); }, std::move(effect), what });
        steps.push_back({ [=, this] { pad->setButton(button, false); },
            [=, this] { return released(button); }, what });
    }
    void hold(int button, const char* what)
    {
        steps.push_back({ [=, this] { pad->setButton(button, true); },
            [=, this] { return pad->isSeenDown(button); }, what });
    }
    void then(std::function<void()> act, std::function<bool()> reached, const char* what)
    {
        steps.push_back({ std::move(act), std::move(reached), what });
    }
    // Ticks run on, so every pad press before them has been read
    void someTicks(const char* what)
    {
        then([this] { tickMark = window.platform().ticksDelivered() + 3; },
            [this] { return window.platform().ticksDelivered() >= tickMark; }, what);
    }
    void startGameByPad()
    {
        press(SDL_CONTROLLER_BUTTON_A, isOpen<SetupDialog>, "A in the menu opens the dialog");
        press(
            SDL_CONTROLLER_BUTTON_A, [this] { return playing(); }, "A is the dialog's Start");
    }

    // Runs the script from a timer, which fires in every event loop; returns the step it stuck
    // at. A dialog still open at the end (or when a step gets stuck) is closed, and counts as a
    // fault, so that the test's own loop below it can end.
    std::string runScript()
    {
        std::vector<PadStep> script;
        script.swap(steps);
        size_t next = 0;
        bool begun = false;
        std::string fault;
        QElapsedTimer clock;
        clock.start();
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (next < script.size() && clock.elapsed() > 20000)
                fault = script[next].what, next = script.size();
            if (next < script.size() && !std::exchange(begun, true))
                script[next].act();
            if (next < script.size() && script[next].reached())
                ++next, begun = false;
            if (next < script.size())
                return;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                fault += " (a dialog was left open)";
                dialog->reject();
            }
        });
        timer.start(2);
        EXPECT_TRUE(QTest::qWaitFor([&] { return next == script.size(); }, 60000));
        return fault;
    }
    bool menuShownAlone()
    {
        QImage black(window.canvas().size(), window.canvas().format());
        black.fill(Qt::black);
        return state().menuMode && !window.platform().isTimerRunning() && !state().paused
            && !state().gameOver && state().level == 1 && !window.messagePanel()->isVisible()
            && window.canvas() == black;
    }

    QTemporaryDir folder;
    MainWindow window { folder.filePath("Fendral.ini") };
    std::optional<VirtualPad> pad; // plugged after the window's service started SDL
    std::vector<PadStep> steps;
    long long tickMark = 0;
};

// Start, play, pause, answer both ways, back to the menu, cancel the dialog and start again; the
// dialog names the pad it sees
TEST_F(PadRounds, APadAlonePlaysRoundsAndAnswersEveryDialog)
{
    bool named = false;
    press(
        SDL_CONTROLLER_BUTTON_START,
        [&] {
            if (!isOpen<SetupDialog>())
                return false;
            const auto* dialog = qobject_cast<SetupDialog*>(QApplication::activeModalWidget());
            for (const QAction* item : dialog->schemeMenu()->actions())
                named = named || item->text() == "Gamepad 1 (Pad)";
            return true;
        },
        "Start opens the dialog");
    press(
        SDL_CONTROLLER_BUTTON_B, [this] { return state().menuMode && !isOpen<SetupDialog>(); },
        "B cancels it");
    startGameByPad();
    press(
        SDL_CONTROLLER_BUTTON_START, [this] { return pauseShown(); }, "Start pauses");
    press(
        SDL_CONTROLLER_BUTTON_A, [this] { return playing(); }, "A continues");
    press(SDL_CONTROLLER_BUTTON_BACK, isOpen<QMessageBox>, "Back asks");
    press(
        SDL_CONTROLLER_BUTTON_B, [this] { return !isOpen<QMessageBox>() && pauseShown(); },
        "B answers No");
    press(SDL_CONTROLLER_BUTTON_BACK, isOpen<QMessageBox>, "Back asks again");
    press(
        SDL_CONTROLLER_BUTTON_A, [this] { return state().menuMode != 0; }, "A answers Yes");
    then([] {}, [this] { return menuShownAlone(); }, "the tick that read Yes drew nothing more");
    press(SDL_CONTROLLER_BUTTON_START, isOpen<SetupDialog>, "Start opens the dialog again");
    press(
        SDL_CONTROLLER_BUTTON_START, [this] { return playing(); }, "Start is its Start too");
    EXPECT_EQ(runScript(), "");
    EXPECT_TRUE(named) << "the Load menu names the connected pad";
}

// A pad press read by a tick that ends the game leaves that tick nothing more to do, in play and
// after "Game Over"
TEST_F(PadRounds, APressThatEndsTheGameEndsItsTick)
{
    const struct {
        const char* name;
        std::function<void(GameState&)> bring;
    } cases[] = { { "in play", [](GameState&) {} },
        { "Game Over", [](GameState& s) { s.players[0].alive = 0; } } };
    for (const auto& c : cases) {
        startGameByPad();
        then([&] { c.bring(state()); },
            [&] { return c.name == cases[0].name || window.messagePanel()->isVisible(); }, c.name);
        if (c.name == cases[1].name) {
            press(
                SDL_CONTROLLER_BUTTON_A, [this] { return state().menuMode != 0; }, c.name);
        } else {
            press(SDL_CONTROLLER_BUTTON_BACK, isOpen<QMessageBox>, c.name);
            press(
                SDL_CONTROLLER_BUTTON_A, [this] { return state().menuMode != 0; }, c.name);
        }
        EXPECT_EQ(runScript(), "");
        EXPECT_TRUE(menuShownAlone()) << c.name;
    }
}

// A direction held while the player cannot steer takes effect as soon as it can, from the D-pad
// or the stick; while another program is in front, the pad does nothing at all
TEST_F(PadRounds, HeldDirectionsWaitAndTheBackgroundHearsNothing)
{
    startGameByPad();
    press(
        SDL_CONTROLLER_BUTTON_START, [this] { return pauseShown(); }, "paused");
    hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left held in the pause");
    someTicks("left dropped by the pause");
    press(
        SDL_CONTROLLER_BUTTON_A, [this] { return state().players[0].dx == -1; },
        "left taken after the pause");
    then([this] { pad->setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false); },
        [this] { return released(SDL_CONTROLLER_BUTTON_DPAD_LEFT); }, "left let go");
    then([this] { state().players[0].respawnDelay = 6; }, [] { return true; }, "respawning");
    then([this] { pad->setStick(0, -32767); }, [this] { return state().players[0].dy == -1; },
        "up by the stick after the respawn delay");
    then([this] { pad->setStick(0, 0); }, [] { return true; }, "stick let go");
    then([] { emit qApp->applicationStateChanged(Qt::ApplicationInactive); },
        [this] { return pauseShown(); }, "the game pauses in the background");
    hold(SDL_CONTROLLER_BUTTON_START, "Start in the background");
    someTicks("Start read in the background");
    then([this] { pad->setButton(SDL_CONTROLLER_BUTTON_START, false); },
        [this] { return released(SDL_CONTROLLER_BUTTON_START); }, "Start let go");
    hold(SDL_CONTROLLER_BUTTON_BACK, "Back in the background");
    someTicks("Back read in the background");
    EXPECT_EQ(runScript(), "");
    EXPECT_TRUE(pauseShown() && !QApplication::activeModalWidget());
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(pauseShown()) << "coming back finds the game paused";
}
