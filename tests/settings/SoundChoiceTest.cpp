// Sound on or off and its volume in the settings file: what a file holds, what the game makes of
// it, and a choice written and read back
#include "Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

TEST(SoundChoice, MissingOrBadValuesMeanOnAt70PerCent)
{
    struct Row {
        const char* on; // nullptr: the key is missing
        const char* volume;
        bool expectedOn;
        int expectedStep;
    };
    const Row rows[]
        = { { nullptr, nullptr, true, 7 }, { "0", "30", false, 3 }, { "1", "100", true, 10 },
              { "0", "0", false, 0 }, { "no", "75", true, 7 }, { "", "-10", true, 7 },
              { "0", "110", false, 7 }, { "1", "5O", true, 7 }, { "0", "0x10", false, 7 } };
    const QTemporaryDir folder;
    for (const Row& row : rows) {
        QSettings file(folder.filePath(QStringLiteral("Fendral.ini")), QSettings::IniFormat);
        file.clear();
        if (row.on)
            file.setValue(QStringLiteral("Fendral/Sound"), QString::fromLatin1(row.on));
        if (row.volume)
            file.setValue(QStringLiteral("Fendral/SoundVolume"), QString::fromLatin1(row.volume));
        const SoundChoice choice = loadSoundChoice(file);
        EXPECT_EQ(choice.on, row.expectedOn) << row.on << " " << row.volume;
        EXPECT_EQ(choice.volumeStep, row.expectedStep) << row.on << " " << row.volume;
        saveSoundChoice(choice, file);
        const SoundChoice again = loadSoundChoice(file);
        EXPECT_EQ(again.on, choice.on);
        EXPECT_EQ(again.volumeStep, choice.volumeStep);
    }
}
