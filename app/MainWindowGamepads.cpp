// The main window's gamepads: polled with the game's timer, they steer and pause like the keys,
// start games from the menu and answer the dialogs
#include "MainWindow.h"

#include "GameCommands.h"
#include "Gamepads.h"
#include "QtPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace fendral {

static_assert(Gamepads::SlotCount == PadCount, "every slot of the service can be bound");

namespace {

    QPushButton* defaultButton(const QDialog& dialog)
    {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->isDefault() && button->isVisible() && button->isEnabled())
                return button;
        }
        return nullptr;
    }

    // Start or A presses the dialog's default button (Yes in a question, Start in the setup
    // dialog); B or Back is its cancel (No, or closing the setup dialog)
    void answerDialog(QDialog& dialog, bool confirm)
    {
        if (confirm) {
            if (QPushButton* button = defaultButton(dialog))
                button->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(&dialog); box && box->escapeButton()) {
            box->escapeButton()->click();
        } else {
            dialog.reject();
        }
    }

} // namespace

void MainWindow::connectGamepads()
{
    m_gamepads = std::make_unique<Gamepads>();
    // While the game's timer runs, every tick polls the pads first (pollPadsBeforeTick), so a
    // press waits no longer than a key would and costs no wake-up of its own; slowly in the menu
    // and in a stopped game
    connect(m_gamepads.get(), &Gamepads::directionRequested, this, &MainWindow::padSteered);
    connect(m_gamepads.get(), &Gamepads::pausePressed, this, [this] { padButtonPressed(true); });
    connect(m_gamepads.get(), &Gamepads::cancelPressed, this, [this] { padButtonPressed(false); });
    connect(m_gamepads.get(), &Gamepads::menuPressed, this, &MainWindow::padMenuPressed);
}

void MainWindow::pollPadsWithTimer(int intervalMs)
{
    m_gamepads->setPollInterval(intervalMs > 0 ? 0 : Gamepads::MenuPollInterval);
}

bool MainWindow::pollPadsBeforeTick()
{
    if (!m_gamepads || m_gamepads->pollInterval() > 0)
        return true;
    const int timerId = m_state.timerId;
    m_gamepads->poll();
    // A press that went back to the menu ended the game this tick belonged to
    if (m_state.menuMode || m_state.timerId != timerId)
        return false;
    repeatHeldDirections();
    return true;
}

// A held direction is asked for again whenever the player has no request waiting, as a held
// key's auto-repeat does: so it also takes effect once a pause, a question or the respawn delay
// that swallowed it is over
void MainWindow::repeatHeldDirections()
{
    if (!isPlayingByPad())
        return;
    for (int p = 0; p < PlayerCount; ++p) {
        const int slot = m_state.padSlot[p];
        const int direction = m_gamepads->heldDirection(slot);
        if (slot != NoPad && direction != StickDirection::None
            && m_state.players[p].dirQueueLength == 0)
            steerByPad(*m_game, slot, direction);
    }
}

// Pads, like keys, do nothing while another program is in front
bool MainWindow::arePadsHeard() const { return m_applicationActive; }

// While a question or the setup dialog is open, the pads answer it instead of playing; while a
// replay shows, they steer nobody
bool MainWindow::isPlayingByPad() const
{
    return arePadsHeard() && QApplication::activeModalWidget() == nullptr && !m_watch;
}

void MainWindow::padSteered(int slot, int direction)
{
    if (isPlayingByPad())
        steerByPad(*m_game, slot, direction);
}

void MainWindow::padButtonPressed(bool confirm)
{
    if (!arePadsHeard())
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            answerDialog(*dialog, confirm);
        return;
    }
    if (!confirm) // B means nothing in the menu or in a game
        return;
    if (m_state.menuMode)
        openDialogForPad([this] { return m_state.menuMode != 0; }, &MainWindow::startGameClicked);
    else
        handleKey(m_state.pauseKey);
}

void MainWindow::padMenuPressed()
{
    if (!arePadsHeard())
        return;
    if (QApplication::activeModalWidget())
        padButtonPressed(false);
    else if (!m_state.menuMode)
        openDialogForPad([this] { return m_state.menuMode == 0; }, &MainWindow::menuClicked);
}

// A dialog runs its own event loop, in which a timer whose handler opened it never fires again:
// opened from the pads' poll (the game's tick, or the menu's poll timer), it would hear no pad.
// So it opens once the poll is over, unless something else came first.
void MainWindow::openDialogForPad(std::function<bool()> stillWanted, void (MainWindow::*command)())
{
    QTimer::singleShot(0, this, [this, stillWanted = std::move(stillWanted), command] {
        if (stillWanted() && !QApplication::activeModalWidget())
            (this->*command)();
    });
}

} // namespace fendral
