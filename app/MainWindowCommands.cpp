// The main window's commands: keys during a game, pause, start, menu, close guard, buying lives
#include "MainWindow.h"

#include "DisplayView.h"
#include "GameCommands.h"
#include "Gamepads.h"
#include "GamesDialog.h"
#include "KeyTranslation.h"
#include "Level.h"
#include "SetupDialog.h"
#include "StatusPanel.h"
#include "Tick.h"
#include "VirtualKeys.h"
#include "Widgets.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

namespace fendral {

namespace {

    bool askYesNo(QWidget* parent, const QString& question)
    {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fendral"), question,
            QMessageBox::Yes | QMessageBox::No, parent);
        // Enter, or Start or A on a pad, says Yes; Esc, or B or Back, says No
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes;
    }

    std::array<QString, PadCount> connectedPads(const Gamepads& gamepads)
    {
        std::array<QString, PadCount> names;
        for (int slot = 0; slot < PadCount; ++slot) {
            if (gamepads.isConnected(slot))
                names[slot] = gamepads.padName(slot).isEmpty() ? QStringLiteral("connected")
                                                               : gamepads.padName(slot);
        }
        return names;
    }

    bool runSetupDialog(GameState& state, const Gamepads& gamepads, QWidget* parent)
    {
        SetupDialog dialog(state, parent);
        const auto showPads = [&] { dialog.setConnectedPads(connectedPads(gamepads)); };
        showPads();
        QObject::connect(&gamepads, &Gamepads::padsChanged, &dialog, showPads);
        return dialog.exec() == QDialog::Accepted;
    }

    QString runGamesDialog(ReplayStore& store, const ResultsFile& results, QWidget* parent)
    {
        GamesDialog dialog(store, results, parent);
        return dialog.exec() == QDialog::Accepted ? dialog.chosenPath() : QString();
    }

} // namespace

void MainWindow::connectCommands()
{
    m_prompt = [this](const QString& question) { return askYesNo(this, question); };
    m_notice = [this](const QString& message) {
        QMessageBox::warning(this, QStringLiteral("Fendral"), message);
    };
    m_setupRunner = [this](GameState& state) { return runSetupDialog(state, *m_gamepads, this); };
    m_gamesRunner
        = [this](ReplayStore& store) { return runGamesDialog(store, m_resultsFile, this); };
    connect(m_startButton, &QPushButton::clicked, this, &MainWindow::startGameClicked);
    connect(menuButton(), &QPushButton::clicked, this, &MainWindow::menuClicked);
    connect(purchasePanel(), &Panel::clicked, this, &MainWindow::purchaseClicked);
    connect(m_messagePanel, &Panel::clicked, this, &MainWindow::messagePanelClicked);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = virtualKeyCode(*event);
    if (key == VK_F11) {
        toggleFullScreen();
        return;
    }
    event->setAccepted(pressDialogButton(key) || handleKey(key));
}

bool MainWindow::pressDialogButton(int key)
{
    // Enter and Esc go to the window's default and cancel buttons first: in the menu Enter
    // starts a game (Esc, the cancel key, closes through handleKey); during a game Esc is
    // the "Menu" button's and Enter, without a visible default button, reaches handleKey
    if (m_state.menuMode && key == VK_RETURN) {
        startGameClicked();
        return true;
    }
    if (!m_state.menuMode && key == VK_ESCAPE) {
        menuClicked();
        return true;
    }
    return false;
}

bool MainWindow::handleKey(int key)
{
    // In the menu and in a game alike
    if (handleSoundKey(key))
        return true;
    if (m_state.menuMode) {
        if (key == VK_ESCAPE)
            requestClose(); // the key is not consumed
        if (key != 'G')
            return false;
        gamesClicked();
        return true;
    }
    if (m_watch)
        return handleWatchKey(key);
    if (key == VK_ADD) {
        purchaseClicked();
        return true;
    }
    // Tested before steering, so the pause key never steers
    if (key == m_state.pauseKey || key == VK_SPACE || key == VK_RETURN) {
        observeGame();
        continueOrPause(*m_game);
        closeEndedGame(true);
        return true;
    }
    return steer(*m_game, key);
}

void MainWindow::messagePanelClicked() { handleKey(m_state.pauseKey); }

void MainWindow::applicationDeactivated() { pauseRunningGame(); }

void MainWindow::pauseRunningGame()
{
    if (!m_state.menuMode)
        pauseGame(*m_game);
}

void MainWindow::startGameClicked()
{
    if (m_setupRunner(m_state)) {
        setUpComputerPlayers();
        // What the player chose is kept at once: a logout or a kill later loses nothing
        writeSettings(true);
        startRecordedGame();
        startGameRecord();
    }
    clearFocusedControl();
}

void MainWindow::menuClicked()
{
    if (m_watch) {
        stopWatching();
        return;
    }
    const bool wasOver = m_state.gameOver != 0;
    pauseGame(*m_game);
    const bool confirmed = wasOver || m_prompt(QStringLiteral("Return to Menu?"));
    if (confirmed) {
        keepLeftGame(EndReason::Menu);
        observeGame();
        fendral::killTimer(*m_game); // not QObject::killTimer
        m_view->showLayout(true);
        closeEndedGame(true);
    } else {
        clearFocusedControl();
    }
}

bool MainWindow::confirmClose()
{
    if (m_state.menuMode || m_state.gameOver)
        return true;
    pauseGame(*m_game);
    return m_prompt(QStringLiteral("Close Fendral?"));
}

void MainWindow::purchaseClicked()
{
    if (!m_watch)
        buyLives(*m_game);
}

} // namespace fendral
