// The settings file: validation of what is read, and what a save leaves on disk
#include "Settings.h"
#include "GameState.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <tuple>

using namespace fendral;

class Settings : public ::testing::Test {
protected:
    QString settingsPath() const { return m_dir.filePath("Fendral.ini"); }

    void writeFile(const QByteArray& content) const
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }

    GameState load() const
    {
        GameState state;
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        loadSettings(state, iniFile);
        return state;
    }

    QTemporaryDir m_dir;
};

TEST_F(Settings, ASaveWritesTheTwentyOneKeysAndKeepsOtherSections)
{
    writeFile("[Other]\nname=kept\n");
    QSettings iniFile(settingsPath(), QSettings::IniFormat);
    saveSettings(GameState {}, iniFile);
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
        "[Fendral]\nColour0=0\nColour1=1\nColour2=2\nColour3=3\nControls00=38\nControls01=40\n"
        "Controls02=37\nControls03=39\nControls10=104\nControls11=101\nControls12=100\n"
        "Controls13=102\nControls20=82\nControls21=70\nControls22=68\nControls23=71\n"
        "Controls30=87\nControls31=83\nControls32=65\nControls33=68\nPause=32\n\n"
        "[Other]\nname=kept\n");
}

TEST_F(Settings, AnInvalidKeyOrColourResetsItsWholeGroupAndGarbageGivesTheDefaults)
{
    const std::array<int, 4> own { 0, 1, 2, 3 };
    const QByteArray f = "[Fendral]\n";
    // The file, then the pause key, Alpha's and Gamma's Up and the colours read from it
    const std::tuple<QByteArray, int, int, int, std::array<int, 4>> cases[] = {
        { f + "Pause=0\nControls00=87\n", 32, 38, 82, own }, // 0 has no name
        { f + "Pause=13\nColour0=3\nColour3=0\n", 32, 38, 82, { 3, 1, 2, 0 } }, // nor has Enter
        { f + "Pause=65\n", 32, 38, 82, own }, // A is Delta's Left key
        { f + "Pause=80\nControls10=32\nControls00=87\n", 32, 38, 82, own }, // Space never steers
        { f + "Controls02=38\n", 32, 38, 82, own }, // Alpha's Left repeats its Up
        { f + "Pause=80\nControls00=87\nControls20=38\n", 80, 87, 38, own }, // players may share
        { f + "Colour3=6\nControls20=38\n", 32, 38, 38, own },
        { f + "Colour3=-1\n", 32, 38, 82, own },
        { f + "Colour0=2\nColour2=2\n", 32, 38, 82, own },
        { "this is not = an [ini file\n===\n[Fendral\nPause=\n", 32, 38, 82, own },
        { QByteArray("\0\xff[Fendral]\n\x01=\x80\n", 16).repeated(4096), 32, 38, 82, own },
        { ("[Section]\nkey=" + QByteArray(100, 'x') + '\n').repeated(150'000), 32, 38, 82, own },
    };
    for (const auto& [file, pause, alphaUp, gammaUp, colours] : cases) {
        SCOPED_TRACE(file.left(40).toStdString());
        writeFile(file);
        const GameState state = load();
        auto keys = defaultControlKeys;
        keys[0][0] = alphaUp;
        keys[2][0] = gammaUp;
        EXPECT_EQ(std::tie(state.pauseKey, state.controlKeys, state.colourChoice),
            std::tie(pause, keys, colours));
    }
}

TEST_F(Settings, AnUnwritableTargetKeepsTheValuesAndFailsQuietly)
{
    writeFile(""); // as root chmod does not stop writes: the target lies under a file instead
    QSettings iniFile(settingsPath() + "/Fendral.ini", QSettings::IniFormat);
    saveSettings(GameState {}, iniFile);
    saveSettings(GameState {}, iniFile); // a second try fails as quietly
    EXPECT_NE(iniFile.status(), QSettings::NoError);
    EXPECT_EQ(iniFile.value("Fendral/Colour3").toInt(), 3);
}
