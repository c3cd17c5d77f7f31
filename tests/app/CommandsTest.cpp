// The window's commands during a game: keys and their consumption, pause, prompts, purchases
#include "QtPlatform.h"
#include "WindowFixture.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSettings>

constexpr int KeyUp = 38;

TEST_F(Window, EnterInTheMenuStartsAGameThroughTheSetupDialogOnlyWhenItClosesWithStart)
{
    dialogAnswer = false;
    startGame();
    EXPECT_TRUE(state().menuMode && !mainWindow.platform().isTimerRunning());
    dialogAnswer = true;
    startGame();
    EXPECT_EQ(state().playersInPlay, 2); // as the dialog chose
    EXPECT_TRUE(mainWindow.platform().isTimerRunning());
}

TEST_F(Window, SteeringKeysAreQueuedAndConsumedOnlyWhileRunning)
{
    startGame();
    const auto press
        = [this](int key) { return mainWindow.handleKey(key) ? 0 : key; }; // 0 when consumed
    EXPECT_EQ(press(KeyUp), 0);
    state().paused = 1;
    EXPECT_EQ(press(KeyUp), KeyUp) << "while paused a steering key is neither queued nor consumed";
    state().paused = 0;
    state().players[0].respawnDelay = 3;
    EXPECT_EQ(press(KeyUp), 0) << "during the respawn delay the key is swallowed";
    EXPECT_EQ(state().players[0].dirQueueLength, 1);
}

TEST_F(Window, SpaceEnterAndThePauseKeyPauseAndContinueAndThePauseKeyNeverSteers)
{
    state().pauseKey = KeyUp; // also Alpha's Up
    startGame();
    for (const Qt::Key key : { Qt::Key_Space, Qt::Key_Return, Qt::Key_Up }) {
        QTest::keyClick(&mainWindow, key);
        EXPECT_TRUE(pauseShown()) << key;
        QTest::keyClick(&mainWindow, key);
        EXPECT_FALSE(state().paused || mainWindow.messagePanel()->isVisible()) << key;
    }
    EXPECT_EQ(state().players[0].dirQueueLength, 0);
}

TEST_F(Window, LeavingAGameIsAskedUnlessItIsLostAndTheMenuClosesAtOnceWritingTheSettings)
{
    startGame();
    QTest::keyClick(&mainWindow, Qt::Key_Escape);
    mainWindow.close();
    EXPECT_EQ(questions, QStringList({ "Return to Menu?", "Close Fendral?" }));
    EXPECT_TRUE(state().menuMode == 0 && mainWindow.isVisible() && pauseShown())
        << "No keeps it paused";
    answer = true;
    mainWindow.menuButton()->click();
    EXPECT_FALSE(state().menuMode == 0 || mainWindow.platform().isTimerRunning());

    startGame();
    state().paused = state().gameOver = 1;
    mainWindow.menuButton()->click();
    EXPECT_EQ(state().menuMode, 1);
    EXPECT_EQ(questions.size(), 3) << "a lost game leaves without a question";
    state().pauseKey = 80;
    QTest::keyClick(&mainWindow, Qt::Key_Escape);
    EXPECT_EQ(questions.size(), 3) << "the menu closes without a question";
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_EQ(QSettings(settingsPath(), QSettings::IniFormat).value("Fendral/Pause").toInt(), 80);
}

TEST_F(Window, KeypadPlusBuysALifePerPlayerInPlayAndRevivesUpToNinetyNineTimesBeforeGameOver)
{
    startGame();
    fendral::Team& x = state().teams[1];
    // Beta went out of team X, which has half a life left
    state().players[1].alive = 0;
    x.lives = 0.5;
    x.outList[0] = x.outCount = 1;
    state().teams[0].lives = 2;
    state().paused = 1; // a purchase is allowed while paused
    QTest::keyClick(&mainWindow, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(state().teams[0].lives, 3);
    EXPECT_DOUBLE_EQ(x.lives, 0.5) << "a team with no member in play gains nothing";

    x.lives = 1.25;
    mainWindow.purchaseClicked();
    EXPECT_EQ(state().players[1].alive, 1);
    EXPECT_DOUBLE_EQ(x.lives, 0.25);

    state().teams[0].lives = 99.5;
    mainWindow.purchaseClicked();
    EXPECT_DOUBLE_EQ(state().teams[0].lives, 99.5) << "never a hundred lives";
    for (int i = 0; i < 120; ++i)
        mainWindow.purchaseClicked();
    EXPECT_EQ(state().cheatCount, 99);
    state().gameOver = 1;
    state().cheatCount = 0;
    mainWindow.purchaseClicked();
    EXPECT_EQ(state().cheatCount, 0);
}

// The key storm holds that the menu is left alone
TEST_F(Window, LosingActivationPausesARunningGame)
{
    startGame();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_TRUE(pauseShown());
}
