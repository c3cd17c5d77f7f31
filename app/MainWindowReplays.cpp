// The main window's replays: every game is recorded from its start and kept when it ends, and a
// kept game or a replay file shows in the window as it was played
#include "MainWindow.h"

#include "DisplayView.h"
#include "GameCommands.h"
#include "Level.h"
#include "ReplayFile.h"
#include "ReplayWatch.h"
#include "StatusPanel.h"
#include "Tick.h"
#include "VirtualKeys.h"

#include <QDateTime>
#include <QDebug>

#include <chrono>
#include <optional>

namespace fendral {

void MainWindow::startRecordedGame()
{
    // A fresh seed from the clock for every game, kept in the replay's header
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    m_recorder.setDate(QDateTime::currentMSecsSinceEpoch());
    newGame(*m_game, static_cast<uint64_t>(std::chrono::nanoseconds(now).count()));
}

void MainWindow::saveFinishedGame()
{
    if (!m_recorder.hasFinishedGame())
        return;
    QString error;
    // The best results' replays are kept for good, beside the recent games
    m_finishedGamePath
        = m_replayStore.save(m_recorder.takeFinishedGame(), error, loadResults().table.replays());
    // A folder that cannot be written costs the replay, never the game
    if (m_finishedGamePath.isEmpty())
        qWarning().noquote() << "Fendral: the game's replay was not kept:" << error;
}

void MainWindow::keepLeftGame(EndReason reason)
{
    if (m_watch) {
        stopWatching();
        return;
    }
    leaveGame(*m_game, reason);
    saveFinishedGame();
}

void MainWindow::gamesClicked()
{
    const QString chosen = m_gamesRunner(m_replayStore);
    clearFocusedControl();
    if (!chosen.isEmpty())
        watchReplayFile(chosen);
}

QString MainWindow::replayProblem(const Replay& replay)
{
    const int width = DesignClientWidth / CellSize;
    const int height = (DesignClientHeight - StatusPanel::PanelHeight) / CellSize;
    if (replay.header.width == width && replay.header.height == height)
        return {};
    return QStringLiteral(
        "the game was played on a field of %1 x %2 cells; the window shows %3 x %4")
        .arg(replay.header.width)
        .arg(replay.header.height)
        .arg(width)
        .arg(height);
}

bool MainWindow::watchReplayFile(const QString& path)
{
    QString error;
    std::optional<Replay> replay = readReplayFile(path, error);
    if (!replay) {
        m_notice(QStringLiteral("This game cannot be shown: %1.").arg(error));
        return false;
    }
    return watchReplay(std::move(*replay));
}

bool MainWindow::watchReplay(Replay replay)
{
    if (const QString problem = replayProblem(replay); !problem.isEmpty()) {
        m_notice(QStringLiteral("This game cannot be shown: %1.").arg(problem));
        return false;
    }
    if (!m_state.menuMode)
        return false;
    m_teamsBeforeWatch = m_state.teamAssignment;
    m_coloursBeforeWatch = m_state.colourChoice;
    m_watch = std::make_unique<ReplayWatch>(std::move(replay));
    m_watch->start(*m_game);
    showWatchTitle();
    return true;
}

void MainWindow::watchTick()
{
    m_watch->tick(*m_game);
    if (!m_watch->isOver())
        return;
    const std::optional<int64_t> mismatch = m_watch->mismatchStep();
    stopWatching();
    if (mismatch)
        m_notice(QStringLiteral("This game no longer plays as it was recorded: it differs from "
                                "the recording at logic step %1.")
                     .arg(*mismatch));
}

bool MainWindow::handleWatchKey(int key)
{
    if (key == VK_SPACE || key == m_state.pauseKey)
        m_watch->togglePause(*m_game);
    else if (key == VK_RIGHT)
        m_watch->faster();
    else if (key == VK_LEFT)
        m_watch->slower();
    else
        return false; // nothing steers or buys lives
    showWatchTitle();
    return true;
}

void MainWindow::stopWatching()
{
    fendral::killTimer(*m_game); // not QObject::killTimer
    m_watch.reset();
    m_game->log = &m_recorder;
    m_state.teamAssignment = m_teamsBeforeWatch;
    m_state.colourChoice = m_coloursBeforeWatch;
    setWindowTitle(QStringLiteral("Fendral"));
    m_view->showLayout(true);
    clearFocusedControl();
}

void MainWindow::showWatchTitle()
{
    setWindowTitle(QStringLiteral("Fendral - Replay (%1\u00d7)").arg(m_watch->speed()));
}

} // namespace fendral
