// The settings file: validation of what is read, and what a save leaves on disk
#include "Settings.h"
#include "GameState.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QMap>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace fendral;

namespace {

class Settings : public ::testing::Test {
protected:
    QString iniPath() const { return m_dir.filePath("Fendral.ini"); }

    void writeFile(const QByteArray& content) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    GameState load(const QString& path) const
    {
        GameState state;
        // Start away from the defaults so that a value left unread would show
        state.pauseKey = 80;
        state.controlKeys[0] = { 1, 2, 3, 4 };
        state.colourChoice = { 5, 4, 3, 2 };
        QSettings iniFile(path, QSettings::IniFormat);
        LoadSettings(state, iniFile);
        return state;
    }
    GameState load() const { return load(iniPath()); }

    // The key/value lines of one section, read as plain text
    QMap<QString, QString> section(const QString& name) const
    {
        QFile file(iniPath());
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return {};
        QMap<QString, QString> values;
        bool inside = false;
        QTextStream lines(&file);
        while (!lines.atEnd()) {
            const QString line = lines.readLine().trimmed();
            if (line.startsWith('[')) {
                inside = line == '[' + name + ']';
            } else if (inside && line.contains('=')) {
                values.insert(line.section('=', 0, 0), line.section('=', 1));
            }
        }
        return values;
    }

    static void expectDefaultKeys(const GameState& state)
    {
        EXPECT_EQ(state.pauseKey, 32);
        EXPECT_EQ(state.controlKeys, defaultControlKeys);
    }

    static void expectDefaultColours(const GameState& state)
    {
        EXPECT_EQ(state.colourChoice, (std::array<int, 4> { 0, 1, 2, 3 }));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Settings, MissingFileGivesTheDefaults)
{
    const GameState state = load();
    expectDefaultKeys(state);
    expectDefaultColours(state);
}

TEST_F(Settings, DefaultsAreWrittenAsTheTwentyOneKeys)
{
    {
        const GameState state;
        QSettings iniFile(iniPath(), QSettings::IniFormat);
        SaveSettings(state, iniFile);
        EXPECT_EQ(iniFile.status(), QSettings::NoError);
    }
    const QMap<QString, QString> expected { { "Pause", "32" }, { "Controls00", "38" },
        { "Controls01", "40" }, { "Controls02", "37" }, { "Controls03", "39" },
        { "Controls10", "104" }, { "Controls11", "101" }, { "Controls12", "100" },
        { "Controls13", "102" }, { "Controls20", "82" }, { "Controls21", "70" },
        { "Controls22", "68" }, { "Controls23", "71" }, { "Controls30", "87" },
        { "Controls31", "83" }, { "Controls32", "65" }, { "Controls33", "68" }, { "Colour0", "0" },
        { "Colour1", "1" }, { "Colour2", "2" }, { "Colour3", "3" } };
    EXPECT_EQ(section("Fendral"), expected);
}

TEST_F(Settings, ChangedSettingsComeBackAfterASave)
{
    GameState saved;
    saved.pauseKey = 'P';
    saved.controlKeys[0] = { 'I', 'K', 'J', 'L' };
    saved.controlKeys[3] = { 219, 186, 190, 191 };
    saved.colourChoice = { 5, 0, 3, 1 };
    {
        QSettings iniFile(iniPath(), QSettings::IniFormat);
        SaveSettings(saved, iniFile);
    }
    const GameState loaded = load();
    EXPECT_EQ(loaded.pauseKey, saved.pauseKey);
    EXPECT_EQ(loaded.controlKeys, saved.controlKeys);
    EXPECT_EQ(loaded.colourChoice, saved.colourChoice);
}

TEST_F(Settings, AnyInvalidKeyResetsTheWholeKeyGroup)
{
    const char* invalid[] = {
        "Pause=0\nControls00=87\n", // no name: the control keys are not even read
        "Pause=13\n", // Enter has no name
        "Pause=65\n", // A is Delta's Left key
        "Controls10=32\n", // Space never steers
        "Controls02=38\n", // Alpha's Left repeats Alpha's Up
        "Controls00=87\nControls13=112\n", // F1 has no name, so the good W is dropped too
    };
    for (const char* keys : invalid) {
        writeFile(QByteArray("[Fendral]\nColour0=4\n") + keys);
        const GameState state = load();
        SCOPED_TRACE(keys);
        expectDefaultKeys(state);
        EXPECT_EQ(state.colourChoice[0], 4); // colours are judged on their own
    }
}

TEST_F(Settings, KeysSharedAcrossPlayersAndAValidPauseKeyAreKept)
{
    writeFile("[Fendral]\nPause=80\nControls20=38\nControls31=188\n");
    const GameState state = load();
    EXPECT_EQ(state.pauseKey, 80);
    EXPECT_EQ(state.controlKeys[2][0], 38);
    EXPECT_EQ(state.controlKeys[3][1], 188);
    EXPECT_EQ(state.controlKeys[0], defaultControlKeys[0]);
}

TEST_F(Settings, AMissingOrNonNumericValueTakesItsOwnDefault)
{
    writeFile("[Fendral]\nControls00=up\nControls11=66\nControls12=12x\nColour1=\nColour0=3\n"
              "Colour3=0\n");
    const GameState state = load();
    EXPECT_EQ(state.pauseKey, 32);
    EXPECT_EQ(state.controlKeys[0][0], 38);
    EXPECT_EQ(state.controlKeys[1][1], 66);
    EXPECT_EQ(state.controlKeys[1][2], 100);
    EXPECT_EQ(state.colourChoice, (std::array<int, 4> { 3, 1, 2, 0 }));
}

TEST_F(Settings, AnyInvalidColourResetsAllColours)
{
    const char* invalid[]
        = { "Colour3=6\n", "Colour3=-1\n", "Colour0=2\nColour2=2\n", "Colour1=3\n" };
    for (const char* colours : invalid) {
        writeFile(QByteArray("[Fendral]\nControls20=38\n") + colours);
        const GameState state = load();
        SCOPED_TRACE(colours);
        expectDefaultColours(state);
        EXPECT_EQ(state.controlKeys[2][0], 38); // the keys are unaffected
    }
}

TEST_F(Settings, AResetIsWrittenBackByTheNextSave)
{
    writeFile("[Fendral]\nPause=0\nColour2=9\n");
    GameState state;
    QSettings iniFile(iniPath(), QSettings::IniFormat);
    LoadSettings(state, iniFile);
    SaveSettings(state, iniFile);
    EXPECT_EQ(section("Fendral").value("Pause"), "32");
    EXPECT_EQ(section("Fendral").value("Colour2"), "2");
}

TEST_F(Settings, OtherSectionsSurviveASave)
{
    writeFile("[Other]\nname=kept\n\n[Fendral]\nPause=80\n");
    GameState state;
    state.colourChoice = { 1, 2, 3, 4 };
    {
        QSettings iniFile(iniPath(), QSettings::IniFormat);
        SaveSettings(state, iniFile);
    }
    EXPECT_EQ(section("Other").value("name"), "kept");
    EXPECT_EQ(section("Fendral").value("Pause"), "32");
    EXPECT_EQ(section("Fendral").value("Colour3"), "4");
}

TEST_F(Settings, GarbageBinaryAndHugeFilesGiveDefaultsAndCanBeOverwritten)
{
    QByteArray binary(64 * 1024, '\0');
    QRandomGenerator junk(7);
    for (char& byte : binary)
        byte = static_cast<char>(junk.bounded(256));
    QByteArray huge;
    for (int line = 0; huge.size() < 16 * 1024 * 1024; ++line)
        huge
            += "[Section" + QByteArray::number(line % 97) + "]\nkey=" + QByteArray(100, 'x') + '\n';

    const QByteArray files[]
        = { "this is not = an [ini file\n===\n[Fendral\nPause=\n", binary, huge };
    for (const QByteArray& content : files) {
        writeFile(content);
        GameState state;
        QSettings iniFile(iniPath(), QSettings::IniFormat);
        LoadSettings(state, iniFile);
        expectDefaultKeys(state);
        expectDefaultColours(state);

        state.pauseKey = 'Q';
        SaveSettings(state, iniFile);
        EXPECT_EQ(load().pauseKey, 'Q') << content.left(40).toStdString();
    }
}

TEST_F(Settings, AFolderThatCannotBeWrittenKeepsTheValuesInMemory)
{
    // As root chmod does not stop writes, so the unwritable place is a folder that is a file
    QFile notAFolder(m_dir.filePath("plain"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    QStringList unwritable { m_dir.filePath("plain/Fendral.ini") };

    const QString readOnlyFolder = m_dir.filePath("readonly");
    QDir().mkdir(readOnlyFolder);
    QFile::setPermissions(readOnlyFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFile(readOnlyFolder + "/probe").open(QIODevice::WriteOnly))
        unwritable << readOnlyFolder + "/Fendral.ini";

    for (const QString& path : unwritable) {
        SCOPED_TRACE(path.toStdString());
        GameState state;
        QSettings iniFile(path, QSettings::IniFormat);
        LoadSettings(state, iniFile);
        state.pauseKey = 'P';
        SaveSettings(state, iniFile);
        EXPECT_NE(iniFile.status(), QSettings::NoError);
        EXPECT_FALSE(QFile::exists(path));
        // The values stay with the settings object, and a second try fails as quietly
        EXPECT_EQ(iniFile.value("Fendral/Pause").toInt(), 'P');
        SaveSettings(state, iniFile);
        EXPECT_EQ(iniFile.value("Fendral/Pause").toInt(), 'P');
    }
    QFile::setPermissions(
        readOnlyFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
