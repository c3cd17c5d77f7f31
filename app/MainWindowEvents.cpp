// The main window's life: first show, painting, keys, closing and tear-down
#include "MainWindow.h"

#include "DisplayView.h"
#include "FieldRenderer.h"
#include "ProgramVersion.h"
#include "QtPlatform.h"
#include "Settings.h"
#include "StatusPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace fendral {

namespace {
    const QString Version = QString::fromLatin1(ProgramVersion);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        setUpOnFirstShow();
    }
}

void MainWindow::setUpOnFirstShow()
{
    m_recorder.setProgramVersion(Version.toStdString());
    if (const QScreen* shownOn = screen(); shownOn && shownOn->refreshRate() >= 1)
        m_frameInterval = static_cast<int>(1000 / shownOn->refreshRate());
    // A maximised window would keep this size anyway: the window refuses every resize
    m_versionLabel->setText(QStringLiteral("ver. ") + Version);

    // The field is that of the described window at any scale
    m_state.W = DesignClientWidth / CellSize;
    m_state.H = (DesignClientHeight - StatusPanel::PanelHeight) / CellSize;

    m_applicationActive = QGuiApplication::applicationState() == Qt::ApplicationActive;
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
        &MainWindow::applicationStateChanged);
    m_view->destroyFrames();

    m_settingsFile = std::make_unique<QSettings>(m_settingsPath, QSettings::IniFormat);
    loadSettings(m_state, *m_settingsFile);
    m_fullScreen = loadFullScreen(*m_settingsFile);
    watchScreen();
    applyScreenMode();
    setSoundChoice(loadSoundChoice(*m_settingsFile));

    m_renderer->createBackBuffer();
    m_state.allocateGrids(m_state.W, m_state.H);
    m_state.stepMultiplier = 1;
    m_view->showLayout(true);
}

void MainWindow::canvasChanged(const QRect& rect)
{
    // A repaint redraws the canvas itself; what it changes is on screen with that paint
    if (m_painting)
        return;
    // While the game's timer runs, the ticks hand the changes over (runTick)
    if (m_damage.isEmpty() && !m_platform->isTimerRunning())
        scheduleCanvasFlush();
    m_damage.add(rect);
}

void MainWindow::gameTimerChanged(int intervalMs)
{
    pollPadsWithTimer(intervalMs);
    // Changes that were waiting for a tick that will not come go at the next frame
    if (intervalMs <= 0 && !m_damage.isEmpty())
        scheduleCanvasFlush();
}

void MainWindow::scheduleCanvasFlush()
{
    // Everything a command changes reaches Qt as one update at the next frame, once control
    // returns to the event loop
    const qint64 sinceFlush = m_sinceCanvasFlush.elapsed();
    m_canvasFlushTimer.start(static_cast<int>(std::max<qint64>(0, m_frameInterval - sinceFlush)));
}

void MainWindow::flushCanvasDamageIfFrameDue()
{
    // The screen shows a new picture once per refresh and a tick comes faster (every 9 ms), so a
    // tick hands its changes over only when the next one would be too late for the coming frame.
    // Every picture is still exactly the canvas after a tick, and no wake-up is spent on it. A
    // tick that stopped the timer left its changes to the frame timer (gameTimerChanged).
    if (!m_damage.isEmpty() && m_platform->isTimerRunning()
        && m_sinceCanvasFlush.elapsed() >= m_frameInterval - m_platform->interval() / 2)
        flushCanvasDamage();
}

void MainWindow::flushCanvasDamage()
{
    m_sinceCanvasFlush.restart();
    const QRegion region = m_damage.takeRegion();
    QRegion logical;
    for (const QRect& rect : region)
        logical += toLogical(rect);
    m_pendingRegion = m_pendingRegion.isEmpty() ? logical : m_pendingRegion + logical;
    update(logical);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    // A region that the canvas did not report changed is one the system asks for again
    const QRegion& asked = event->region();
    if (asked != m_pendingRegion && !(asked - m_pendingRegion).isEmpty()) {
        m_painting = true;
        paintField();
        m_painting = false;
    }
    m_pendingRegion = asked == m_pendingRegion ? QRegion() : m_pendingRegion - asked;
    QPainter painter(this);
    const double ratio = m_scale.devicePixelRatio();
    for (const QRect& rect : asked) {
        // The canvas holds device pixels: each is copied onto one pixel of the screen
        const QRect source = toDevice(rect) & m_canvas.rect();
        painter.drawImage(QRectF(source.x() / ratio, source.y() / ratio, source.width() / ratio,
                              source.height() / ratio),
            m_canvas, source);
    }
}

void MainWindow::paintField()
{
    if (m_state.menuMode)
        return;
    m_renderer->presentField();
    m_renderer->drawSprites(false);
}

void MainWindow::requestClose() { close(); }

void MainWindow::clearFocusedControl() { setFocus(); }

void MainWindow::closeProgramClicked()
{
    requestClose();
    clearFocusedControl();
}

void MainWindow::closeClicked() { closeProgramClicked(); }

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closingWithoutAsking && !confirmClose()) {
        event->ignore();
        return;
    }
    closeConfirmed();
    event->accept();
}

void MainWindow::closeConfirmed()
{
    keepLeftGame(EndReason::Close);
    // A game over left by closing the program still enters the best results
    observeGame();
    closeEndedGame(false);
    writeSettings(!m_closingWithoutAsking);
}

void MainWindow::closeWithoutAsking()
{
    m_closingWithoutAsking = true;
    // A close already under way (its question open) refuses a second one: the game is then kept
    // and the settings written here
    if (!close()) {
        keepLeftGame(EndReason::Close);
        writeSettings(false);
    }
    // Ends every event loop, also that of a dialog or question left open, which returns unanswered
    QCoreApplication::exit(0);
}

void MainWindow::writeSettings(bool tellInABox)
{
    if (!m_settingsFile)
        return;
    saveSoundChoice(m_soundChoice, *m_settingsFile);
    if (saveSettings(m_state, *m_settingsFile))
        return;
    const QString message = QStringLiteral("The settings could not be written to %1: %2.")
                                .arg(m_settingsPath, settingsWriteProblem(m_settingsPath));
    qWarning().noquote() << "Fendral:" << message;
    if (tellInABox)
        m_notice(message);
}

void MainWindow::tearDown()
{
    if (m_state.timerId != 0) {
        m_platform->killTimer(m_state.timerId);
        m_state.timerId = 0;
    }
    m_settingsFile.reset();
    m_state.groundEnemies.clear();
    m_state.openEnemies.clear();
    m_view->destroyFrames();
    m_renderer->releaseBackBuffer();
    m_state.releaseGrids();
}

} // namespace fendral
