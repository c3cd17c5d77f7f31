#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace fendral {

const char* const SettingsFileName = "Fendral.ini";

namespace {

    // QSettings replaces the file through a new one in the same folder, and refuses to replace a
    // file that it may not write: both must be possible
    bool canKeepSettingsIn(const QString& file)
    {
        if (!isWritableFolder(QFileInfo(file).absolutePath()))
            return false;
        QFile existing(file);
        return !existing.exists() || existing.open(QIODevice::WriteOnly | QIODevice::Append);
    }

    // The file is copied by its content: a copy would keep the permissions that made it unusable
    void fillFrom(const QString& source, const QString& target)
    {
        QFile from(source);
        if (QFile::exists(target) || !from.open(QIODevice::ReadOnly))
            return;
        QSaveFile to(target);
        if (to.open(QIODevice::WriteOnly))
            to.write(from.readAll()), to.commit();
    }

} // namespace

bool isWritableFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".fendral-write-test-XXXXXX")));
    return probe.open();
}

bool isInstalledProgramFolder(const QString& programFolder)
{
    const QDir bin(programFolder);
    return bin.dirName() == QLatin1String("bin")
        && QFileInfo::exists(
            bin.filePath(QStringLiteral("../share/applications/" FENDRAL_APP_ID ".desktop")));
}

QString settingsFilePath(const QString& programFolder, const QString& userConfigFolder)
{
    const QString beside = QDir(programFolder).filePath(QLatin1String(SettingsFileName));
    if (!programFolder.isEmpty() && !isInstalledProgramFolder(programFolder)
        && canKeepSettingsIn(beside))
        return beside;
    QDir().mkpath(userConfigFolder);
    const QString perUser = QDir(userConfigFolder).filePath(QLatin1String(SettingsFileName));
    if (!programFolder.isEmpty())
        fillFrom(beside, perUser);
    return perUser;
}

QString defaultSettingsFilePath()
{
    return settingsFilePath(QCoreApplication::applicationDirPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

} // namespace fendral
