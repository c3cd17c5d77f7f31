#include "ReplayStore.h"

#include "ReplayFile.h"

#include <QDateTime>
#include <QDir>
#include <QStandardPaths>

namespace fendral {

namespace {
    const QString Suffix = QStringLiteral(".fendral-replay");
}

QString ReplayStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
        + QStringLiteral("/replays");
}

ReplayStore::ReplayStore(QString folder)
    : m_folder(std::move(folder))
{
}

QString ReplayStore::save(const Replay& replay, QString& error, const QStringList& keptForGood)
{
    if (!QDir().mkpath(m_folder)) {
        error = QStringLiteral("cannot create the folder %1").arg(m_folder);
        return {};
    }
    // Names sort by date, so the oldest games are the first names
    const QString stem = QDateTime::fromMSecsSinceEpoch(replay.header.date, Qt::UTC)
                             .toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString path = m_folder + QLatin1Char('/') + stem + Suffix;
    for (int n = 2; QFile::exists(path); ++n)
        path = m_folder + QLatin1Char('/') + stem + QLatin1Char('-') + QString::number(n) + Suffix;
    if (!writeReplayFile(path, replay, error))
        return {};
    removeOldGames(keptForGood);
    return path;
}

QStringList ReplayStore::fileNames() const
{
    return QDir(m_folder).entryList({ QLatin1Char('*') + Suffix }, QDir::Files, QDir::Name);
}

void ReplayStore::removeOldGames(const QStringList& keptForGood)
{
    QStringList recent = fileNames();
    recent.removeIf([&](const QString& name) { return keptForGood.contains(name); });
    for (qsizetype i = 0; i + KeptGames < recent.size(); ++i)
        QFile::remove(m_folder + QLatin1Char('/') + recent[i]);
}

QList<ReplayStore::Entry> ReplayStore::games() const
{
    QList<Entry> entries;
    const QStringList names = fileNames();
    for (auto name = names.crbegin(); name != names.crend(); ++name) {
        const QString path = m_folder + QLatin1Char('/') + *name;
        QString error;
        if (auto replay = readReplayFile(path, error))
            entries.append({ path, std::move(*replay) });
    }
    return entries;
}

bool ReplayStore::remove(const QString& path) { return QFile::remove(path); }

} // namespace fendral
