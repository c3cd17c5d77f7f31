// The best results on disk: results.json in the per-user data folder, JSON a person can read,
// written atomically
#pragma once

#include "BestResults.h"

#include <QString>

namespace fendral {

class ResultsFile {
public:
    static constexpr int MaxNameLength = 40;
    static constexpr qint64 MaxFileSize = 1 << 20; // far more than ten results ever take

    struct Contents {
        BestResults table;
        QString lastName; // the name given last time a game entered the table
    };

    // $XDG_DATA_HOME/Fendral/results.json, or wherever the platform keeps per-user data
    static QString defaultPath();

    explicit ResultsFile(QString path = defaultPath());
    const QString& path() const { return m_path; }

    // Reads the table. A file that is missing gives an empty table; one that cannot be read
    // whole (broken, cut, too big, a value out of range, more than ten results) is set aside
    // under another name, so nothing in it is lost, and what could be read of it is taken.
    Contents load();
    // Where the last load set a bad file aside; empty when it did not.
    const QString& setAsidePath() const { return m_setAsidePath; }

    // Writes the table through a QSaveFile; false with the reason in error. A bad file that
    // could not be set aside is never overwritten.
    bool save(const Contents& contents, QString& error) const;

private:
    bool setAside();

    QString m_path;
    QString m_setAsidePath;
    bool m_keepsBadFile = false; // a bad file is still in the way
};

} // namespace fendral
