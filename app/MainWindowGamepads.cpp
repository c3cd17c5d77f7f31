// The main window's gamepads: polled with the game's timer, they steer and pause like the keys
#include "MainWindow.h"

#include "GameCommands.h"
#include "Gamepads.h"
#include "QtPlatform.h"

#include <QApplication>

namespace fendral {

static_assert(Gamepads::SlotCount == PadCount, "every slot of the service can be bound");

void MainWindow::connectGamepads()
{
    m_gamepads = std::make_unique<Gamepads>();
    // While the game's timer runs, every tick polls the pads first (pollPadsBeforeTick), so a
    // press waits no longer than a key would and costs no wake-up of its own; slowly in the menu
    // and in a stopped game
    connect(m_gamepads.get(), &Gamepads::directionRequested, this, &MainWindow::padSteered);
    connect(m_gamepads.get(), &Gamepads::pausePressed, this, &MainWindow::padPausePressed);
    connect(m_gamepads.get(), &Gamepads::menuPressed, this, &MainWindow::padMenuPressed);
}

void MainWindow::pollPadsWithTimer(int intervalMs)
{
    m_gamepads->setPollInterval(intervalMs > 0 ? 0 : Gamepads::MenuPollInterval);
}

void MainWindow::pollPadsBeforeTick()
{
    if (m_gamepads && m_gamepads->pollInterval() <= 0)
        m_gamepads->poll();
}

// The pads are polled on in the event loop of a question or of the setup dialog: a press then
// neither steers behind it nor stacks a second question on it
bool MainWindow::arePadsHeard() const { return QApplication::activeModalWidget() == nullptr; }

void MainWindow::padSteered(int slot, int direction)
{
    if (arePadsHeard() && !m_watch)
        steerByPad(*m_game, slot, direction);
}

void MainWindow::padPausePressed()
{
    if (arePadsHeard() && !m_state.menuMode)
        handleKey(m_state.pauseKey);
}

void MainWindow::padMenuPressed()
{
    if (arePadsHeard() && !m_state.menuMode)
        menuClicked();
}

} // namespace fendral
