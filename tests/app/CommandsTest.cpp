// The window's commands as one table: every kind of input in every state of the game, on the real
// main window, with a virtual pad plugged in for Alpha
#include "Gamepads.h"
#include "QtPlatform.h"
#include "DisplayView.h"
#include "Tick.h"
#include "ValidSettings.h"
#include "VirtualPad.h"
#include "WindowFixture.h"

#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

#include <deque>
#include <memory>

using namespace fendral;

namespace {

enum GameMoment { Menu, Running, Paused, Completed, Over, Asked, MomentCount };

// Alpha alone in team W, its pad in slot 0, P the pause key
struct PlayedWindow : ShownWindow {
    PlayedWindow()
    {
        teams = { { { 1, 0, 0, 0 } } };
        state().pauseKey = 80;
        mainWindow.gamepads().poll(); // takes the pad
    }
    void click(int button)
    {
        for (const bool down : { true, false })
            pad.setButton(button, down), mainWindow.gamepads().poll();
        // A button opens its dialog once the poll is over; a direction is seen before a tick
        if (button != SDL_CONTROLLER_BUTTON_DPAD_LEFT)
            QCoreApplication::processEvents();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&mainWindow, key, modifiers);
    }
    // "menu", "run", the first word of the message, or "closed"; then the questions asked, and
    // whether a steering request was queued or a life bought
    std::string observe()
    {
        const GameState& s = state();
        if (!mainWindow.isVisible())
            return "closed";
        EXPECT_EQ(s.menuMode == 0, mainWindow.platform().isTimerRunning());
        EXPECT_EQ(s.paused != 0, !message().isEmpty());
        std::string seen = s.menuMode ? "menu" : "";
        if (!message().isEmpty())
            seen += (seen.empty() ? "" : " ") + message().section(' ', 0, 0).toStdString();
        seen = seen.empty() ? "run" : seen;
        for (const QString& question : questions)
            seen += question == "Return to Menu?" ? " ?menu"
                : question == "Close Fendral?"    ? " ?close"
                                                  : " ?" + question.toStdString();
        const Player& alpha = s.players[0];
        const bool full = mainWindow.settingsFile()->value("Fendral/FullScreen").toInt();
        return seen + (alpha.dirQueueLength ? " steer" : "") + (s.cheatCount ? " buy" : "") + (full ? " full" : "");
    }
    void reach(GameMoment moment)
    {
        if (moment == Menu)
            return;
        startGame();
        if (moment == Paused)
            key(Qt::Key_Space);
        if (moment == Over) { // Alpha, the last player, goes out
            state().teams[0].lives = 0.5, state().players[0].killed = 1;
            tick(mainWindow.game());
        }
        if (moment == Completed) { // as a capture in a tick leaves the game
            state().fieldShare = state().neededShare, state().paused = 1;
            mainWindow.view().setMessage("Level Completed - Press Space");
            mainWindow.view().setMessageVisible(true);
        }
    }

    VirtualPad pad { "Pad" }; // unplugged before the window, whose service holds SDL, goes
};

using Send = void (*)(PlayedWindow&);
struct Row {
    const char* input;
    Send send;
    std::array<const char*, MomentCount> expected; // "-": the input cannot reach the window
};

const Row rows[] = {
    // input                 menu      running  paused   level done game over asked
    { "Space", [](PlayedWindow& w) { w.key(Qt::Key_Space); },
        { "menu", "Pause", "run", "run", "menu", "-" } },
    { "Enter", [](PlayedWindow& w) { w.key(Qt::Key_Return); },
        { "run", "Pause", "run", "run", "menu", "-" } },
    { "Enter, setup closed", [](PlayedWindow& w) { w.dialogAnswer = false, w.key(Qt::Key_Return); },
        { "menu", "Pause", "run", "run", "menu", "-" } },
    { "pause key", [](PlayedWindow& w) { w.key(Qt::Key_P); },
        { "menu", "Pause", "run", "run", "menu", "-" } },
    { "Esc", [](PlayedWindow& w) { w.key(Qt::Key_Escape); },
        { "closed", "Pause ?menu", "Pause ?menu", "Level ?menu", "menu", "-" } },
    { "Esc, Yes", [](PlayedWindow& w) { w.answer = true, w.key(Qt::Key_Escape); },
        { "closed", "menu ?menu", "menu ?menu", "menu ?menu", "menu", "-" } },
    { "Alpha's Up", [](PlayedWindow& w) { w.key(Qt::Key_Up); },
        { "menu", "run steer", "Pause", "Level", "Game", "-" } },
    { "keypad +", [](PlayedWindow& w) { w.key(Qt::Key_Plus, Qt::KeypadModifier); },
        { "menu", "run buy", "Pause buy", "Level buy", "Game", "-" } },
    { "Q", [](PlayedWindow& w) { w.key(Qt::Key_Q); },
        { "menu", "run", "Pause", "Level", "Game", "-" } },
    { "message", [](PlayedWindow& w) { QTest::mouseClick(w.mainWindow.messagePanel(), Qt::LeftButton); },
        { "-", "-", "run", "run", "menu", "-" } },
    { "purchase", [](PlayedWindow& w) { QTest::mouseClick(w.mainWindow.purchasePanel(), Qt::LeftButton); },
        { "-", "run buy", "Pause buy", "Level buy", "Game", "-" } },
    { "Menu", [](PlayedWindow& w) { w.mainWindow.menuButton()->click(); },
        { "-", "Pause ?menu", "Pause ?menu", "Level ?menu", "menu", "-" } },
    { "Close", [](PlayedWindow& w) { w.mainWindow.closeButton()->click(); },
        { "-", "Pause ?close", "Pause ?close", "Level ?close", "closed", "-" } },
    { "closing", [](PlayedWindow& w) { w.mainWindow.close(); },
        { "closed", "Pause ?close", "Pause ?close", "Level ?close", "closed", "-" } },
    { "closing, Yes", [](PlayedWindow& w) { w.answer = true, w.mainWindow.close(); },
        { "closed", "closed", "closed", "closed", "closed", "-" } },
    { "Close Fendral", [](PlayedWindow& w) { w.mainWindow.closeProgramButton()->click(); },
        { "closed", "-", "-", "-", "-", "-" } },
    { "focus loss", [](PlayedWindow&) { emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive); },
        { "menu", "Pause", "Pause", "Level", "Game", "Pause ?menu" } },
    { "pad Start", [](PlayedWindow& w) { w.click(SDL_CONTROLLER_BUTTON_START); },
        { "run", "Pause", "run", "run", "menu", "Pause ?menu" } },
    { "pad A", [](PlayedWindow& w) { w.click(SDL_CONTROLLER_BUTTON_A); },
        { "run", "Pause", "run", "run", "menu", "Pause ?menu" } },
    { "pad B", [](PlayedWindow& w) { w.click(SDL_CONTROLLER_BUTTON_B); },
        { "menu", "run", "Pause", "Level", "Game", "Pause ?menu" } },
    { "F11", [](PlayedWindow& w) { w.key(Qt::Key_F11); },
        { "menu full", "run full", "Pause full", "Level full", "Game full", "-" } },
    { "pad Back", [](PlayedWindow& w) { w.click(SDL_CONTROLLER_BUTTON_BACK); },
        { "menu", "Pause ?menu", "Pause ?menu", "Level ?menu", "menu", "Pause ?menu" } },
    { "pad left", [](PlayedWindow& w) { w.click(SDL_CONTROLLER_BUTTON_DPAD_LEFT); },
        { "menu", "run steer", "Pause", "Level", "Game", "Pause ?menu" } },
};

} // namespace

TEST(Commands, EveryInputInEveryStateDoesWhatTheTableSays)
{
    for (const Row& row : rows)
        for (int moment = 0; moment < MomentCount; ++moment) {
            if (row.expected[moment] == std::string("-"))
                continue;
            SCOPED_TRACE(std::string(row.input) + " in moment " + std::to_string(moment));
            auto w = std::make_unique<PlayedWindow>();
            std::string seen;
            if (moment == Asked) { // the input comes while the box of "Return to Menu?" is open
                w->reach(Running);
                w->whileAsked = [&] {
                    QDialog box(&w->mainWindow);
                    QTimer::singleShot(0, &box, [&] { row.send(*w), seen = w->observe(), box.reject(); });
                    return box.exec(), false;
                };
                w->key(Qt::Key_Escape);
            } else {
                w->reach(GameMoment(moment));
                row.send(*w);
                seen = w->observe();
            }
            EXPECT_EQ(seen, row.expected[moment]);
            // The settings are written as a game starts and as the window closes
            const bool written = moment != Menu || seen.starts_with("closed") || seen == "run";
            const QSettings file(w->folder.filePath("Fendral.ini"), QSettings::IniFormat);
            EXPECT_EQ(file.value("Fendral/Pause").toInt(), written ? 80 : 0);
        }
}

// A steering key is swallowed during the respawn delay; a pause key that is also a steering key
// only pauses; the ticks poll the pads during a game, a timer of their own in the menu
TEST(Commands, RespawnDelayPauseKeyThatSteersAndThePadsPolledByTheTicks)
{
    PlayedWindow w;
    w.startGame();
    w.state().players[0].respawnDelay = 3;
    EXPECT_TRUE(w.mainWindow.handleKey(38));
    EXPECT_EQ(w.observe(), "run");
    w.state().players[0].respawnDelay = 0;
    w.state().pauseKey = 38;
    w.key(Qt::Key_Up);
    EXPECT_EQ(w.observe(), "Pause");
    w.key(Qt::Key_Up);
    EXPECT_EQ(w.observe(), "run");
    EXPECT_EQ(w.mainWindow.gamepads().pollInterval(), 0);
    w.pad.setButton(SDL_CONTROLLER_BUTTON_START, true); // heard through the game's ticks alone
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.state().paused != 0; }, 10000));
    w.state().gameOver = 1;
    w.mainWindow.menuClicked();
    EXPECT_EQ(w.mainWindow.gamepads().pollInterval(), Gamepads::MenuPollInterval);
}

// Alpha plays in team W and Beta in team X; Gamma and Delta sit out
TEST(Commands, EachPadSteersThePlayerBoundToItWhileThatPlayerIsInTheGame)
{
    ShownWindow w;
    std::deque<VirtualPad> pads;
    for (int slot = 0; slot < PadCount; ++slot)
        pads.emplace_back("Pad " + std::to_string(slot)), w.mainWindow.gamepads().poll();
    const struct {
        std::array<int, 4> padSlot;
        int pad, steered; // the player whose queue takes the request, or NoPad
    } cases[] = { { { 0, 1, 2, 3 }, 2, NoPad }, { { NoPad, 0, 2, 3 }, 0, 1 },
        { { NoPad, 0, 2, 3 }, 1, NoPad }, { { 3, 2, 1, 0 }, 3, 0 }, { { 3, 2, 1, 0 }, 0, NoPad },
        { { 3, 2, 1, 0 }, 2, NoPad } }; // Beta, out of the game in the last case
    for (const auto& c : cases) {
        w.state().padSlot = c.padSlot;
        w.startGame();
        w.state().players[1].alive = &c != &cases[std::size(cases) - 1];
        for (const bool down : { true, false })
            pads[c.pad].setButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT, down), w.mainWindow.gamepads().poll();
        for (int p = 0; p < PlayerCount; ++p)
            EXPECT_EQ(w.state().players[p].dirQueueLength, p == c.steered) << c.pad << " " << p;
        w.mainWindow.menuClicked(); // answered No, and then left, as the game is over
        w.state().gameOver = 1;
        w.mainWindow.menuClicked();
    }
}

// Every key code, one after another from each state, whatever it leads to: the timer runs exactly
// in a game, the message shows exactly in a pause, and the settings stay valid
TEST(Commands, EveryKeyCodeFromEveryStateLeavesTheWindowConsistent)
{
    for (int moment = Menu; moment < Asked; ++moment) {
        PlayedWindow w;
        w.reach(GameMoment(moment));
        for (int code = 0; code < 256; ++code) {
            SCOPED_TRACE(std::to_string(moment) + ", key " + std::to_string(code));
            w.answer = code % 2; // questions answered Yes and No in turn
            if (code == 13 || code == 27) // as Qt keys: they may go to a button first
                w.key(code == 13 ? Qt::Key_Return : Qt::Key_Escape);
            else
                w.mainWindow.handleKey(code);
            w.mainWindow.show(); // a closed window opens again, as at the next start
            w.observe();
            ASSERT_TRUE(passesValidation(w.state()) && !::testing::Test::HasFailure());
        }
    }
}
