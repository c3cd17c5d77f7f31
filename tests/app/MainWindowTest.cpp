// The main window: its size and playfield, its layouts and readouts, painting, and its services:
// the timer, the clock, the error box and the settings file
#include "DisplayView.h"
#include "FendralApplication.h"
#include "FieldRenderer.h"
#include "Level.h"
#include "QtColour.h"
#include "QtPlatform.h"
#include "SoundMark.h"
#include "StatusPanel.h"
#include "WindowFixture.h"

#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QScopeGuard>

#include <stdexcept>

using namespace fendral;

// Records the region of every paint the window gets
struct PaintRecorder : QObject {
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

// What a game shows in the window. A fixed client area with the field at its origin (which widgets
// show in the menu and in a game the commands table checks in every state). Canvas changes reach
// the screen with the ticks and without them, and a repaint the system asks for redraws the field
// and the sprites. The level box: level and enemy counts, the field share and the share needed,
// the purchases; with the platform's sans-serif the enemy counts of the later levels would run
// into the share.
TEST_F(Window, AGameShowsInAFixedClientAreaItsCanvasChangesAndItsLevelBox)
{
    mainWindow.resize(1280, 800);
    mainWindow.showMaximized();
    EXPECT_EQ(mainWindow.size(), QSize(1024, 721));
    EXPECT_EQ(mainWindow.versionLabel()->text(), "ver. 1.2");
    startGame();
    const FieldRenderer& field = mainWindow.renderer();
    EXPECT_EQ(QRect(field.originX(), field.originY(), state().W, state().H), QRect(0, 0, 128, 81));
    QTest::keyClick(&mainWindow, Qt::Key_Space); // paused: the ticks go on, nothing moves
    // The new level handed over and painted whole; from then on only what changes is painted
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mainWindow.hasCanvasChangesWaiting(); }, 5000));
    mainWindow.repaint();
    PaintRecorder recorder;
    mainWindow.installEventFilter(&recorder);
    const auto cell = [](int x, int y) {
        return QRect((x - 1) * CellSize, (y - 1) * CellSize, CellSize, CellSize);
    };
    const auto onScreen = [&](int x, int y) {
        const bool shown = QTest::qWaitFor(
            [&] { return (QRegion(cell(x, y)) - recorder.painted).isEmpty(); }, 5000);
        return shown && !recorder.painted.intersects(cell(100, 60));
    };
    // While the timer runs, a tick hands the change over at its frame; a stale identifier
    // leaves the timer alone
    mainWindow.platform().killTimer(state().timerId + 1);
    ASSERT_TRUE(mainWindow.platform().isTimerRunning());
    mainWindow.view().paintCell(20, 20, 0x0000FF);
    EXPECT_TRUE(onScreen(20, 20));
    // A change still waiting when the timer stops, and one made while it is stopped
    mainWindow.view().paintCell(30, 30, 0x0000FF);
    mainWindow.platform().killTimer(state().timerId);
    ASSERT_FALSE(mainWindow.platform().isTimerRunning());
    EXPECT_TRUE(onScreen(30, 30));
    mainWindow.view().paintCell(40, 40, 0x0000FF);
    EXPECT_TRUE(onScreen(40, 40));
    // Painted over, on the field and on Alpha: a repaint the system asks for shows both anew
    const Player& alpha = state().players[0];
    mainWindow.view().paintCell(1, 1, 0x0000FF);
    mainWindow.view().paintCell(alpha.x, alpha.y, 0x0000FF);
    QCoreApplication::processEvents(); // the window's own changes reach the screen as they are
    mainWindow.repaint();
    EXPECT_EQ(mainWindow.canvas().pixel(3, 3), qtRgb(state().palette().groundColour));
    // Inside Alpha's square, off both diagonals
    EXPECT_EQ(mainWindow.canvas().pixel(alpha.drawnX + 2, alpha.drawnY + 1), qtRgb(alpha.colour));
    // The game's clock counts days since the epoch
    EXPECT_NEAR(
        mainWindow.platform().now(), QDateTime::currentMSecsSinceEpoch() / 86'400'000.0, 1.0 / 24);
    const StatusPanel* panel = mainWindow.statusPanel();
    const auto readouts = [panel] {
        return QStringList { panel->levelLabel()->text(), panel->enemiesLabel()->text(),
            panel->fieldShareLabel()->text(), panel->neededCaption()->text(),
            panel->neededShareLabel()->text(), panel->purchasePanel()->caption() };
    };
    state().rng.script({ 1, 1, 399 }); // border 2, then the share's draw
    setUpLevel(mainWindow.game(), 50);
    EXPECT_EQ(
        readouts(), QStringList({ "Level 50", "(52; 25)", "7.91%", "Needed:", "31.90%", "0" }));
    mainWindow.purchaseClicked();
    mainWindow.purchaseClicked();
    EXPECT_EQ(readouts().last(), "-2");
    // The box 3 pixels from the panel's right edge; the sound mark beside the purchases
    EXPECT_EQ(panel->levelBox()->geometry().right(), panel->width() - 4);
    EXPECT_FALSE(panel->soundMark()->geometry().intersects(panel->purchasePanel()->geometry()));
    for (int level = 1; level <= LastLevel; ++level) {
        for (const double fieldShare : { 0.0, 0.1175, 0.9999 }) {
            setUpLevel(mainWindow.game(), level);
            state().fieldShare = fieldShare;
            mainWindow.view().updateScores();
            EXPECT_LT(panel->enemiesLabel()->geometry().right(), panel->fieldShareLabel()->x())
                << level << " " << fieldShare;
        }
    }
    EXPECT_EQ(panel->fieldShareLabel()->text(), "99.99%");
}

// An object whose every event fails, as a handler with a fault would
struct FailingObject : QObject {
    bool event(QEvent*) override { throw std::runtime_error("Boom"); }
};

TEST_F(Window, AnErrorPausesTheGameBeforeItsBoxAndAnotherErrorMeanwhileOpensNoSecondBox)
{
    auto& application = dynamic_cast<FendralApplication&>(*QCoreApplication::instance());
    // Given back however the test ends, so a failure here leaves the other tests their shower
    const auto restoreShower
        = qScopeGuard([&application, previous = application.exceptionShower()] {
              application.setExceptionShower(previous);
          });
    FailingObject failing;
    QEvent event(QEvent::User);
    QStringList shown; // the message, and what the window showed under the box
    application.setExceptionShower([&](const QString& text) {
        shown << text + " " + message();
        if (shown.size() == 1) // the box's own event loop delivers the same fault meanwhile
            QCoreApplication::sendEvent(&failing, &event);
    });
    const int unshown = application.unshownExceptionCount();
    startGame();
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(application.unshownExceptionCount(), unshown + 1);
    // Once the box is closed the next error has a box of its own; the menu is left as it is
    answer = true;
    mainWindow.menuButton()->click();
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_TRUE(deliverShowingExceptions([] { return true; }, application.exceptionShower()));
    EXPECT_FALSE(
        deliverShowingExceptions([]() -> bool { throw 42; }, application.exceptionShower()));
    EXPECT_EQ(shown, QStringList({ "Boom Pause", "Boom ", " " }));
}

namespace {
QStringList warnings; // on the terminal
}

// A failure to write the settings as a game starts or the window closes shows in a box, except on
// a close by a signal, and always on the terminal (when they are written the commands table checks)
TEST(SettingsSaves, AFailureToWriteThemIsToldInABoxExceptOnACloseByASignal)
{
    QTemporaryDir folder;
    QFile(folder.filePath("file")).open(QIODevice::WriteOnly); // a file where a folder should be
    const QString path = folder.filePath("file/Fendral.ini");
    const QString told
        = "The settings could not be written to " + path + ": its folder cannot be created.";
    const auto previousHandler = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warnings << message; });
    for (const std::string ending : { "start", "close", "signal" }) {
        warnings.clear();
        QStringList notices;
        {
            MainWindow window(path);
            window.show();
            window.setNotice([&](const QString& message) { notices << message; });
            window.setSetupRunner([](GameState&) { return true; });
            if (ending == "start")
                window.startGameClicked();
            else if (ending == "close")
                window.close();
            else
                window.closeWithoutAsking();
        }
        EXPECT_EQ(warnings.filter(told).size(), 1) << ending;
        EXPECT_EQ(notices, ending != "signal" ? QStringList { told } : QStringList()) << ending;
    }
    qInstallMessageHandler(previousHandler);
}
