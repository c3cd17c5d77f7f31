// The settings file: validation of what is read, and what a save leaves on disk
#include "Settings.h"
#include "FuzzedSettingsFiles.h"
#include "GameState.h"
#include "ValidSettings.h"

#include <QDataStream>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <tuple>
#include <utility>

using namespace fendral;

class Settings : public ::testing::Test {
protected:
    QString settingsPath() const { return m_dir.filePath("Fendral.ini"); }

    // QSettings keeps every file it has read and knows it again by its size and modification
    // time: two files of one size written within the same second look the same to it, and the
    // second is read as the first. Each file written here has a time of its own.
    void writeFile(const QByteArray& content)
    {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size()
            && file.flush());
        ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++m_writes),
            QFileDevice::FileModificationTime));
    }

    GameState load() const
    {
        GameState state;
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        loadSettings(state, iniFile);
        return state;
    }

    // Every save syncs the file to the disk; in memory the thousands of saves of the fuzzing
    // take seconds instead of minutes
    static QString folderTemplate()
    {
        const QFileInfo memory("/dev/shm");
        return memory.isDir() && memory.isWritable()
            ? "/dev/shm/fendral-settings-XXXXXX"
            : QDir::tempPath() + "/fendral-settings-XXXXXX";
    }

    QTemporaryDir m_dir { folderTemplate() };
    qint64 m_writes = 0;
};

TEST_F(Settings, ASaveWritesTheKeysColoursAndGamepadsAndKeepsOtherSections)
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
        "Controls30=87\nControls31=83\nControls32=65\nControls33=68\nGamepad0=1\nGamepad1=2\n"
        "Gamepad2=3\nGamepad3=4\nPause=32\n\n"
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

// Pads are saved as the menu numbers them, 1..4 and 0 for none; what is not a free pad number
// leaves a player with its keys alone, and a missing key keeps pad p with player p.
TEST_F(Settings, GamepadsComeBackAsSavedAndAnythingElseLeavesAPlayerWithoutOne)
{
    const std::array<std::array<int, 4>, 4> saved = { { { 2, NoPad, 0, 3 }, { 3, 2, 1, 0 },
        { NoPad, NoPad, NoPad, NoPad }, { 0, 1, 2, 3 } } };
    for (const auto& padSlot : saved) {
        GameState state;
        state.padSlot = padSlot;
        {
            QSettings iniFile(settingsPath(), QSettings::IniFormat);
            saveSettings(state, iniFile);
        }
        EXPECT_EQ(load().padSlot, padSlot);
    }

    const QByteArray f = "[Fendral]\n";
    const std::pair<QByteArray, std::array<int, 4>> cases[] = {
        { f, { 0, 1, 2, 3 } },
        { f + "Gamepad0=0\n", { NoPad, 1, 2, 3 } },
        { f + "Gamepad0=2\n", { 1, NoPad, 2, 3 } }, // Beta's default went to Alpha
        { f + "Gamepad0=3\nGamepad1=3\nGamepad3=3\n", { 2, NoPad, NoPad, NoPad } },
        { f + "Gamepad0=5\nGamepad1=-1\nGamepad2=x\nGamepad3=\n", { NoPad, NoPad, NoPad, NoPad } },
        { f + "Gamepad1=2.0\nGamepad2=1,2\nGamepad3=0x4\n", { 0, NoPad, NoPad, NoPad } },
        { f + "Pause=0\nColour0=9\nGamepad3=2\n", { 0, 1, 2, NoPad } }, // Beta keeps pad 2
        { "[Other]\nGamepad0=3\n", { 0, 1, 2, 3 } },
    };
    for (const auto& [file, padSlot] : cases) {
        SCOPED_TRACE(file.toStdString());
        writeFile(file);
        EXPECT_EQ(load().padSlot, padSlot);
    }
}

TEST_F(Settings, OnlyADecimalIntegerWithin32BitsIsReadAndAnythingElseCountsAsMissing)
{
    // Alpha's Up as read from the text, 38 when the text counts as missing (W is 87)
    const std::pair<QByteArray, int> keys[] = {
        { "87", 87 },
        { "087", 87 }, // leading zeros are still decimal, never octal
        { "00000000000000000000087", 87 },
        { " 87 ", 87 }, // QSettings drops the spaces around an unquoted value
        { "\"87\"", 87 },
        { "\" 87\"", 38 },
        { "4294967383", 38 }, // 87 + 2^32, which toInt would take for 87
        { "-4294967209", 38 }, // 87 - 2^32
        { "18446744073709551703", 38 }, // 87 + 2^64
        { "+87", 38 },
        { "0x57", 38 },
        { "87abc", 38 },
        { "8 7", 38 },
        { "87.0", 38 },
        { "8.7e1", 38 },
        { "87,", 38 }, // a list to QSettings
        { "@Variant(\\0\\0\\0\\x2\\0\\0\\0W)", 38 }, // an int to QSettings
        { "\xef\xbc\x98\xef\xbc\x97", 38 }, // fullwidth digits
        { "", 38 },
        { "-", 38 },
    };
    for (const auto& [text, alphaUp] : keys) {
        SCOPED_TRACE(text.toStdString());
        writeFile("[Fendral]\nControls00=" + text + "\n");
        EXPECT_EQ(load().controlKeys[0][0], alphaUp);
    }

    // Colour0 from the text beside three valid colours: a missing one keeps them, a number
    // within 32 bits is judged, and outside 0..5 resets all four
    const std::array<int, 4> kept { 0, 4, 5, 3 }, reset { 0, 1, 2, 3 };
    const std::pair<QByteArray, std::array<int, 4>> colours[] = {
        { "2147483647", reset },
        { "-2147483648", reset },
        { "2147483648", kept },
        { "-2147483649", kept },
        { "99999999999", kept },
    };
    for (const auto& [text, expected] : colours) {
        SCOPED_TRACE(text.toStdString());
        writeFile("[Fendral]\nColour0=" + text + "\nColour1=4\nColour2=5\nColour3=3\n");
        EXPECT_EQ(load().colourChoice, expected);
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

namespace {

// Every value outside the section "Fendral" as QSettings reads it, serialised so that values of
// any type compare
std::map<QString, QByteArray> foreignValues(const QString& path)
{
    const QSettings file(path, QSettings::IniFormat);
    std::map<QString, QByteArray> values;
    for (const QString& key : file.allKeys()) {
        if (key.startsWith("Fendral/"))
            continue;
        QDataStream stream(&values[key], QIODevice::WriteOnly);
        stream << file.value(key);
    }
    return values;
}

// A file's start with its unprintable bytes escaped, for failure messages
std::string printable(const QByteArray& content)
{
    std::string text;
    for (const char byte : content.left(400))
        text += byte >= ' ' && byte <= '~'
            ? std::string(1, byte)
            : QString::asprintf("\\x%02x", uchar(byte)).toStdString();
    return text;
}

} // namespace

TEST_F(Settings, FuzzedFilesLoadOnlyValidValuesAndASaveKeepsTheOtherSections)
{
    // QSettings warns about the garbage it meets; thousands of warnings say nothing here
    const QtMessageHandler warnings
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const auto restoreWarnings = qScopeGuard([warnings] { qInstallMessageHandler(warnings); });
    constexpr uint32_t seed = 31'337;
    FuzzedSettingsFiles files(seed);
    int ownKeys = 0, ownColours = 0;
    for (int i = 0; i < 10'000; ++i) {
        const QByteArray content = files.next();
        SCOPED_TRACE(
            testing::Message() << "seed " << seed << ", file " << i << ": " << printable(content));
        writeFile(content);
        const auto foreign = foreignValues(settingsPath());
        GameState state;
        {
            // One object from the load to the save, as the window keeps it
            QSettings iniFile(settingsPath(), QSettings::IniFormat);
            loadSettings(state, iniFile);
            ASSERT_TRUE(passesValidation(state));
            saveSettings(state, iniFile);
        }
        ASSERT_EQ(foreignValues(settingsPath()), foreign);
        const GameState reloaded = load();
        ASSERT_EQ(savedSettings(reloaded), savedSettings(state));
        ownKeys += state.controlKeys != defaultControlKeys;
        ownColours += state.colourChoice != GameState {}.colourChoice;
    }
    // The files are not all garbage: many keep keys and colours of their own
    EXPECT_GT(ownKeys, 1'000);
    EXPECT_GT(ownColours, 1'000);
}

TEST_F(Settings, AFolderInPlaceOfTheFileGivesTheDefaultsAndIsLeftAlone)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("Fendral.ini/inside"));
    GameState state;
    state.pauseKey = 80;
    state.colourChoice = { 5, 4, 3, 2 };
    {
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        loadSettings(state, iniFile);
        EXPECT_TRUE(passesValidation(state));
        EXPECT_EQ(state.pauseKey, 32);
        EXPECT_EQ(state.colourChoice, (std::array<int, 4> { 0, 1, 2, 3 }));
        saveSettings(state, iniFile);
        EXPECT_NE(iniFile.status(), QSettings::NoError);
    }
    EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
    EXPECT_TRUE(QFileInfo(settingsPath() + "/inside").isDir());
}

TEST_F(Settings, AFolderThatCannotBeWrittenKeepsTheFileAsItWas)
{
    const QByteArray content = "[Fendral]\nPause=80\nColour0=5\n\n[Other]\nname=kept\n";
    writeFile(content);
    // Root writes anywhere whatever the modes say: then the load and the save run with the
    // effective user "nobody", and the real user root takes the rights back afterwards
    const uid_t user = geteuid();
    const uid_t nobody = 65534;
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0555), 0);
    if (user == 0) {
        ASSERT_EQ(seteuid(nobody), 0);
    }
    GameState state;
    QSettings::Status status = QSettings::NoError;
    {
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        loadSettings(state, iniFile);
        state.controlKeys[0][0] = 'W';
        saveSettings(state, iniFile);
        status = iniFile.status();
    } // destroyed before the rights come back, as its destructor tries to write once more
    if (user == 0) {
        ASSERT_EQ(seteuid(user), 0);
    }
    chmod(QFile::encodeName(m_dir.path()).constData(), 0700);
    EXPECT_NE(status, QSettings::NoError);
    EXPECT_EQ(state.pauseKey, 80);
    EXPECT_EQ(state.colourChoice[0], 5);
    EXPECT_EQ(state.controlKeys[0][0], 'W');
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("Fendral.ini"));
}
