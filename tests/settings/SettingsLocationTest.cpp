// A program folder that is no folder sends the settings to the config folder, made on the way;
// the other places are in SettingsPlacesTest.cpp, the installed case for a real player end to end
#include "SettingsLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

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
