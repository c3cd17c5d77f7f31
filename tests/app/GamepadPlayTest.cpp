// Gamepads in the real window: SDL's virtual pads steer, pause and leave a game as the keys do
#include "Gamepads.h"
#include "QtPlatform.h"
#include "VirtualPad.h"
#include "WindowFixture.h"

#include <QDialog>
#include <QTimer>

#include <deque>

using namespace fendral;
using Queues = std::vector<std::vector<int>>;

class PadWindow : public Window {
protected:
    VirtualPad& plug() // taken by the window at once, in the lowest free slot
    {
        m_pads.emplace_back("Pad " + std::to_string(m_pads.size()));
        return mainWindow.gamepads().poll(), m_pads.back();
    }
    void click(VirtualPad& pad, SDL_GameControllerButton button)
    {
        for (const bool down : { true, false })
            pad.setButton(button, down), mainWindow.gamepads().poll();
    }
    Queues queues()
    {
        Queues all;
        for (const Player& p : state().players)
            all.emplace_back(p.dirQueue.begin(), p.dirQueue.begin() + p.dirQueueLength);
        return all;
    }
    std::deque<VirtualPad> m_pads; // unplugged before the window, whose service holds SDL, goes
};

// Alpha plays in team W and Beta in team X; Gamma and Delta sit out
TEST_F(PadWindow, EachPadSteersThePlayerBoundToItWhileThatPlayerIsInTheGame)
{
    for (int slot = 0; slot < PadCount; ++slot)
        plug();
    answer = true; // to go back to the menu after each case
    const struct {
        std::array<int, 4> padSlot;
        int pad, steered; // the player whose queue takes the requests, or NoPad
    } cases[] = { { { 0, 1, 2, 3 }, 2, NoPad }, { { NoPad, 0, 2, 3 }, 0, 1 },
        { { NoPad, 0, 2, 3 }, 1, NoPad }, { { 3, 2, 1, 0 }, 3, 0 }, { { 3, 2, 1, 0 }, 0, NoPad } };
    for (const auto& c : cases) {
        state().padSlot = c.padSlot;
        startGame();
        click(m_pads[c.pad], SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        Queues expected(PlayerCount);
        if (c.steered != NoPad)
            expected[c.steered] = { Left };
        EXPECT_EQ(queues(), expected) << "pad " << c.pad << " for player " << c.steered;
        mainWindow.menuClicked();
    }
    startGame();
    state().players[1].alive = 0; // Beta went out of the game
    click(m_pads[2], SDL_CONTROLLER_BUTTON_DPAD_LEFT); // Beta's pad in the last binding
    EXPECT_EQ(queues(), Queues(PlayerCount));
}

// Start, A and Back; the pads heard by a dialog's own event loop do nothing behind it
TEST_F(PadWindow, StartABackAndNothingWhileAQuestionIsOpen)
{
    Gamepads& gamepads = mainWindow.gamepads();
    VirtualPad& pad = m_pads.emplace_back("Pad");
    ASSERT_TRUE(QTest::qWaitFor([&] { return gamepads.isConnected(0); }, 10000)) << "polled";
    mainWindow.setPrompt([&](const QString& question) {
        questions << question;
        QDialog box(&mainWindow);
        QTimer::singleShot(0, &box, [&] {
            for (const auto button : { SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_DPAD_UP,
                     SDL_CONTROLLER_BUTTON_A })
                click(pad, button);
            box.reject();
        });
        return box.exec(), false;
    });
    click(pad, SDL_CONTROLLER_BUTTON_BACK);
    click(pad, SDL_CONTROLLER_BUTTON_START); // in the menu, "Start Game"
    EXPECT_TRUE(QTest::qWaitFor([this] { return !state().menuMode; }, 10000));
    EXPECT_EQ(gamepads.pollInterval(), 0) << "the ticks poll the pads, no timer of their own";
    click(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(pauseShown());
    click(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(state().paused || mainWindow.messagePanel()->isVisible());
    click(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !questions.isEmpty(); }, 10000));
    EXPECT_EQ(questions, QStringList { "Return to Menu?" });
    EXPECT_TRUE(!state().menuMode && pauseShown()) << "No keeps the game paused";
    EXPECT_EQ(queues(), Queues(PlayerCount));
    pad.setButton(SDL_CONTROLLER_BUTTON_START, true); // heard through the game's ticks alone
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().paused == 0; }, 10000));
    state().gameOver = state().paused = 1;
    click(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(
        state().menuMode && !mainWindow.platform().isTimerRunning() && questions.size() == 1);
    EXPECT_EQ(gamepads.pollInterval(), Gamepads::MenuPollInterval);
}
