// Where the settings file lives; the installed case for a real player is tested end to end
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

TEST(SettingsLocation, APortableCopyKeepsItsFileBesideTheProgramAndLeavesNoProbeBehind)
{
    QTemporaryDir program;
    QTemporaryDir config;
    EXPECT_EQ(settingsFilePath(program.path(), config.filePath("Fendral")),
        program.filePath("Fendral.ini"));
    EXPECT_EQ(
        QDir(program.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
    EXPECT_FALSE(QFile::exists(config.filePath("Fendral")));
}

TEST(SettingsLocation, AProgramFolderThatCannotTakeAFileSendsItToTheConfigFolderMadeOnTheWay)
{
    QTemporaryDir root;
    QFile notAFolder(root.filePath("program"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    const QString config = root.filePath("config/deep/Fendral");
    for (const QString& program :
        { root.filePath("program"), root.filePath("missing"), QString() }) {
        EXPECT_EQ(settingsFilePath(program, config), config + "/Fendral.ini");
        EXPECT_TRUE(QFileInfo(config).isDir());
    }
}
