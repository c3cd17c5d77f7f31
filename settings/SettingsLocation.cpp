#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace fendral {

const char* const SettingsFileName = "Fendral.ini";

bool isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".fendral-write-test-XXXXXX")));
    return probe.open();
}

QString settingsFilePath(const QString& programFolder, const QString& userConfigFolder)
{
    if (isWritableFolder(programFolder))
        return QDir(programFolder).filePath(QLatin1String(SettingsFileName));
    QDir().mkpath(userConfigFolder);
    return QDir(userConfigFolder).filePath(QLatin1String(SettingsFileName));
}

QString defaultSettingsFilePath()
{
    return settingsFilePath(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace fendral
