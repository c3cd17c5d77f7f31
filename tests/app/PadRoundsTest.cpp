// A pad alone plays the real window through its real ticks, questions and setup dialog: a script
// presses its buttons from whatever event loop runs, the game's or a dialog's
#include "GameSummaryDialog.h"
#include "Gamepads.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "SetupDialog.h"
#include "VirtualPad.h"
#include "Widgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

using namespace fendral;
using Condition = std::function<bool()>;

template <typename Dialog> bool isOpen()
{
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    return dialog && dialog->isVisible();
}

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
    bool playing() { return !state().menuMode && !state().paused && !isOpen<QDialog>(); }
    bool pauseShown() { return state().paused && window.messagePanel()->caption() == "Pause"; }
    bool seenDown(int button) { return pad->isSeenDown(button); }

    void then(std::function<void()> act, Condition reached, const char* what)
    {
        steps.push_back({ std::move(act), std::move(reached), what });
    }
    // Down until SDL has read it, or until the window shows its effect
    void hold(int button, const char* what, Condition effect = {})
    {
        then([=, this] { pad->setButton(button, true); },
            effect ? effect : [=, this] { return seenDown(button); }, what);
    }
    void letGo(int button)
    {
        then([=, this] { pad->setButton(button, false); }, [=, this] { return !seenDown(button); },
            "let go");
    }
    void press(int button, Condition effect, const char* what)
    {
        hold(button, what, std::move(effect));
        letGo(button);
    }
    // Ticks run on, so every pad press before them has been read
    void someTicks()
    {
        then([this] { tickMark = window.platform().ticksDelivered() + 3; },
            [this] { return window.platform().ticksDelivered() >= tickMark; }, "ticks");
    }
    void startGameByPad()
    {
        press(SDL_CONTROLLER_BUTTON_A, isOpen<SetupDialog>, "A in the menu opens the dialog");
        press(
            SDL_CONTROLLER_BUTTON_A, [this] { return playing(); }, "A is the dialog's Start");
    }
    bool menuShownAlone()
    {
        QImage black(window.canvas().size(), window.canvas().format());
        black.fill(Qt::black);
        return state().menuMode && !window.platform().isTimerRunning() && !state().paused
            && !state().gameOver && state().level == 1 && !window.messagePanel()->isVisible()
            && window.canvas() == black;
    }

    // Runs the steps from a timer, which fires in every event loop; returns the step it stuck at.
    // A dialog still open at the end is closed (so that the loop below it can end) and a fault.
    std::string runScript()
    {
        size_t next = 0;
        bool begun = false;
        std::string fault;
        QElapsedTimer clock;
        clock.start();
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            if (next < steps.size() && clock.elapsed() > 20000)
                fault = steps[next].what, next = steps.size();
            if (next < steps.size() && !std::exchange(begun, true))
                steps[next].act();
            if (next < steps.size() && steps[next].reached())
                ++next, begun = false;
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                dialog && next == steps.size())
                fault += " (a dialog was left open)", dialog->reject();
        });
        timer.start(2);
        EXPECT_TRUE(QTest::qWaitFor([&] { return next == steps.size(); }, 60000));
        steps.clear();
        return fault;
    }

    QTemporaryDir folder;
    MainWindow window { folder.filePath("Fendral.ini") };
    std::optional<VirtualPad> pad; // plugged after the window's service started SDL
    struct Step {
        std::function<void()> act; // once, when the step begins
        Condition reached; // the step is over when this holds
        const char* what;
    };
    std::vector<Step> steps;
    long long tickMark = 0;
};

// Start, play, pause, answer both ways, back to the menu, cancel the dialog and start again; the
// dialog names the pad it sees. A press read by a tick that ends the game (Yes to "Return to
// Menu?", A after "Game Over") leaves that tick nothing more to do.
TEST_F(PadRounds, APadAlonePlaysRoundsAndAnswersEveryDialog)
{
    bool named = false;
    press(
        SDL_CONTROLLER_BUTTON_START,
        [&] {
            if (!isOpen<SetupDialog>())
                return false;
            for (const QAction* item : window.findChild<SetupDialog*>()->schemeMenu()->actions())
                named = named || item->text() == "Gamepad 1 (Pad)";
            return true;
        },
        "Start opens the dialog");
    press(
        SDL_CONTROLLER_BUTTON_B, [this] { return !isOpen<SetupDialog>(); }, "B cancels it");
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
        SDL_CONTROLLER_BUTTON_A, [this] { return menuShownAlone(); }, "A answers Yes");
    press(SDL_CONTROLLER_BUTTON_START, isOpen<SetupDialog>, "Start opens the dialog again");
    press(
        SDL_CONTROLLER_BUTTON_START, [this] { return playing(); }, "Start is its Start too");
    then([this] { state().players[0].alive = 0; },
        [this] { return window.messagePanel()->isVisible(); }, "Game Over");
    press(
        SDL_CONTROLLER_BUTTON_A, [this] { return state().menuMode != 0; }, "A leaves it");
    then([] {}, isOpen<GameSummaryDialog>, "the game's summary shows");
    press(
        SDL_CONTROLLER_BUTTON_B, [] { return !isOpen<GameSummaryDialog>(); }, "B closes it");
    EXPECT_EQ(runScript(), "");
    EXPECT_TRUE(menuShownAlone()) << "the tick that read A drew nothing more";
    EXPECT_TRUE(named) << "the Load menu names the connected pad";
}

// A direction held while the player cannot steer takes effect as soon as it can, from the D-pad
// or the stick; while another program is in front, the pad does nothing at all
TEST_F(PadRounds, HeldDirectionsWaitAndTheBackgroundHearsNothing)
{
    startGameByPad();
    press(
        SDL_CONTROLLER_BUTTON_START, [this] { return pauseShown(); }, "paused");
    hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, "left held in the pause");
    someTicks();
    press(
        SDL_CONTROLLER_BUTTON_A, [this] { return state().players[0].dx == -1; },
        "left taken after the pause");
    letGo(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    then([this] { state().players[0].respawnDelay = 6, pad->setStick(0, -32767); },
        [this] { return state().players[0].dy == -1; }, "up by the stick after the respawn delay");
    then([this] { pad->setStick(0, 0); }, [] { return true; }, "stick let go");
    then([] { emit qApp->applicationStateChanged(Qt::ApplicationInactive); },
        [this] { return pauseShown(); }, "the game pauses in the background");
    for (const auto button : { SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_BACK }) {
        hold(button, "a button in the background");
        someTicks();
        letGo(button);
    }
    EXPECT_EQ(runScript(), "");
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(pauseShown()) << "coming back finds the game paused";
}
