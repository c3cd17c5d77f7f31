// The main window's commands: keys during a game, pause, start, menu, close guard, buying lives
#include "TForm1.h"

#include "DisplayView.h"
#include "GameCommands.h"
#include "KeyTranslation.h"
#include "Level.h"
#include "StatusPanel.h"
#include "TForm3.h"
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
        return box.exec() == QMessageBox::Yes;
    }

    bool runSetupDialog(GameState& state, QWidget* parent)
    {
        TForm3 dialog(state, parent);
        return dialog.exec() == QDialog::Accepted;
    }

} // namespace

void TForm1::connectCommands()
{
    m_prompt = [this](const QString& question) { return askYesNo(this, question); };
    m_setupDialog = [this](GameState& state) { return runSetupDialog(state, this); };
    connect(m_start, &QPushButton::clicked, this, &TForm1::startClick);
    connect(menub(), &QPushButton::clicked, this, &TForm1::menubClick);
    connect(mode(), &Panel::clicked, this, &TForm1::modeClick);
    connect(m_panelp, &Panel::clicked, this, &TForm1::FormClick);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    int key = virtualKeyCode(*event);
    if (pressDialogButton(key))
        return;
    FormKeyDown(key);
}

bool TForm1::pressDialogButton(int key)
{
    // Enter and Esc go to the window's default and cancel buttons first: in the menu Enter
    // starts a game (Esc, the cancel key, closes through FormKeyDown); during a game Esc is
    // the "Menu" button's and Enter, without a visible default button, reaches FormKeyDown
    if (m_state.menuMode && key == VK_RETURN) {
        startClick();
        return true;
    }
    if (!m_state.menuMode && key == VK_ESCAPE) {
        menubClick();
        return true;
    }
    return false;
}

void TForm1::FormKeyDown(int& key)
{
    if (m_state.menuMode) {
        if (key == VK_ESCAPE)
            requestClose(); // the key is not consumed
        return;
    }
    if (key == VK_ADD) {
        modeClick();
        key = 0;
        return;
    }
    // Tested before steering, so the pause key never steers
    if (key == m_state.pauseKey || key == VK_SPACE || key == VK_RETURN) {
        continueOrPause(*m_game);
        key = 0;
        return;
    }
    if (steer(m_state, key))
        key = 0;
}

void TForm1::FormClick()
{
    int key = m_state.pauseKey;
    FormKeyDown(key);
}

void TForm1::AppDeactivate()
{
    if (!m_state.menuMode)
        pauseGame(*m_game);
}

void TForm1::startClick()
{
    if (m_setupDialog(m_state))
        newGame(*m_game);
    clearFocusedControl();
}

void TForm1::menubClick()
{
    const bool wasOver = m_state.gameOver != 0;
    pauseGame(*m_game);
    const bool confirmed = wasOver || m_prompt(QStringLiteral("Return to Menu?"));
    if (confirmed) {
        fendral::killTimer(*m_game); // not QObject::killTimer
        m_view->showLayout(true);
    } else {
        clearFocusedControl();
    }
}

void TForm1::FormCloseQuery(bool& canClose)
{
    if (m_state.menuMode || m_state.gameOver) {
        canClose = true;
        return;
    }
    pauseGame(*m_game);
    canClose = m_prompt(QStringLiteral("Close Fendral?"));
}

void TForm1::modeClick() { buyLives(*m_game); }

} // namespace fendral
