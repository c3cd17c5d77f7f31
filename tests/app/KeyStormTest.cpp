// A storm of random key events into the real window through menu, setup, play, pause, questions
// and level ends, with the game's ticks driven between them
#include "KeyPresses.h"
#include "MainWindow.h"
#include "QtPlatform.h"
#include "Tick.h"
#include "ValidSettings.h"
#include "VirtualKeys.h"
#include "Widgets.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

using namespace fendral;

class KeyStorm : public ::testing::Test {
protected:
    KeyStorm()
        : mainWindow(folder.filePath("Fendral.ini"))
    {
        // Questions come over a paused game; Yes leaves it, so it is rarer and levels get to end
        mainWindow.setPrompt([this](const QString&) {
            EXPECT_TRUE(state().menuMode || (state().paused && shown(mainWindow.messagePanel())));
            return chance(3);
        });
        mainWindow.setSetupRunner([this](GameState& state) {
            state.teamAssignment = {};
            for (int p = 0; p < PlayerCount; ++p)
                state.teamAssignment[pick(TeamCount)][p] = chance(2);
            state.teamAssignment[pick(TeamCount)][pick(PlayerCount)] = 1; // someone plays
            return !chance(5);
        });
        mainWindow.show();
    }

    int pick(size_t n) { return static_cast<int>(random() % n); }
    bool chance(int n) { return pick(n) == 0; }
    GameState& state() { return mainWindow.state(); }
    bool shown(const QWidget* widget) const { return widget->isVisibleTo(&mainWindow); }

    // A random Qt key, or a real event for a code the game knows (Enter and Escape, which switch
    // between menu and game, rarer); pressed or released, auto-repeated or not, any modifiers
    void sendRandomKey()
    {
        KeyPress press { chance(2) ? pick(0x200) : Qt::Key_Escape + pick(0x200), {}, 0 };
        if (!chance(10)) {
            const int keys[] = { VK_RETURN, VK_ESCAPE, VK_SPACE, VK_SPACE, VK_ADD, state().pauseKey,
                state().pauseKey };
            const int code = !chance(2) ? pick(256)
                : chance(3)             ? keys[pick(std::size(keys))]
                                        : state().controlKeys[pick(4)][pick(4)];
            if (keyPresses[code].empty()) // no Qt key gives this code today
                return void(mainWindow.handleKey(code));
            press = keyPresses[code][pick(keyPresses[code].size())];
        }
        press.modifiers |= Qt::KeyboardModifiers::fromInt(chance(3) ? pick(32) << 25 : 0);
        QKeyEvent event = press.event(chance(4) ? QEvent::KeyRelease : QEvent::KeyPress, chance(4));
        QApplication::sendEvent(&mainWindow, &event);
    }

    // Drives the game as its timer would, and now and then ends a level, the game or a life
    void runTicks()
    {
        if (state().timerId == 0)
            return;
        const bool last = chance(200); // the next capture may end the game
        if (last)
            state().level = chance(4) ? LastLevel - 1 : LastLevel;
        if (last || chance(100)) // the next capture ends the level
            state().neededShare = state().fieldShare + 1e-9;
        if (chance(1000)) // reached between two ticks: the next one goes on at once
            state().fieldShare = state().neededShare;
        if (chance(50)) {
            Player& player = state().players[pick(PlayerCount)];
            player.killed = player.alive;
            if (chance(2) && player.team >= 0)
                state().teams[player.team].lives = 0.5;
        }
        for (int i = pick(12); i > 0 && state().timerId != 0; --i)
            tick(mainWindow.game());
    }

    void checkConsistency()
    {
        const GameState& s = state();
        for (const Player& player : s.players)
            ASSERT_TRUE(player.dirQueueLength >= 0 && player.dirQueueLength <= 2);
        ASSERT_EQ(s.menuMode == 0, s.timerId != 0);
        ASSERT_EQ(s.timerId != 0, mainWindow.platform().isTimerRunning());
        ASSERT_EQ(shown(mainWindow.menuPanel()), s.menuMode != 0);
        ASSERT_EQ(shown(mainWindow.messagePanel()), s.paused != 0);
        ASSERT_TRUE(s.menuMode ? !s.paused && !s.gameOver : !s.gameOver || s.paused);
        const QString caption = mainWindow.messagePanel()->caption();
        if (s.paused && !captionsSeen.insert(caption)->isEmpty())
            ASSERT_TRUE((s.gameOver ? gameOverCaptions : pausedCaptions).contains(caption))
                << caption.toStdString();
        ASSERT_TRUE(passesValidation(s));
    }

    // Mostly keys; now and then a close (asked during a game, and the window opened again as at
    // the next start), a focus loss, a click, and what the window posted to itself delivered
    void act()
    {
        const int choice = pick(40);
        if (choice == 0)
            mainWindow.close();
        else if (choice == 1)
            emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
        else if (choice == 2 && shown(mainWindow.messagePanel()))
            QTest::mouseClick(mainWindow.messagePanel(), Qt::LeftButton);
        else if (choice == 3 && shown(mainWindow.menuButton()))
            mainWindow.menuButton()->click();
        else
            sendRandomKey();
        if (mainWindow.isHidden())
            mainWindow.show();
        if (chance(16))
            QCoreApplication::sendPostedEvents();
    }

    const QStringList gameOverCaptions { "Game Over - Press Space" }; // and the others paused
    const QStringList pausedCaptions { "Pause", "Level Completed - Press Space",
        "Game Completed! Congratulations!", "Game Completed, you cheater.",
        "Game Completed, you cheaters." };
    // The same storm on every run; FENDRAL_STORM_SEED=N plays storm N
    const uint32_t seed = qEnvironmentVariableIntValue("FENDRAL_STORM_SEED") ?: 20261206u;
    std::mt19937 random { seed };
    const KeyPressTable keyPresses = keyPressesByCode();
    QTemporaryDir folder;
    MainWindow mainWindow;
    QSet<QString> captionsSeen;
};

TEST_F(KeyStorm, NeverBreaksTheGameAndLeavesOneThatStartsAndSteers)
{
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    for (int event = 0; event < 100'000; ++event) {
        act();
        ASSERT_NO_FATAL_FAILURE(checkConsistency()) << "after event " << event;
        runTicks();
        ASSERT_NO_FATAL_FAILURE(checkConsistency()) << "after the ticks after event " << event;
    }
    for (const char* caption : { "Pause", "Level Completed", "Game Over", "Game Completed" })
        EXPECT_TRUE(
            std::ranges::any_of(captionsSeen, [&](auto& c) { return c.startsWith(caption); }))
            << "the storm never showed " << caption;

    // Back to the menu, then a game of Alpha alone, who goes up at the first logic step
    mainWindow.setPrompt([](const QString&) { return true; });
    if (!state().menuMode)
        mainWindow.menuClicked();
    mainWindow.setSetupRunner([](GameState& state) {
        state.teamAssignment = {};
        return state.teamAssignment[0][0] = 1;
    });
    QTest::keyClick(&mainWindow, Qt::Key_Return);
    ASSERT_FALSE(state().menuMode || state().paused);
    const int bottom = state().players[0].y;
    keyPresses[state().controlKeys[0][0]].front().sendTo(&mainWindow);
    logicStep(mainWindow.game());
    EXPECT_EQ(state().players[0].y, bottom - 1);
}
