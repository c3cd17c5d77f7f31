// The window's sound through SDL's disk driver, which writes the mixed output to a file: a life
// bought is heard, unclipped, F8 silences a death at once and nothing more is mixed; then the
// keys and the mark set the sound, and the file keeps it.
#include "MainWindow.h"
#include "Sound.h"
#include "SoundMark.h"
#include "StatusPanel.h"
#include "Tick.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace fendral;

TEST(SoundWindow, APurchaseAndADeathAreHeardAndF8SilencesThem)
{
    const QTemporaryDir folder;
    const QString mixed = folder.filePath(QStringLiteral("mixed.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(mixed));
    const QString settings = folder.filePath(QStringLiteral("Fendral.ini"));
    {
        QSettings bad(settings, QSettings::IniFormat); // bad values: sound on at 70 %
        bad.setValue("Fendral/Sound", "off");
        bad.setValue("Fendral/SoundVolume", "35");
    }
    MainWindow window(settings);
    window.setSetupRunner([](GameState&) { return true; }); // Alpha alone
    window.show();
    EXPECT_EQ(window.sound().volumeStep(), 7);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sound().hasDevice(); }, 10000));
    QTest::keyClick(&window, Qt::Key_Return);
    GameState& state = window.state();
    state.paused = 1; // the test steps the game itself
    QTest::keyClick(&window, Qt::Key_Plus, Qt::KeypadModifier); // a life bought, heard whole
    ASSERT_GT(window.sound().mixer().activeVoices(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sound().mixer().activeVoices() == 0; }, 10000));
    state.players[0].killed = 1;
    logicStep(window.game());
    ASSERT_EQ(state.players[0].deaths, 1);
    ASSERT_GT(window.sound().mixer().activeVoices(), 0);

    QTest::keyClick(&window, Qt::Key_F8); // the death is cut short, the device closes
    EXPECT_EQ(window.sound().mixer().activeVoices(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.sound().hasDevice(); }, 10000));
    QFile file(mixed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    int loud = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const int sample = *reinterpret_cast<const int16_t*>(bytes.constData() + i);
        loud += std::abs(sample) > 1000;
        ASSERT_LT(std::abs(sample), 32767);
    }
    EXPECT_GT(loud, 44100 / 10); // a tenth of a second of effects at least
    // Sound off: a purchase and a pause start nothing, and nothing more is written
    QTest::keyClick(&window, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(state.cheatCount, 2);
    EXPECT_EQ(window.sound().mixer().activeVoices(), 0);
    EXPECT_EQ(QFile(mixed).size(), bytes.size());
    // F9 and F7 move the volume within its ten steps, the mark switches sound on, the file keeps it
    for (int i = 0; i < 13; ++i)
        QTest::keyClick(&window, i < 5 ? Qt::Key_F9 : Qt::Key_F7);
    QTest::mouseClick(window.statusPanel()->soundMark(), Qt::LeftButton);
    EXPECT_TRUE(window.sound().isEnabled());
    window.closeConfirmed();
    QSettings kept(settings, QSettings::IniFormat);
    EXPECT_EQ(kept.value("Fendral/SoundVolume"), "20");
    EXPECT_EQ(kept.value("Fendral/Sound"), "1");
    EXPECT_TRUE(window.statusPanel()->soundMark()->isOn());
}
