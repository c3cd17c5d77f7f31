// The window's commands as one table: every kind of input in every state of the game, on the real
// main window, with a virtual pad plugged in for Alpha, and the real question and setup dialog
#include "DisplayView.h"
#include "Gamepads.h"
#include "QtPlatform.h"
#include "SetupDialog.h"
#include "StatusPanel.h"
#include "Tick.h"
#include "VirtualPad.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <memory>

using namespace fendral;

namespace {

enum GameMoment { Menu, Running, Paused, Completed, Over, Asked, SettingUp, MomentCount };

// Alpha alone in team W, its pad in slot 0; the scripted setup dialog chooses P as the pause key
struct PlayedWindow : ShownWindow {
    explicit PlayedWindow(int moment = Running)
        : ShownWindow(moment == Asked ? RealDialog::Question
                : moment == SettingUp ? RealDialog::Setup
                                      : RealDialog::None)
    {
        if (moment != SettingUp)
            mainWindow.setSetupRunner([](GameState& state) {
                return state.teamAssignment = { { { 1, 0, 0, 0 } } }, state.pauseKey = 80, true;
            });
        mainWindow.gamepads().poll(); // takes the pad
    }
    // "menu", "run", the first word of the message, or "closed"; then the questions asked, whether
    // the input left a dialog open, and whether a steering request was queued, a life bought or
    // the screen made full
    std::string observe()
    {
        const GameState& s = state();
        if (!mainWindow.isVisible())
            return "closed";
        EXPECT_EQ(s.menuMode == 0, mainWindow.platform().isTimerRunning());
        EXPECT_EQ(s.paused != 0, !message().isEmpty());
        // The menu's own widgets show exactly in the menu, the level box exactly in a game
        for (const QWidget* widget : std::initializer_list<const QWidget*> {
                 mainWindow.menuPanel(), mainWindow.versionLabel(), mainWindow.creditLabel() })
            EXPECT_EQ(widget->isVisible(), s.menuMode != 0);
        EXPECT_EQ(mainWindow.statusPanel()->levelBox()->isVisible(), s.menuMode == 0);
        QStringList seen { s.menuMode ? "menu" : message().isEmpty() ? "run" : "" };
        seen << message().section(' ', 0, 0);
        for (const QString& question : questions)
            seen << (question == "Return to Menu?" ? "?menu"
                    : question == "Close Fendral?" ? "?close"
                                                   : "?" + question);
        const bool full = mainWindow.settingsFile()->value("Fendral/FullScreen").toInt();
        seen << (dialogLeftOpen ? "open" : "") << (s.players[0].dirQueueLength ? "steer" : "")
             << (s.cheatCount ? "buy" : "") << (full ? "full" : "");
        seen.removeAll("");
        return seen.join(' ').toStdString();
    }
    void reach(GameMoment moment)
    {
        if (moment == Menu || moment == SettingUp)
            return;
        startGame();
        if (moment == Paused)
            QTest::keyClick(&mainWindow, Qt::Key_Space);
        if (moment == Over) { // Alpha, the last player, goes out
            state().teams[0].lives = 0.5, state().players[0].killed = 1;
            tick(mainWindow.game());
        }
        if (moment == Completed) { // as a capture in a tick leaves the game
            state().fieldShare = state().neededShare;
            checkLevelEnd(mainWindow.game());
        }
    }

    VirtualPad pad { "Pad" }; // unplugged before the window, whose service holds SDL, goes
    bool dialogLeftOpen = false;
};

using Send = std::function<void(PlayedWindow&)>;

Send key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [=](PlayedWindow& w) { QTest::keyClick(&w.mainWindow, key, modifiers); };
}

Send pad(int button)
{
    return [=](PlayedWindow& w) {
        for (const bool down : { true, false })
            w.pad.setButton(button, down), w.mainWindow.gamepads().poll();
        // A button opens its dialog once the poll is over; a direction is seen before a tick
        if (button != SDL_CONTROLLER_BUTTON_DPAD_LEFT)
            QCoreApplication::processEvents();
    };
}

Send click(QWidget* (*widget)(const MainWindow&))
{
    return [=](PlayedWindow& w) { QTest::mouseClick(widget(w.mainWindow), Qt::LeftButton); };
}

void focusLoss(PlayedWindow&) { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); }

struct Row {
    const char* input;
    Send send;
    // Per moment, separated by "|": what shows after the input; "-": it cannot reach the window
    const char* expected;
};

const Row rows[] = {
    // Moments:                  menu | running | paused | level done | over | asked | setup
    { "Space", key(Qt::Key_Space), "menu | Pause | run | run | menu | - | -" },
    { "Enter", key(Qt::Key_Return), "run | Pause | run | run | menu | - | -" },
    { "Up as the pause key", [](PlayedWindow& w) { w.state().pauseKey = 38, key(Qt::Key_Up)(w); },
        "menu | Pause | run | run | menu | - | -" },
    { "Esc", key(Qt::Key_Escape),
        "closed | Pause ?menu | Pause ?menu | Level ?menu | menu | - | -" },
    { "Esc, Yes", [](PlayedWindow& w) { w.answer = true, key(Qt::Key_Escape)(w); },
        "closed | menu ?menu | menu ?menu | menu ?menu | menu | - | -" },
    { "Alpha's Up", key(Qt::Key_Up), "menu | run steer | Pause | Level | Game | - | -" },
    { "keypad +", key(Qt::Key_Plus, Qt::KeypadModifier),
        "menu | run buy | Pause buy | Level buy | Game | - | -" },
    { "Q", key(Qt::Key_Q), "menu | run | Pause | Level | Game | - | -" },
    { "F11", key(Qt::Key_F11),
        "menu full | run full | Pause full | Level full | Game full | - | -" },
    { "message", click([](const MainWindow& w) -> QWidget* { return w.messagePanel(); }),
        "- | - | run | run | menu | - | -" },
    { "purchase", click([](const MainWindow& w) -> QWidget* { return w.purchasePanel(); }),
        "- | run buy | Pause buy | Level buy | Game | - | -" },
    { "Menu", [](PlayedWindow& w) { w.mainWindow.menuButton()->click(); },
        "- | Pause ?menu | Pause ?menu | Level ?menu | menu | - | -" },
    { "Close", [](PlayedWindow& w) { w.mainWindow.closeButton()->click(); },
        "- | Pause ?close | Pause ?close | Level ?close | closed | - | -" },
    { "closing", [](PlayedWindow& w) { w.mainWindow.close(); },
        "closed | Pause ?close | Pause ?close | Level ?close | closed | - | -" },
    { "closing, Yes", [](PlayedWindow& w) { w.answer = true, w.mainWindow.close(); },
        "closed | closed | closed | closed | closed | - | -" },
    { "Close Fendral", [](PlayedWindow& w) { w.mainWindow.closeProgramButton()->click(); },
        "closed | - | - | - | - | - | -" },
    { "focus loss", focusLoss, "menu | Pause | Pause | Level | Game | Pause open | menu open" },
    { "focus back",
        [](PlayedWindow&) { emit qGuiApp->applicationStateChanged(Qt::ApplicationActive); },
        "menu | run | Pause | Level | Game | Pause open | menu open" },
    { "pad Start", pad(SDL_CONTROLLER_BUTTON_START),
        "run | Pause | run | run | menu | menu | run" },
    { "pad A", pad(SDL_CONTROLLER_BUTTON_A), "run | Pause | run | run | menu | menu | run" },
    { "pad B", pad(SDL_CONTROLLER_BUTTON_B), "menu | run | Pause | Level | Game | Pause | menu" },
    { "pad Back", pad(SDL_CONTROLLER_BUTTON_BACK),
        "menu | Pause ?menu | Pause ?menu | Level ?menu | menu | Pause | menu" },
    { "pad left", pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
        "menu | run steer | Pause | Level | Game | Pause open | menu open" },
    { "pad left, Alpha's pad in slot 1",
        [](PlayedWindow& w) { w.state().padSlot[0] = 1, pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT)(w); },
        "menu | run | Pause | Level | Game | Pause open | menu open" },
    { "pad left, Alpha a computer player",
        [](PlayedWindow& w) { w.state().computer[0] = 3, pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT)(w); },
        "menu | run | Pause | Level | Game | Pause open | menu open" },
    { "pad left, Alpha out",
        [](PlayedWindow& w) {
            w.state().players[0].alive = 0, pad(SDL_CONTROLLER_BUTTON_DPAD_LEFT)(w);
        },
        "menu | run | Pause | Level | Game | Pause open | menu open" },
    { "pad Start behind another program",
        [](PlayedWindow& w) { focusLoss(w), pad(SDL_CONTROLLER_BUTTON_START)(w); },
        "menu | Pause | Pause | Level | Game | Pause open | menu open" },
};

// The input comes from within the dialog the window opens next, the program's own; a dialog it
// does not answer is closed unanswered. The setup dialog's Load menu names the pad.
void sendWhileTheDialogShows(PlayedWindow& w, const Send& send)
{
    QTimer::singleShot(0, [&w, send] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        const auto* setup = qobject_cast<SetupDialog*>(dialog);
        const auto namesThePad = [](QAction* item) { return item->text() == "Gamepad 1 (Pad)"; };
        EXPECT_TRUE(!setup || std::ranges::any_of(setup->schemeMenu()->actions(), namesThePad));
        send(w);
        if (dialog->isVisible())
            w.dialogLeftOpen = true, dialog->close();
    });
}

} // namespace

TEST(Commands, EveryInputInEveryStateDoesWhatTheTableSays)
{
    for (const Row& row : rows) {
        const QStringList expected = QString(row.expected).split(" | ");
        for (int moment = 0; moment < MomentCount; ++moment) {
            if (expected[moment] == "-")
                continue;
            SCOPED_TRACE(std::string(row.input) + " in moment " + std::to_string(moment));
            auto w = std::make_unique<PlayedWindow>(moment);
            w->reach(GameMoment(moment));
            if (moment == Asked || moment == SettingUp) {
                sendWhileTheDialogShows(*w, row.send);
                QTest::keyClick(&w->mainWindow, moment == Asked ? Qt::Key_Escape : Qt::Key_Return);
            } else {
                row.send(*w);
            }
            const std::string seen = w->observe();
            EXPECT_EQ(seen, expected[moment].toStdString());
            // The settings are written as a game starts, with what the setup dialog chose, and
            // as the window closes; the pause key is Space until the scripted dialog chooses P
            const bool scripted = moment == Menu ? seen == "run" : moment != SettingUp;
            const bool written = scripted || seen.starts_with("closed") || seen == "run";
            const QSettings file(w->folder.filePath("Fendral.ini"), QSettings::IniFormat);
            EXPECT_EQ(file.value("Fendral/Pause").toInt(), scripted ? 80 : written ? 32 : 0);
        }
    }
}

// The ticks poll the pads during a game, a timer of their own in the menu; a direction held
// through the respawn delay is taken once the delay is over, as a held key's repeat would; A read
// by the tick after "Game Over" leaves that tick nothing more to do: the menu shows on a black
// field
TEST(Commands, TheTicksPollThePadsAndAPressThatLeavesTheGameEndsItsTick)
{
    PlayedWindow w;
    w.startGame();
    EXPECT_EQ(w.mainWindow.gamepads().pollInterval(), 0);
    w.state().players[0].respawnDelay = 6;
    w.pad.setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.state().players[0].dx == -1; }, 10000));
    w.state().players[0].alive = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.message().startsWith("Game Over"); }, 10000));
    w.pad.setButton(SDL_CONTROLLER_BUTTON_A, true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.state().menuMode != 0; }, 10000));
    EXPECT_EQ(w.mainWindow.gamepads().pollInterval(), Gamepads::MenuPollInterval);
    QImage black(w.mainWindow.canvas().size(), w.mainWindow.canvas().format());
    black.fill(Qt::black);
    EXPECT_TRUE(!w.mainWindow.platform().isTimerRunning() && !w.state().gameOver
        && w.message().isEmpty() && w.mainWindow.canvas() == black);
}
