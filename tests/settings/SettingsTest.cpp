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
#include <utility>

using namespace fendral;

namespace {

// The default state with changes named as the file names them ("Pause=80 Colour0=3"); pads are
// numbered as in the file too, 0 for none
GameState changed(const QString& changes)
{
    GameState state;
    for (const QString& change : changes.split(' ', Qt::SkipEmptyParts)) {
        const QString key = change.section('=', 0, 0);
        const int value = change.section('=', 1).toInt();
        const int p = key.back().digitValue();
        if (key == "Pause")
            state.pauseKey = value;
        else if (key.startsWith("Controls"))
            state.controlKeys[key[8].digitValue()][p] = value;
        else if (key.startsWith("Colour"))
            state.colourChoice[p] = value;
        else
            state.padSlot[p] = value - 1;
    }
    return state;
}

// Every value outside the section "Fendral", serialised so that values of any type compare
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

} // namespace

class Settings : public ::testing::Test {
protected:
    QString settingsPath() const { return m_dir.filePath("Fendral.ini"); }

    // QSettings knows a file again by its size and modification time: two files of one size
    // written within the same second would read as the first. Each file gets a time of its own.
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

    QByteArray fileContent() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every save syncs to the disk: in memory the thousands of saves of the fuzzing are quick
    QTemporaryDir m_dir { (QFileInfo("/dev/shm").isWritable() ? "/dev/shm" : QDir::tempPath())
        + "/fendral-settings-XXXXXX" };
    qint64 m_writes = 0;
};

TEST_F(Settings, ASaveWritesTheKeysColoursAndGamepadsAndKeepsOtherSections)
{
    writeFile("[Other]\nname=kept\n");
    {
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        saveSettings(changed("Gamepad3=0"), iniFile);
    }
    EXPECT_EQ(fileContent(),
        "[Fendral]\nColour0=0\nColour1=1\nColour2=2\nColour3=3\nControls00=38\nControls01=40\n"
        "Controls02=37\nControls03=39\nControls10=104\nControls11=101\nControls12=100\n"
        "Controls13=102\nControls20=82\nControls21=70\nControls22=68\nControls23=71\n"
        "Controls30=87\nControls31=83\nControls32=65\nControls33=68\nGamepad0=1\nGamepad1=2\n"
        "Gamepad2=3\nGamepad3=0\nPause=32\n\n"
        "[Other]\nname=kept\n");
}

TEST_F(Settings, ABadKeyOrColourResetsItsWholeGroupAndABadPadLeavesOnlyItsPlayerWithout)
{
    // The section's lines, then what is read from them
    const std::pair<QByteArray, QString> cases[] = {
        { "Pause=0\nControls00=87", "" }, // 0 has no name
        { "Pause=13\nColour0=3\nColour3=0", "Colour0=3 Colour3=0" }, // nor has Enter
        { "Pause=65", "" }, // A is Delta's Left key
        { "Pause=80\nControls10=32\nControls00=87", "" }, // Space never steers
        { "Controls02=38", "" }, // Alpha's Left repeats its Up
        { "Pause=80\nControls00=87\nControls20=38", "Pause=80 Controls00=87 Controls20=38" },
        { "Colour3=6\nControls20=38", "Controls20=38" }, { "Colour3=-1", "" },
        { "Colour0=2\nColour2=2", "" },
        // Colour0 beside valid colours: within 32 bits it is judged, beyond it counts as missing
        { "Colour0=2147483647\nColour1=4\nColour2=5", "" },
        { "Colour0=2147483648\nColour1=4\nColour2=5", "Colour1=4 Colour2=5" },
        { "Colour0=-2147483649\nColour1=4\nColour2=5", "Colour1=4 Colour2=5" },
        // A missing pad keeps pad p with player p; a pad an earlier player has goes to nobody
        { "[Other]\nGamepad0=3", "" }, { "Gamepad0=0", "Gamepad0=0" },
        { "Gamepad0=2", "Gamepad0=2 Gamepad1=0" },
        { "Gamepad0=3\nGamepad1=3\nGamepad3=3", "Gamepad0=3 Gamepad1=0 Gamepad2=0 Gamepad3=0" },
        { "Gamepad0=5\nGamepad1=-1\nGamepad2=1,2\nGamepad3=",
            "Gamepad0=0 Gamepad1=0 Gamepad2=0 Gamepad3=0" },
        { "Pause=0\nColour0=9\nGamepad3=2", "Gamepad3=0" }, // pads stand apart from the rest
    };
    for (const auto& [lines, expected] : cases) {
        SCOPED_TRACE(lines.toStdString());
        writeFile("[Fendral]\n" + lines + '\n');
        EXPECT_EQ(savedSettings(load()), savedSettings(changed(expected)));
    }
}

TEST_F(Settings, OnlyADecimalIntegerWithin32BitsIsReadAndAnythingElseCountsAsMissing)
{
    // Leading zeros are still decimal, never octal
    writeFile("[Fendral]\nControls00=087\n");
    EXPECT_EQ(load().controlKeys[0][0], 87);
    // 87 + 2^32 is what toInt would take for 87; the last two are an int and a list to QSettings
    for (const QByteArray text : { "\" 87\"", "4294967383", "+87", "0x57", "87abc", "87.0", "",
             "\xef\xbc\x98\xef\xbc\x97", "@Variant(\\0\\0\\0\\x2\\0\\0\\0W)", "87," }) {
        SCOPED_TRACE(text.toStdString());
        writeFile("[Fendral]\nControls00=" + text + "\n");
        EXPECT_EQ(load().controlKeys[0][0], 38);
    }
}

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
        SCOPED_TRACE(testing::Message() << "seed " << seed << ", file " << i << ": "
                                        << content.left(400).toPercentEncoding("[]=\" ").data());
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
        ASSERT_EQ(savedSettings(load()), savedSettings(state));
        ownKeys += state.controlKeys != defaultControlKeys;
        ownColours += state.colourChoice != GameState {}.colourChoice;
    }
    // The files are not all garbage: many keep keys and colours of their own
    EXPECT_GT(ownKeys, 1'000);
    EXPECT_GT(ownColours, 1'000);
}

TEST_F(Settings, AFolderThatCannotBeWrittenKeepsTheFileAsItWas)
{
    const QByteArray content = "[Fendral]\nPause=80\nColour0=5\n\n[Other]\nname=kept\n";
    writeFile(content);
    // Root writes whatever the modes say: the load and the save then run with the effective
    // user "nobody", and the real user root takes the rights back afterwards
    const uid_t user = geteuid();
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.path()).constData(), 0555), 0);
    ASSERT_TRUE(user != 0 || seteuid(65534) == 0);
    GameState state;
    QSettings::Status status = QSettings::NoError;
    {
        QSettings iniFile(settingsPath(), QSettings::IniFormat);
        loadSettings(state, iniFile);
        state.controlKeys[0][0] = 'W';
        saveSettings(state, iniFile);
        status = iniFile.status();
    } // destroyed before the rights come back, as its destructor tries to write once more
    ASSERT_TRUE(user != 0 || seteuid(user) == 0);
    chmod(QFile::encodeName(m_dir.path()).constData(), 0700);
    EXPECT_NE(status, QSettings::NoError);
    EXPECT_EQ(savedSettings(state), savedSettings(changed("Pause=80 Colour0=5 Controls00=87")));
    EXPECT_EQ(fileContent(), content);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList("Fendral.ini"));
}
