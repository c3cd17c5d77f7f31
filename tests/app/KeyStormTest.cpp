// Random keys into the real window through menu, setup, play, pause, questions and level ends. The
// storm alone drives the game: its ticks, and the game's own draws, come from the storm's seed, and
// the speed check, which reads the real clock, is kept out, so every run plays the same storm.
#include "QtPlatform.h"
#include "ValidSettings.h"
#include "VirtualKeys.h"
#include "WindowFixture.h"

#include "Tick.h"

#include <QPushButton>

#include <random>

using namespace fendral;

class KeyStorm : public ::testing::Test, public ShownWindow {
protected:
    KeyStorm()
    {
        state().rng.seed(seed);
        // Questions come over a paused game; Yes leaves it, so it is rarer and levels get to end
        mainWindow.setPrompt([this](const QString&) {
            EXPECT_TRUE(state().menuMode || (state().paused && shown(mainWindow.messagePanel())));
            return chance(3);
        });
        mainWindow.setSetupRunner([this](GameState& s) {
            s.teamAssignment = {};
            for (int p = 0; p < PlayerCount; ++p)
                s.teamAssignment[pick(TeamCount)][p] = chance(2);
            return s.teamAssignment[pick(TeamCount)][pick(PlayerCount)] = 1, !chance(5);
        });
    }

    int pick(size_t n) { return static_cast<int>(random() % n); }
    bool chance(int n) { return pick(n) == 0; }
    bool shown(const QWidget* widget) const { return widget->isVisibleTo(&mainWindow); }

    // A key the game knows (by its code; Enter and Escape as Qt keys, as they may go to a
    // button), or any Qt key with any modifiers, pressed or released, repeated or not
    void sendRandomKey()
    {
        if (!chance(10)) {
            const int keys[] = { VK_RETURN, VK_ESCAPE, VK_SPACE, VK_SPACE, VK_ADD, state().pauseKey,
                state().pauseKey };
            const int code = !chance(2) ? pick(256)
                : chance(3)             ? keys[pick(std::size(keys))]
                                        : state().controlKeys[pick(4)][pick(4)];
            if (code == VK_RETURN || code == VK_ESCAPE)
                return QTest::keyClick(&mainWindow, code == VK_RETURN ? Qt::Key_Return : Qt::Key_Escape);
            return void(mainWindow.handleKey(code));
        }
        const auto modifiers = Qt::KeyboardModifiers::fromInt(chance(3) ? pick(32) << 25 : 0);
        QKeyEvent event(chance(4) ? QEvent::KeyRelease : QEvent::KeyPress,
            chance(2) ? pick(0x200) : Qt::Key_Escape + pick(0x200), modifiers, QString(), chance(4));
        QApplication::sendEvent(&mainWindow, &event);
    }

    // Drives the game as its timer would, and now and then ends a level, the game or a life
    void runTicks()
    {
        if (state().timerId == 0)
            return;
        if (chance(200)) // the last levels come sooner
            state().level = chance(4) ? LastLevel - 1 : LastLevel;
        if (chance(60)) // the next capture ends the level, or the share is reached between ticks
            state().neededShare = state().fieldShare + (chance(10) ? 0 : 1e-9);
        if (chance(50)) {
            Player& player = state().players[pick(PlayerCount)];
            player.killed = player.alive;
            if (chance(2) && player.team >= 0)
                state().teams[player.team].lives = 0.5;
        }
        for (int i = pick(12); i > 0 && state().timerId != 0; --i) {
            state().speedCheckCountdown = -1;
            tick(mainWindow.game());
        }
    }

    void checkConsistency()
    {
        const GameState& s = state();
        ASSERT_EQ(s.menuMode == 0, s.timerId != 0);
        ASSERT_EQ(s.timerId != 0, mainWindow.platform().isTimerRunning());
        ASSERT_EQ(shown(mainWindow.menuPanel()), s.menuMode != 0);
        ASSERT_EQ(shown(mainWindow.messagePanel()), s.paused != 0);
        ASSERT_TRUE(s.menuMode ? !s.paused && !s.gameOver : !s.gameOver || s.paused);
        const QString caption = s.paused ? mainWindow.messagePanel()->caption() : QString();
        captionsSeen.insert(caption.left(10)); // empty while no message shows
        ASSERT_TRUE(!s.paused || captions.contains(caption)) << caption.toStdString();
        ASSERT_EQ(s.gameOver != 0, caption.startsWith("Game Over"));
        ASSERT_TRUE(passesValidation(s));
    }

    // Mostly keys; now and then a close and reopening, a focus loss, a click, posted events
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
        mainWindow.show(); // a closed window opens again, as at the next start
        if (chance(16))
            QCoreApplication::sendPostedEvents();
    }

    const QStringList captions { "Pause", "Level Completed - Press Space",
        "Game Over - Press Space", "Game Completed! Congratulations!",
        "Game Completed, you cheater.", "Game Completed, you cheaters." };
    // The same storm on every run; FENDRAL_STORM_SEED=N plays storm N
    const uint32_t seed = 20261206u + qEnvironmentVariableIntValue("FENDRAL_STORM_SEED");
    std::mt19937 random { seed };
    QSet<QString> captionsSeen;
};

TEST_F(KeyStorm, NeverBreaksTheGameAndReachesEveryMessage)
{
    for (int event = 0; event < 30'000; ++event) { // every message comes within 10'000 to 20'000
        act();
        ASSERT_NO_FATAL_FAILURE(checkConsistency()) << "after event " << event;
        runTicks();
        ASSERT_NO_FATAL_FAILURE(checkConsistency()) << "after the ticks after event " << event;
    }
    EXPECT_EQ(captionsSeen.size(), 5) << "each kind of message (10 letters tell them) and none";
}
