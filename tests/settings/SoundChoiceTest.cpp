// Sound on or off and its volume in the settings file: what the game makes of what a file holds,
// and the choice written and read back
#include "Settings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace fendral;

TEST(SoundChoice, MissingOrBadValuesMeanOnAt70PerCent)
{
    const char* const missing = nullptr;
    const std::tuple<const char*, const char*, bool, int> rows[]
        = { { missing, missing, true, 7 }, { "0", "30", false, 3 }, { "1", "100", true, 10 },
              { "0", "0", false, 0 }, { "no", "75", true, 7 }, { "", "-10", true, 7 },
              { "0", "110", false, 7 }, { "1", "5O", true, 7 }, { "0", "0x10", false, 7 } };
    const QTemporaryDir folder;
    QSettings file(folder.filePath(QStringLiteral("Fendral.ini")), QSettings::IniFormat);
    for (size_t row = 0; row < std::size(rows); ++row) {
        const auto& [on, volume, expectedOn, expectedStep] = rows[row];
        SCOPED_TRACE(row);
        file.clear();
        for (const auto& [key, value] :
            { std::pair { "Fendral/Sound", on }, { "Fendral/SoundVolume", volume } })
            if (value)
                file.setValue(QString::fromLatin1(key), QString::fromLatin1(value));
        const auto read = [&file] {
            const SoundChoice choice = loadSoundChoice(file);
            return std::pair(choice.on, choice.volumeStep);
        };
        EXPECT_EQ(read(), std::pair(expectedOn, expectedStep));
        saveSoundChoice(loadSoundChoice(file), file); // written and read back unchanged
        EXPECT_EQ(read(), std::pair(expectedOn, expectedStep));
    }
}
