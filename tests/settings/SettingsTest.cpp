// The settings file: what is read of it, and what a save keeps of other programs
#include "Settings.h"
#include "FuzzedSettingsFiles.h"
#include "ValidSettings.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

using namespace fendral;

// The state of a first start with changes written as in the file ("Pause=80 Gamepad0=0 Team0=-1")
static GameState changed(const QString& changes)
{
    GameState state;
    state.teamAssignment[0][0] = 1;
    for (const QString& change : changes.split(' ', Qt::SkipEmptyParts)) {
        const int p = change[change.indexOf('=') - 1].digitValue();
        if (change[0] == 'T') {
            for (int t = 0; t < TeamCount; ++t)
                state.teamAssignment[t][p] = t == change.section('=', 1).toInt();
            continue;
        }
        int& value = change[0] == 'P' ? state.pauseKey
            : change[2] == 'n'        ? state.controlKeys[change[8].digitValue()][p]
            : change[2] == 'l'        ? state.colourChoice[p]
            : change[1] == 'o'        ? state.computer[p]
                                      : state.padSlot[p];
        value = change.section('=', 1).toInt() - (change[0] == 'G'); // the file counts pads from 1
    }
    return state;
}

class Settings : public ::testing::Test {
protected:
    // A new name each time, as QSettings knows a file again by its name, size and time
    void writeFile(const QByteArray& content)
    {
        QFile::remove(m_path);
        QFile file(m_path = m_dir.filePath(QString::number(++m_writes)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    // A save uses the object of the load, as the window keeps it
    GameState load(bool save = false) const
    {
        GameState state;
        QSettings iniFile(m_path, QSettings::IniFormat);
        loadSettings(state, iniFile);
        EXPECT_TRUE(passesValidation(state) && allowsTeams(state));
        if (save)
            saveSettings(state, iniFile);
        return state;
    }
    // Every value outside the section "Fendral", serialised so that values of any type compare
    std::map<QString, QByteArray> foreignValues() const
    {
        const QSettings file(m_path, QSettings::IniFormat);
        std::map<QString, QByteArray> values;
        for (const QString& key : file.allKeys().filter(QRegularExpression("^(?!Fendral/)"))) {
            QDataStream out(&values[key], QIODevice::WriteOnly);
            out << file.value(key);
        }
        return values;
    }
    // In memory, as every save syncs to the disk
    QTemporaryDir m_dir { (QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath())
        + "/fs-XXXXXX" };
    QString m_path;
    qint64 m_writes = 0;
};

TEST_F(Settings, ABadValueResetsItsWholeGroupAndOnlyDecimalsWithin32BitsAreRead)
{
    // Lines, then what is read: a bad key or colour resets its group, a taken pad goes to nobody
    const std::pair<QByteArray, QString> cases[] = { { "Pause=65", "" }, { "Controls02=38", "" },
        { "Pause=13\nColour0=3\nColour3=0", "Colour0=3 Colour3=0" }, { "Colour0=2\nColour2=2", "" },
        { "Pause=80\nControls10=32\nControls00=87", "" }, { "Gamepad0=2", "Gamepad0=2 Gamepad1=0" },
        { "Pause=80\nControls00=87\nControls20=38", "Pause=80 Controls00=87 Controls20=38" },
        { "Colour3=6\nControls20=38", "Controls20=38" }, { "Controls00=087", "Controls00=87" },
        { "Colour0=2147483647\nColour1=4\nColour2=5", "" },
        { "Colour0=-2147483649\nColour1=4\nColour2=5", "Colour1=4 Colour2=5" },
        { "Gamepad0=3\nGamepad1=3\nGamepad3=3", "Gamepad0=3 Gamepad1=0 Gamepad2=0 Gamepad3=0" },
        { "Gamepad0=5\nGamepad1=-1\nGamepad2=1,2", "Gamepad0=0 Gamepad1=0 Gamepad2=0" },
        { "Pause=0\nColour0=9\nGamepad3=2", "Gamepad3=0" }, { "Controls00=87.0", "" },
        // Only plain decimals within 32 bits: 87 + 2^32 is what toInt would take for 87
        { "Controls00=\" 87\"", "" }, { "Controls00=4294967383", "" }, { "Controls00=+87", "" },
        { "Controls00=0x57", "" }, { "Controls00=\xef\xbc\x98\xef\xbc\x97", "" },
        { "Controls00=87,", "" }, { "Controls00=@Variant(\\0\\0\\0\\x2\\0\\0\\0W)", "" },
        // Teams as the dialog was left; Gamma and Delta share D unless Gamma's left key changes
        { "Team0=-1\nTeam1=3\nTeam2=1\nTeam3=-1", "Team0=-1 Team1=3 Team2=1" },
        { "Team0=-1\nTeam1=-1\nTeam2=-1\nTeam3=-1", "Team0=-1" },
        { "Team0=-1\nTeam1=-1\nTeam2=0\nTeam3=0", "" }, { "Team0=0\nTeam1=1\nTeam2=2", "" },
        { "Controls22=37\nTeam0=-1\nTeam1=-1\nTeam2=0\nTeam3=0",
            "Controls22=37 Team0=-1 Team2=0 Team3=0" },
        { "Computer3=1\nTeam0=-1\nTeam1=-1\nTeam2=0\nTeam3=0",
            "Computer3=1 Team0=-1 Team2=0 Team3=0" },
        { "Computer2=1\nTeam0=-1\nTeam1=-1\nTeam2=0\nTeam3=0",
            "Computer2=1 Team0=-1 Team2=0 Team3=0" },
        { "Computer1=4", "" }, { "Team0=1\nTeam1=4\nTeam2=-1\nTeam3=-1", "" },
        { "Team0=-1\nTeam1=2\nTeam2=-1\nTeam3=-01", "Team0=-1 Team1=2" },
        { "Team0=-1\nTeam1=2\nTeam2=-1\nTeam3=-1.0", "" } };
    for (const auto& [lines, expected] : cases) {
        writeFile("[Fendral]\n" + lines + '\n');
        EXPECT_EQ(savedSettings(load()), savedSettings(changed(expected))) << lines.toStdString();
    }
}

TEST_F(Settings, FuzzedFilesLoadOnlyValidValuesAndASaveKeepsTheOtherSections)
{
    // QSettings warns about every piece of garbage it meets
    const auto old = qInstallMessageHandler([](QtMsgType, auto&, auto&) {});
    const auto restore = qScopeGuard([old] { qInstallMessageHandler(old); });
    FuzzedSettingsFiles files(31'337);
    int ownKeys = 0; // files of keys of their own, as the files are not all garbage
    for (int i = 0; i < 10'000; ++i) {
        const QByteArray content = files.next();
        SCOPED_TRACE(content.toPercentEncoding("[]=").toStdString());
        writeFile(content);
        const auto foreign = foreignValues();
        const GameState state = load(true);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(foreignValues(), foreign);
        ASSERT_EQ(savedSettings(load()), savedSettings(state));
        ownKeys += state.controlKeys != defaultControlKeys;
    }
    EXPECT_GT(ownKeys, 1'000);
}
