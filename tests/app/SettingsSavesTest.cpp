// When the window writes the settings, and what the player learns when that fails
#include "MainWindow.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendral;

namespace {
QStringList warnings;
void noteWarning(QtMsgType, const QMessageLogContext&, const QString& message)
{
    warnings << message;
}
}

TEST(SettingsSaves, StartAndEveryCloseWriteTheSettingsAndAFailureIsTold)
{
    enum class Ending { Start, Close, Signal };
    QTemporaryDir folder;
    QFile blocker(folder.filePath("file")); // a file where the settings' folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const QString unwritable = folder.filePath("file/Fendral.ini");
    const struct {
        Ending ending;
        bool fails;
        bool boxShown;
    } cases[] = { { Ending::Start, false, false }, { Ending::Close, false, false },
        { Ending::Signal, false, false }, { Ending::Start, true, true },
        { Ending::Close, true, true }, { Ending::Signal, true, false } };
    const auto previousHandler = qInstallMessageHandler(noteWarning);
    for (const auto& c : cases) {
        const QString path = c.fails ? unwritable : folder.filePath("Fendral.ini");
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
            if (c.ending == Ending::Start)
                window.startGameClicked();
            else
                window.state().colourChoice = { 3, 2, 1, 0 };
            if (c.ending == Ending::Close)
                window.close();
            if (c.ending == Ending::Signal)
                window.closeWithoutAsking();
            EXPECT_TRUE(window.isHidden() == (c.ending != Ending::Start));
        }
        const std::string what = std::to_string(int(c.ending)) + (c.fails ? " failing" : "");
        const QString told = "The settings could not be written to " + unwritable
            + ": its folder cannot be created.";
        EXPECT_EQ(warnings.filter(told).size(), c.fails ? 1 : 0)
            << what << warnings.join('|').toStdString();
        EXPECT_EQ(notices, c.boxShown ? QStringList { told } : QStringList()) << what;
        if (!c.fails) {
            const QSettings file(path, QSettings::IniFormat);
            EXPECT_EQ(
                file.value("Fendral/Colour0").toString(), c.ending == Ending::Start ? "1" : "3")
                << what;
        }
    }
    qInstallMessageHandler(previousHandler);
}
