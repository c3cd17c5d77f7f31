// Gamepads in the real window: SDL's virtual pads steer, pause and leave a game as the keys do
#include "Gamepads.h"
#include "QtPlatform.h"
#include "Tick.h"
#include "VirtualPad.h"
#include "WindowFixture.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

using namespace fendral;

namespace {

constexpr int Full = 32767;

class PadWindow : public Window {
protected:
    // Plugs a pad in and lets the window take it: the lowest free slot
    VirtualPad& plug()
    {
        m_pads.push_back(std::make_unique<VirtualPad>("Pad " + std::to_string(m_pads.size())));
        poll();
        return *m_pads.back();
    }

    void poll() { mainWindow.gamepads().poll(); }

    void click(VirtualPad& pad, SDL_GameControllerButton button)
    {
        pad.press(button);
        poll();
        pad.release(button);
        poll();
    }

    void push(VirtualPad& pad, int x, int y)
    {
        pad.setStick(x, y);
        poll();
    }

    std::vector<int> queue(int p)
    {
        const Player& player = state().players[p];
        return { player.dirQueue.begin(), player.dirQueue.begin() + player.dirQueueLength };
    }

    std::vector<std::vector<int>> queues()
    {
        std::vector<std::vector<int>> all;
        for (int p = 0; p < PlayerCount; ++p)
            all.push_back(queue(p));
        return all;
    }

    // Unplugged before the window, whose service holds SDL for them, goes
    std::vector<std::unique_ptr<VirtualPad>> m_pads;
};

using Queue = std::vector<int>;

} // namespace

// The paused and respawn rules are the keys' own; the stick asks only when its direction changes
TEST_F(PadWindow, TheStickSteersWhenItTurnsAndNotWhilePaused)
{
    VirtualPad& pad = plug();
    startGame();
    state().paused = 1;
    push(pad, 0, Full);
    state().paused = 0;
    EXPECT_EQ(queue(0), Queue {});
    push(pad, -10000, 9000); // still down: short of the margin past the diagonal
    push(pad, -Full, 9000);
    push(pad, -Full, -3000); // the same direction held: no new request
    EXPECT_EQ(queue(0), (Queue { Left }));
}

TEST_F(PadWindow, EachPadSteersThePlayerBoundToItWhileThatPlayerIsInTheGame)
{
    for (int slot = 0; slot < PadCount; ++slot)
        plug();
    // Alpha plays in team W and Beta in team X; Gamma and Delta sit out
    const struct {
        std::array<int, 4> padSlot;
        int pad;
        int steered; // the player whose queue takes the request, or NoPad
    } cases[] = {
        { { 0, 1, 2, 3 }, 2, NoPad }, // Gamma does not play
        { { NoPad, 0, 2, 3 }, 0, 1 },
        { { NoPad, 0, 2, 3 }, 1, NoPad }, // bound to nobody
        { { 3, 2, 1, 0 }, 3, 0 },
        { { 3, 2, 1, 0 }, 0, NoPad },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pad " << c.pad << " for player " << c.steered);
        state().padSlot = c.padSlot;
        const std::vector<Queue> before = queues();
        click(*m_pads[c.pad], SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        EXPECT_EQ(queues(), before) << "nothing in the menu";
        startGame();
        click(*m_pads[c.pad], SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        std::vector<Queue> expected(PlayerCount);
        if (c.steered != NoPad)
            expected[c.steered] = { Left };
        EXPECT_EQ(queues(), expected);
        answer = true;
        mainWindow.menuClicked();
    }
    startGame();
    state().players[1].alive = 0; // Beta went out of the game
    click(*m_pads[2], SDL_CONTROLLER_BUTTON_DPAD_LEFT); // Beta's pad in the last binding
    EXPECT_EQ(queue(1), Queue {});
}

TEST_F(PadWindow, StartAndAPauseContinueAndLeaveALostGameAndBackAsksToReturnToTheMenu)
{
    VirtualPad& pad = plug();
    click(pad, SDL_CONTROLLER_BUTTON_START);
    click(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_TRUE(state().menuMode && questions.isEmpty()) << "the menu does not hear them";

    startGame();
    click(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(pauseShown());
    click(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(state().paused || mainWindow.messagePanel()->isVisible());
    click(pad, SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(questions, QStringList { "Return to Menu?" });
    EXPECT_TRUE(!state().menuMode && pauseShown()) << "No keeps the game paused";
    click(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(state().paused, 0);

    state().paused = state().gameOver = 1;
    click(pad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(state().menuMode && !mainWindow.platform().isTimerRunning());
    EXPECT_EQ(questions.size(), 1);
}

// The pads are polled on in the box's own event loop: Start would continue the game behind the
// question, the D-pad then steer, and Back stack a second question on the first
TEST_F(PadWindow, NothingActsWhileAQuestionIsOpen)
{
    VirtualPad& pad = plug();
    mainWindow.setPrompt([&](const QString& question) {
        questions << question;
        QDialog box(&mainWindow);
        QTimer::singleShot(0, &box, [&] {
            for (const auto button : { SDL_CONTROLLER_BUTTON_START, SDL_CONTROLLER_BUTTON_DPAD_UP,
                     SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_A })
                click(pad, button);
            push(pad, Full, 0);
            box.reject();
        });
        EXPECT_EQ(box.exec(), QDialog::Rejected);
        return false;
    });
    startGame();
    mainWindow.menuButton()->click();
    EXPECT_EQ(questions, QStringList { "Return to Menu?" });
    EXPECT_TRUE(pauseShown());
    EXPECT_EQ(queue(0), Queue {});
    click(pad, SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(state().paused, 0) << "heard again once the question is answered";
}

TEST_F(PadWindow, PadsArePolledWithEveryTickOfAGameAndSlowlyOtherwise)
{
    Gamepads& gamepads = mainWindow.gamepads();
    EXPECT_EQ(gamepads.pollInterval(), Gamepads::MenuPollInterval);
    startGame();
    EXPECT_EQ(gamepads.pollInterval(), 0) << "the ticks poll the pads, no timer of their own";
    state().stepMultiplier = 2; // a slow machine takes longer ticks
    armTimer(mainWindow.game());
    EXPECT_EQ(gamepads.pollInterval(), 0);

    // A press reaches the game through the event loop alone
    VirtualPad& pad = plug();
    pad.press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(QTest::qWaitFor([this] { return state().paused != 0; }, 10000));
    state().gameOver = 1;
    mainWindow.handleKey(state().pauseKey);
    EXPECT_EQ(gamepads.pollInterval(), Gamepads::MenuPollInterval);
}
