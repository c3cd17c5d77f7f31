// The kept games: the last 50 replays in the per-user data folder, newest first
#pragma once

#include "Replay.h"

#include <QList>
#include <QString>

namespace fendral {

class ReplayStore {
public:
    static constexpr int KeptGames = 50;

    // $XDG_DATA_HOME/Fendral/replays, or wherever the platform keeps per-user data
    static QString defaultFolder();

    explicit ReplayStore(QString folder = defaultFolder());
    const QString& folder() const { return m_folder; }
    void setFolder(QString folder) { m_folder = std::move(folder); }

    // Saves a finished game under a name from its date and removes the oldest games beyond the
    // kept number, never one named in keptForGood (the best results' replays, which do not count
    // towards that number); the file's path, or empty with the reason in error.
    QString save(const Replay& replay, QString& error, const QStringList& keptForGood = {});

    struct Entry {
        QString path;
        Replay replay;
    };
    // The kept games that can be read, newest first.
    QList<Entry> games() const;
    bool remove(const QString& path);

private:
    QStringList fileNames() const;
    void removeOldGames(const QStringList& keptForGood);

    QString m_folder;
};

} // namespace fendral
