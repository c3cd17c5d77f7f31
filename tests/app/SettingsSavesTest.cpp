// When the window writes the settings, and what the player learns when that fails
#include "MainWindow.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

namespace {
QStringList warnings; // on the terminal
}

// A game's start and every close write them; a failure shows in a box, except on a close by a
// signal, and always on the terminal
TEST(SettingsSaves, StartAndEveryCloseWriteTheSettingsAndAFailureIsTold)
{
    QTemporaryDir folder;
    QFile(folder.filePath("file")).open(QIODevice::WriteOnly); // a file where a folder should be
    const QString unwritable = folder.filePath("file/Fendral.ini");
    const QString told
        = "The settings could not be written to " + unwritable + ": its folder cannot be created.";
    const auto previousHandler = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
    for (const QString& path : { folder.filePath("Fendral.ini"), unwritable })
        for (const std::string ending : { "start", "close", "signal" }) {
            QFile::remove(path);
            warnings.clear();
            QStringList notices;
            {
                MainWindow window(path);
                window.show();
                window.setNotice([&](const QString& message) { notices << message; });
                window.setSetupRunner([](GameState& state) {
                    std::swap(state.colourChoice[0], state.colourChoice[1]); // chosen in the dialog
                    return true;
                });
                window.state().colourChoice = { 3, 2, 1, 0 };
                if (ending == "start")
                    window.startGameClicked();
                else if (ending == "close")
                    window.close();
                else
                    window.closeWithoutAsking();
            }
            const bool fails = path == unwritable;
            EXPECT_EQ(warnings.filter(told).size(), fails) << ending;
            EXPECT_EQ(notices, fails && ending != "signal" ? QStringList { told } : QStringList())
                << ending;
            const QSettings file(path, QSettings::IniFormat);
            const char* colour = fails ? "" : ending == "start" ? "2" : "3"; // Alpha's
            EXPECT_EQ(file.value("Fendral/Colour0").toString(), colour) << ending;
        }
    qInstallMessageHandler(previousHandler);
}
