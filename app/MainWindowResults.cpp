// The main window's end of a game: the game's record, its summary and the best results
#include "MainWindow.h"

#include "BestResults.h"
#include "GameSummaryDialog.h"

#include <QDateTime>
#include <QDebug>
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

    QString runSummaryDialog(
        const GameRecord& record, int place, const QString& prefill, QWidget* parent)
    {
        GameSummaryDialog dialog(record, place, prefill, parent);
        dialog.exec();
        return dialog.name();
    }

} // namespace

void MainWindow::connectResults()
{
    m_summaryRunner = [this](const GameRecord& record, int place, const QString& prefill) {
        return runSummaryDialog(record, place, prefill, this);
    };
}

void MainWindow::startGameRecord()
{
    m_record.start(m_state);
    m_recordClosed = false;
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
    QTimer::singleShot(0, this, [this, record = m_record, place, prefill, contents]() mutable {
        const QString name = m_summaryRunner(record, place, prefill);
        if (place >= 0) {
            contents.table.setName(place, name);
            contents.lastName = name;
            saveResults(contents);
        }
        clearFocusedControl();
    });
}

int MainWindow::enterBestResults(ResultsFile::Contents& contents, QString& prefill)
{
    // Only whole games that a person played count: from level 1 to a game over or the end
    if (!m_record.hasPerson() || m_record.startingLevel() != 1)
        return -1;
    contents = m_resultsFile.load();
    if (!m_resultsFile.setAsidePath().isEmpty())
        qWarning().noquote() << "Fendral: a damaged results file was set aside as"
                             << m_resultsFile.setAsidePath();
    prefill = contents.lastName.isEmpty() ? accountUserName() : contents.lastName;
    GameResult result = gameResult(m_record, QDateTime::currentMSecsSinceEpoch());
    result.name = prefill;
    const int place = contents.table.insert(result);
    // Kept before the summary shows: a close while it is open loses no result
    if (place >= 0)
        saveResults(contents);
    return place;
}

void MainWindow::saveResults(const ResultsFile::Contents& contents)
{
    QString error;
    // A folder that cannot be written costs the table, never the game
    if (!m_resultsFile.save(contents, error))
        qWarning().noquote() << "Fendral: the best results were not kept:" << error;
}

} // namespace fendral
