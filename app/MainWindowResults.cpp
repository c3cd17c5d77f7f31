// The main window's end of a game: the game's record, its summary and the best results
#include "MainWindow.h"

#include "BestResults.h"
#include "GameSummaryDialog.h"

#include <QDateTime>
#include <QDebug>
#include <QFileInfo>
#include <QTimer>

#include <pwd.h>
#include <unistd.h>

namespace fendral {

namespace {

    // The name of the account the game runs under, the first name a best result goes under
    QString accountUserName()
    {
        if (const passwd* account = getpwuid(getuid()); account && account->pw_name)
            return QString::fromLocal8Bit(account->pw_name);
        return qEnvironmentVariable("USER");
    }

    MainWindow::SummaryChoice runSummaryDialog(const GameRecord& record, int place,
        const QString& prefill, bool hasReplay, QWidget* parent)
    {
        GameSummaryDialog dialog(record, place, prefill, hasReplay, parent);
        dialog.exec();
        return { dialog.name(), dialog.isWatchChosen() };
    }

} // namespace

void MainWindow::connectResults()
{
    m_summaryRunner
        = [this](const GameRecord& record, int place, const QString& prefill, bool hasReplay) {
              return runSummaryDialog(record, place, prefill, hasReplay, this);
          };
}

void MainWindow::startGameRecord()
{
    m_record.start(m_state);
    m_recordClosed = false;
    m_finishedGamePath.clear();
}

void MainWindow::observeGame()
{
    // Also before a tick and a command: what was bought shows only until the layout changes
    m_record.observe(m_state);
}

void MainWindow::closeEndedGame(bool showSummary)
{
    if (m_recordClosed || !m_record.hasEnded() || (showSummary && !m_state.menuMode))
        return;
    m_recordClosed = true;
    ResultsFile::Contents contents;
    QString prefill;
    const int place = enterBestResults(contents, prefill);
    if (!showSummary)
        return;
    // Shown once the event loop runs again: opened from a tick or from the pads' poll, the
    // dialog's own loop would never hear the pads
    QTimer::singleShot(0, this,
        [this, record = m_record, place, prefill, contents, replay = m_finishedGamePath]() mutable {
            const SummaryChoice choice = m_summaryRunner(record, place, prefill, !replay.isEmpty());
            if (place >= 0) {
                contents.table.setName(place, choice.name);
                contents.lastName = choice.name;
                saveResults(contents);
            }
            clearFocusedControl();
            if (choice.watch && !replay.isEmpty())
                watchReplayFile(replay);
        });
}

int MainWindow::enterBestResults(ResultsFile::Contents& contents, QString& prefill)
{
    // Only whole games that a person played count: from level 1 to a game over or the end
    if (!m_record.hasPerson() || m_record.startingLevel() != 1)
        return -1;
    contents = loadResults();
    prefill = contents.lastName.isEmpty() ? accountUserName() : contents.lastName;
    GameResult result = gameResult(m_record, QDateTime::currentMSecsSinceEpoch());
    result.name = prefill;
    // The replay kept as the game ended, the moment before
    if (!m_finishedGamePath.isEmpty())
        result.replay = QFileInfo(m_finishedGamePath).fileName();
    const int place = contents.table.insert(result);
    // Kept before the summary shows: a close while it is open loses no result
    if (place >= 0)
        saveResults(contents);
    return place;
}

ResultsFile::Contents MainWindow::loadResults()
{
    ResultsFile::Contents contents = m_resultsFile.load();
    if (!m_resultsFile.setAsidePath().isEmpty())
        qWarning().noquote() << "Fendral: a damaged results file was set aside as"
                             << m_resultsFile.setAsidePath();
    return contents;
}

void MainWindow::saveResults(const ResultsFile::Contents& contents)
{
    QString error;
    // A folder that cannot be written costs the table, never the game
    if (!m_resultsFile.save(contents, error))
        qWarning().noquote() << "Fendral: the best results were not kept:" << error;
}

} // namespace fendral
