// A pad alone plays the real window through its real ticks, setup dialog and summary: a script
// presses its buttons from whatever event loop runs, the game's or a dialog's. (Questions, pausing
// and steering by pad are rows of the commands table.)
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

namespace {

template <typename Dialog> bool isOpen()
{
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    return dialog && dialog->isVisible();
}

struct ScriptStep {
    std::function<void()> act; // once, when the step begins
    std::function<bool()> reached; // the step is over when this holds
    std::string what;
};

// Runs the steps from a timer, which fires in every event loop; returns the step it stuck at (for
// 20 s, however slow the machine, the rest of the script not counted). A dialog still open at the
// end is closed (so that the loop below it can end) and a fault.
std::string runScript(const std::vector<ScriptStep>& steps)
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
            ++next, begun = false, clock.restart();
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            dialog && next == steps.size())
            fault += " (a dialog was left open)", dialog->reject();
    });
    timer.start(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return next == steps.size(); }, 300000));
    return fault;
}

} // namespace

// A press read by the tick that ends the game (A after "Game Over") leaves that tick nothing more
// to do: the menu shows alone on a black field
TEST(PadRounds, APadAloneStartsAGameLeavesItAndAnswersTheDialogs)
{
    QTemporaryDir folder;
    MainWindow window(folder.filePath("Fendral.ini"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    std::optional<VirtualPad> pad; // plugged after the window's service started SDL, gone before it
    pad.emplace("Pad");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.gamepads().isConnected(0); }, 5000));
    GameState& state = window.state();
    std::vector<ScriptStep> steps;
    // Down until the window shows the effect, then up until SDL has read it
    const auto press = [&](int button, std::function<bool()> effect, const char* what) {
        steps.push_back({ [&, button] { pad->setButton(button, true); }, std::move(effect), what });
        steps.push_back({ [&, button] { pad->setButton(button, false); },
            [&, button] { return !pad->isSeenDown(button); }, "let go" });
    };
    const auto playing = [&] { return !state.menuMode && !state.paused && !isOpen<QDialog>(); };
    const auto setupNamingThePad = [&] { // in its Load menu
        if (!isOpen<SetupDialog>())
            return false;
        const QList<QAction*> items = window.findChild<SetupDialog*>()->schemeMenu()->actions();
        return std::ranges::any_of(
            items, [](auto* item) { return item->text() == "Gamepad 1 (Pad)"; });
    };
    press(SDL_CONTROLLER_BUTTON_START, setupNamingThePad, "Start opens the dialog");
    press(
        SDL_CONTROLLER_BUTTON_B, [] { return !isOpen<SetupDialog>(); }, "B cancels it");
    press(SDL_CONTROLLER_BUTTON_A, isOpen<SetupDialog>, "A opens it");
    press(SDL_CONTROLLER_BUTTON_A, playing, "A is its Start");
    press(SDL_CONTROLLER_BUTTON_BACK, isOpen<QMessageBox>, "Back asks");
    press(
        SDL_CONTROLLER_BUTTON_B, [&] { return !isOpen<QDialog>() && state.paused; }, "B says No");
    press(SDL_CONTROLLER_BUTTON_BACK, isOpen<QMessageBox>, "Back asks again");
    press(
        SDL_CONTROLLER_BUTTON_A, [&] { return state.menuMode && !isOpen<QDialog>(); }, "A: Yes");
    press(SDL_CONTROLLER_BUTTON_START, isOpen<SetupDialog>, "Start opens the dialog again");
    press(SDL_CONTROLLER_BUTTON_START, playing, "Start is its Start too");
    steps.push_back({ [&] { state.players[0].alive = 0; },
        [&] { return window.messagePanel()->caption().startsWith("Game Over"); }, "Game Over" });
    press(
        SDL_CONTROLLER_BUTTON_A, [&] { return state.menuMode != 0; }, "A leaves it");
    steps.push_back({ [] {}, isOpen<GameSummaryDialog>, "the game's summary shows" });
    press(
        SDL_CONTROLLER_BUTTON_B, [] { return !isOpen<GameSummaryDialog>(); }, "B closes it");
    EXPECT_EQ(runScript(steps), "");
    QImage black(window.canvas().size(), window.canvas().format());
    black.fill(Qt::black);
    EXPECT_TRUE(state.menuMode && !window.platform().isTimerRunning() && !state.paused
        && !state.gameOver && !window.messagePanel()->isVisible() && window.canvas() == black);
}
