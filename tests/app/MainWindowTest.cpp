// The main window: its size and playfield, its layouts, closing, painting, and its services
#include "DisplayView.h"
#include "FendralApplication.h"
#include "FieldRenderer.h"
#include "Level.h"
#include "PlayerScoreFrame.h"
#include "QtColour.h"
#include "QtPlatform.h"
#include "StatusPanel.h"
#include "TeamScoreFrame.h"
#include "WindowFixture.h"

#include <QDateTime>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>

#include <stdexcept>

using namespace fendral;

TEST_F(Window, ClientAreaIsFixedAndHoldsA128By81FieldAtTheOrigin)
{
    mainWindow.resize(1280, 800);
    mainWindow.showMaximized();
    EXPECT_EQ(mainWindow.size(), QSize(1024, 721));
    EXPECT_EQ(QRect(mainWindow.renderer().originX(), mainWindow.renderer().originY(), state().W,
                  state().H),
        QRect(0, 0, 128, 81));
}

TEST_F(Window, MenuAndGameShowTheirOwnWidgetsAndEveryGameBuildsFreshFrames)
{
    // Menu, version, credit, message panel and the status panel's right part
    const auto visible = [this] {
        return QList<bool> { mainWindow.menuPanel()->isVisible(),
            mainWindow.versionLabel()->isVisible(), mainWindow.creditLabel()->isVisible(),
            mainWindow.messagePanel()->isVisible(),
            mainWindow.statusPanel()->levelBox()->isVisible() };
    };
    const auto frames = [this] {
        return mainWindow.statusPanel()->findChildren<PlayerScoreFrame*>().size()
            + mainWindow.statusPanel()->findChildren<TeamScoreFrame*>().size();
    };
    EXPECT_EQ(visible(), QList<bool>({ true, true, true, false, false }));

    teams[0][2] = teams[2][3] = 1; // with Gamma in W and Delta in Y: three teams, four players
    startGame();
    EXPECT_EQ(visible(), QList<bool>({ false, false, false, false, true }));
    EXPECT_EQ(frames(), 7);

    answer = true;
    mainWindow.menuButton()->click();
    EXPECT_EQ(frames(), 0);
    teams = { { {}, {}, {}, { 0, 0, 1, 0 } } }; // Gamma alone in Z
    startGame();
    EXPECT_EQ(frames(), 2);
    EXPECT_TRUE(mainWindow.view().hasPlayerFrame(2));
}

TEST_F(Window, ASystemRepaintInAGameRedrawsTheFieldAndTheSprites)
{
    startGame();
    QTest::keyClick(&mainWindow, Qt::Key_Space); // paused, so nothing moves
    const Player& alpha = state().players[0];
    mainWindow.view().paintCell(1, 1, 0x0000FF);
    mainWindow.view().paintCell(alpha.x, alpha.y, 0x0000FF);
    QCoreApplication::processEvents(); // the window's own changes reach the screen as they are
    mainWindow.repaint();
    EXPECT_EQ(mainWindow.canvas().pixel(3, 3), qtRgb(state().palette().groundColour));
    // Inside Alpha's square, off both diagonals
    EXPECT_EQ(mainWindow.canvas().pixel(alpha.drawnX + 2, alpha.drawnY + 1), qtRgb(alpha.colour));
}

// With the platform's sans-serif the enemy counts of the later levels would run into the share
TEST_F(Window, EnemyCountsEndBeforeTheFieldShareAndKeepTheirOwnWidthWhereTheyFit)
{
    startGame();
    const AnchoredLabel* enemies = mainWindow.statusPanel()->enemiesLabel();
    const AnchoredLabel* share = mainWindow.statusPanel()->fieldShareLabel();
    for (int level = 1; level <= LastLevel; ++level) {
        for (const double fieldShare : { 0.0, 0.1175, 0.9999 }) {
            setUpLevel(mainWindow.game(), level);
            state().fieldShare = fieldShare;
            mainWindow.view().updateScores();
            QFont own = enemies->font();
            own.setStretch(QFont::Unstretched);
            const bool fits = enemies->x() + QFontMetrics(own).horizontalAdvance(enemies->text())
                < share->x();
            EXPECT_LT(enemies->geometry().right(), share->x()) << level << " " << fieldShare;
            if (fits && fieldShare == 0) {
                EXPECT_EQ(enemies->font().stretch(), QFont::Unstretched) << level;
            }
        }
    }
}

// Records the region of every paint the window gets
class PaintRecorder : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
    QRegion painted;
};

TEST_F(Window, CanvasChangesReachTheScreenWithTheTicksAndWithoutThem)
{
    startGame();
    PaintRecorder recorder;
    mainWindow.installEventFilter(&recorder);
    const auto painted = [&](const QRect& rect) {
        return QTest::qWaitFor([&] { return recorder.painted.contains(rect); }, 5000);
    };
    const auto cellOnScreen = [&](int x, int y) {
        return painted(QRect((x - 1) * CellSize, (y - 1) * CellSize, CellSize, CellSize));
    };
    // The new level shows whole first; from then on only what changes is painted
    ASSERT_TRUE(painted(QRect(0, 0, 128 * CellSize, 81 * CellSize)));
    recorder.painted = QRegion();
    // While the timer runs, a tick hands the change over at its frame
    ASSERT_TRUE(mainWindow.platform().isTimerRunning());
    mainWindow.view().paintCell(20, 20, 0x0000FF);
    EXPECT_TRUE(cellOnScreen(20, 20));
    // A change still waiting when the timer stops, and one made while it is stopped
    mainWindow.view().paintCell(30, 30, 0x0000FF);
    mainWindow.platform().killTimer(state().timerId);
    ASSERT_FALSE(mainWindow.platform().isTimerRunning());
    EXPECT_TRUE(cellOnScreen(30, 30));
    mainWindow.view().paintCell(40, 40, 0x0000FF);
    EXPECT_TRUE(cellOnScreen(40, 40));
}

TEST(QtPlatform, TicksUntilItsTimerIsKilledAndCountsDaysSinceTheEpoch)
{
    int ticks = 0;
    QtPlatform platform([&ticks] { ++ticks; });
    const int first = platform.setTimer(9);
    EXPECT_EQ(platform.interval(), 9);
    EXPECT_TRUE(QTest::qWaitFor([&ticks] { return ticks >= 2; }, 5000));
    platform.killTimer(first);
    EXPECT_FALSE(platform.isTimerRunning());
    EXPECT_NE(platform.setTimer(20), first);
    platform.killTimer(first); // a stale identifier leaves the running timer alone
    EXPECT_TRUE(platform.isTimerRunning());
    EXPECT_NEAR(platform.now(), QDateTime::currentMSecsSinceEpoch() / 86'400'000.0, 1.0 / 24);
}

TEST(ExceptionsFromTheEventLoop, AreShownAndTheEventCountsAsNotHandled)
{
    QStringList shown;
    const ExceptionShower show = [&shown](const QString& message) { shown << message; };
    EXPECT_TRUE(deliverShowingExceptions([] { return true; }, show));
    EXPECT_FALSE(
        deliverShowingExceptions([]() -> bool { throw std::runtime_error("Boom"); }, show));
    EXPECT_FALSE(deliverShowingExceptions([]() -> bool { throw 42; }, show));
    EXPECT_EQ(shown, QStringList({ "Boom", "" }));
}

namespace {

// An object whose every event fails, as a handler with a fault would
class FailingObject : public QObject {
public:
    bool event(QEvent*) override { throw std::runtime_error("Boom"); }
};

} // namespace

TEST_F(Window, AnErrorPausesTheGameBeforeItsBoxAndAnotherErrorMeanwhileOpensNoSecondBox)
{
    auto& application = dynamic_cast<FendralApplication&>(*QCoreApplication::instance());
    const auto restoreShower
        = qScopeGuard([&application, previous = application.exceptionShower()] {
              application.setExceptionShower(previous);
          });
    FailingObject failing;
    QEvent event(QEvent::User);
    QList<bool> pausedUnderTheBox;
    application.setExceptionShower([&](const QString&) {
        pausedUnderTheBox << pauseShown();
        // The box's own event loop delivers whatever comes meanwhile, the same fault too
        if (pausedUnderTheBox.size() == 1)
            QCoreApplication::sendEvent(&failing, &event);
    });
    const int unshown = application.unshownExceptionCount();

    startGame();
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(pausedUnderTheBox, QList<bool> { true });
    EXPECT_EQ(application.unshownExceptionCount(), unshown + 1);

    // Once the box is closed the next error has a box of its own; the menu is left as it is
    answer = true;
    mainWindow.menuButton()->click();
    QCoreApplication::sendEvent(&failing, &event);
    EXPECT_EQ(pausedUnderTheBox, QList<bool>({ true, false }));
    EXPECT_EQ(state().paused, 0);
    EXPECT_EQ(application.unshownExceptionCount(), unshown + 1);
}
