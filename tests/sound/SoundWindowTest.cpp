// The window's sound through SDL's disk driver, which writes the mixed output to a file: a game
// with a capture and a death is heard, unclipped, and after F8 nothing more is mixed.
#include "MainWindow.h"
#include "Players.h"
#include "Sound.h"
#include "SoundMark.h"
#include "StatusPanel.h"
#include "Tick.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace fendral;

namespace {

void steps(Game& game, int direction, int count)
{
    requestDirection(game.state.players[0], direction);
    for (int i = 0; i < count; ++i)
        logicStep(game);
}

} // namespace

TEST(SoundWindow, ACaptureAndADeathAreHeardAndF8SilencesThem)
{
    const QTemporaryDir folder;
    const QString mixed = folder.filePath(QStringLiteral("mixed.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(mixed));
    MainWindow window(folder.filePath(QStringLiteral("Fendral.ini")));
    window.setSetupRunner([](GameState& state) {
        state.teamAssignment = {};
        state.teamAssignment[0][0] = 1; // Alpha alone
        state.rng.seed(1);
        return true;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sound().hasDevice(); }, 10000));
    QTest::keyClick(&window, Qt::Key_Return);
    GameState& state = window.state();
    state.paused = 1; // the test steps the game itself
    const double groundBefore = state.fieldShare;
    // Up out of the ground ring, across and down again: the trail closes around a small region
    steps(window.game(), Up, state.borderWidth + 3);
    steps(window.game(), Right, 3);
    steps(window.game(), Down, 4);
    ASSERT_GT(state.fieldShare, groundBefore + 9.0 / state.W / state.H);
    state.players[0].killed = 1;
    logicStep(window.game());
    ASSERT_EQ(state.players[0].deaths, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.sound().mixer().activeVoices() == 0; }, 10000));

    QTest::keyClick(&window, Qt::Key_F8); // the device closes and the file is complete
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.sound().hasDevice(); }, 10000));
    QFile file(mixed);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto* samples = reinterpret_cast<const int16_t*>(bytes.constData());
    const auto count = bytes.size() / static_cast<qsizetype>(sizeof(int16_t));
    const auto loud
        = std::count_if(samples, samples + count, [](int16_t s) { return std::abs(s) > 1000; });
    EXPECT_GT(loud, 44100 / 10); // a tenth of a second of effects at least
    EXPECT_EQ(
        std::count_if(samples, samples + count, [](int16_t s) { return std::abs(s) >= 32767; }), 0);

    // Sound off: a purchase and a pause start nothing, and nothing more is written
    QTest::keyClick(&window, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(state.cheatCount, 1);
    EXPECT_EQ(window.sound().mixer().activeVoices(), 0);
    EXPECT_EQ(QFile(mixed).size(), bytes.size());
}

TEST(SoundWindow, KeysAndTheMarkSetTheSoundKeptInTheFile)
{
    const QTemporaryDir folder;
    qputenv("SDL_AUDIODRIVER", "dummy");
    const QString settings = folder.filePath(QStringLiteral("Fendral.ini"));
    {
        MainWindow window(settings);
        window.show();
        const SoundMark* mark = window.statusPanel()->soundMark();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&window, Qt::Key_F9);
        EXPECT_EQ(window.sound().volumeStep(), Mixer::VolumeSteps);
        for (int i = 0; i < 8; ++i)
            QTest::keyClick(&window, Qt::Key_F7);
        EXPECT_EQ(mark->volumeStep(), 2);
        QTest::mouseClick(window.statusPanel()->soundMark(), Qt::LeftButton);
        EXPECT_FALSE(window.sound().isEnabled());
        EXPECT_FALSE(mark->isOn());
        window.close();
    }
    MainWindow again(settings);
    again.show();
    EXPECT_FALSE(again.soundChoice().on);
    EXPECT_EQ(again.soundChoice().volumeStep, 2);
    QTest::keyClick(&again, Qt::Key_F8);
    EXPECT_TRUE(again.sound().isEnabled());
}
