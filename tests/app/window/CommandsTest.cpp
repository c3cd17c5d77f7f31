// The window's commands during a game: keys and their consumption, pause, prompts, purchases
#include "DisplayView.h"
#include "QtPlatform.h"
#include "TForm1.h"
#include "Widgets.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

constexpr int KeyUp = 38;
constexpr int KeyA = 65;
constexpr int KeyB = 66;

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest()
        : form(folder.filePath(QStringLiteral("Fendral.ini")))
    {
        form.show();
        form.setPrompt([this](const QString& question) {
            questions << question;
            return answer;
        });
        form.setSetupDialog([this](GameState& state) {
            ++dialogsShown;
            state.teamAssignment = {};
            state.teamAssignment[0][0] = 1; // Alpha in W
            state.teamAssignment[1][1] = 1; // Beta in X
            return dialogAnswer;
        });
    }

    GameState& state() { return form.state(); }
    Player& alpha() { return state().players[0]; }

    void startGame()
    {
        QTest::keyClick(&form, Qt::Key_Return);
        ASSERT_EQ(state().menuMode, 0);
    }

    int press(int key)
    {
        form.FormKeyDown(key);
        return key;
    }

    bool messageShown(const QString& text) const
    {
        return form.panelp()->isVisible() && form.panelp()->caption() == text;
    }

    QTemporaryDir folder;
    TForm1 form;
    QStringList questions;
    bool answer = false;
    bool dialogAnswer = true;
    int dialogsShown = 0;
};

TEST_F(CommandsTest, EnterInTheMenuStartsAGameThroughTheSetupDialog)
{
    startGame();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(state().level, 1);
    EXPECT_EQ(state().playersInPlay, 2);
    EXPECT_TRUE(form.platform().isTimerRunning());
    EXPECT_EQ(form.platform().interval(), 9);
    EXPECT_NE(state().timerId, 0);
}

TEST_F(CommandsTest, ADialogClosedWithoutStartLeavesTheMenuAndThePlayersAlone)
{
    dialogAnswer = false;
    state().players[2].deaths = 7;
    form.start()->click();
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(state().menuMode, 1);
    EXPECT_EQ(state().timerId, 0);
    EXPECT_EQ(state().players[2].deaths, 7);
}

TEST_F(CommandsTest, SteeringKeysAreQueuedAndConsumedOnlyWhileRunning)
{
    startGame();
    EXPECT_EQ(press(KeyUp), 0);
    EXPECT_EQ(alpha().dirQueueLength, 1);
    EXPECT_EQ(alpha().dirQueue[0], Up);

    EXPECT_EQ(press(KeyB), KeyB) << "a key nobody owns is left alone";

    state().paused = 1;
    EXPECT_EQ(press(KeyUp), KeyUp) << "while paused a steering key is neither queued nor consumed";
    EXPECT_EQ(alpha().dirQueueLength, 1);

    state().paused = 0;
    alpha().respawnDelay = 3;
    EXPECT_EQ(press(KeyUp), 0) << "during the respawn delay the key is swallowed";
    EXPECT_EQ(alpha().dirQueueLength, 1);
}

TEST_F(CommandsTest, SpaceEnterAndTheChosenPauseKeyAllPauseAndContinue)
{
    state().pauseKey = KeyA;
    startGame();
    for (const Qt::Key key : { Qt::Key_Space, Qt::Key_Return, Qt::Key_A }) {
        QTest::keyClick(&form, key);
        EXPECT_EQ(state().paused, 1);
        EXPECT_TRUE(messageShown("Pause"));
        QTest::keyClick(&form, key);
        EXPECT_EQ(state().paused, 0);
        EXPECT_FALSE(form.panelp()->isVisible());
    }
    QTest::mouseClick(form.panelp(), Qt::LeftButton); // the message panel acts as the pause key
    EXPECT_EQ(state().paused, 1);
    EXPECT_TRUE(messageShown("Pause"));
}

TEST_F(CommandsTest, ThePauseKeyNeverSteersEvenWhenAPlayerOwnsIt)
{
    state().pauseKey = KeyUp;
    startGame();
    EXPECT_EQ(press(KeyUp), 0);
    EXPECT_EQ(state().paused, 1);
    EXPECT_EQ(alpha().dirQueueLength, 0);
}

TEST_F(CommandsTest, MenuAnsweredNoKeepsTheGamePaused)
{
    startGame();
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(questions, QStringList { "Return to Menu?" });
    EXPECT_EQ(state().menuMode, 0);
    EXPECT_EQ(state().paused, 1);
    EXPECT_TRUE(messageShown("Pause"));
    EXPECT_TRUE(form.platform().isTimerRunning());
}

TEST_F(CommandsTest, MenuAnsweredYesReturnsToTheMenuAndStopsTheTimer)
{
    startGame();
    answer = true;
    form.menub()->click();
    EXPECT_EQ(state().menuMode, 1);
    EXPECT_EQ(state().timerId, 0);
    EXPECT_FALSE(form.platform().isTimerRunning());
}

TEST_F(CommandsTest, ALostGameLeavesForTheMenuWithoutAQuestion)
{
    startGame();
    state().paused = state().gameOver = 1;
    QTest::keyClick(&form, Qt::Key_Space);
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(state().menuMode, 1);
    EXPECT_EQ(state().timerId, 0);

    startGame();
    state().paused = state().gameOver = 1;
    form.menub()->click();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_EQ(state().menuMode, 1);
}

TEST_F(CommandsTest, ClosingDuringAGameAsksAndNoKeepsThePausedGame)
{
    startGame();
    form.close();
    EXPECT_EQ(questions, QStringList { "Close Fendral?" });
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(state().paused, 1);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("Fendral.ini"))));

    answer = true;
    form.close();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("Fendral.ini"))));
}

TEST_F(CommandsTest, ClosingFromTheMenuAsksNothing)
{
    form.close();
    EXPECT_TRUE(questions.isEmpty());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(CommandsTest, KeypadPlusBuysOneLifePerPlayerInPlayAndBringsBackWhoWentOut)
{
    startGame();
    Team& w = state().teams[0];
    Team& x = state().teams[1];
    // Beta went out of team X, which has no lives left
    state().players[1].alive = 0;
    x.lives = 0.5;
    x.outList[0] = 1;
    x.outCount = 1;
    const double livesOfW = w.lives;

    state().paused = 1; // a purchase is allowed while paused
    QTest::keyClick(&form, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_DOUBLE_EQ(w.lives, livesOfW + 1.0);
    EXPECT_DOUBLE_EQ(x.lives, 0.5) << "a team with no member in play gains nothing";
    EXPECT_EQ(state().players[1].alive, 0);
    EXPECT_EQ(state().cheatCount, 1);
    EXPECT_EQ(form.mode()->caption(), "-1");

    x.lives = 1.25;
    form.modeClick();
    EXPECT_EQ(state().players[1].alive, 1);
    EXPECT_EQ(x.outCount, 0);
    EXPECT_DOUBLE_EQ(x.lives, 0.25);
    EXPECT_EQ(state().players[1].y, state().H) << "placed on the bottom row";
}

TEST_F(CommandsTest, PurchasesStopAtNinetyNineAndDuringGameOverAndNeverReachAHundredLives)
{
    startGame();
    state().teams[0].lives = 99.5;
    form.modeClick();
    EXPECT_DOUBLE_EQ(state().teams[0].lives, 99.5);

    for (int i = 0; i < 120; ++i)
        form.modeClick();
    EXPECT_EQ(state().cheatCount, 99);

    state().gameOver = 1;
    state().cheatCount = 0;
    form.modeClick();
    EXPECT_EQ(state().cheatCount, 0);
}

TEST_F(CommandsTest, LosingActivationPausesARunningGameOnly)
{
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(state().paused, 0) << "the menu is left alone";

    startGame();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(state().paused, 1);
    EXPECT_TRUE(messageShown("Pause"));
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(state().paused, 1) << "coming back leaves the game paused";
}

} // namespace
