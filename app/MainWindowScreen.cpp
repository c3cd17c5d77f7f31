// The main window on its screen: the scale the game is drawn at, the window and full screen
#include "MainWindow.h"

#include "DisplayView.h"
#include "FieldRenderer.h"
#include "Settings.h"
#include "StatusPanel.h"
#include "WidgetScale.h"
#include "Widgets.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QWindow>
#include <QtMath>

namespace fendral {

namespace {
    // Long enough for a window manager to carry out a switch of mode and give the focus back
    constexpr int ScreenSwitchMs = 1500;

    QSize toDeviceSize(const QSize& logical, double ratio)
    {
        return QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio));
    }

    void centreOn(QWidget* widget, const QRect& area)
    {
        widget->move(area.x() + (area.width() - widget->width()) / 2,
            area.y() + (area.height() - widget->height()) / 2);
    }
}

QRect MainWindow::toDevice(const QRect& logical) const
{
    const double ratio = m_scale.devicePixelRatio();
    return QRect(QPoint(qFloor(logical.x() * ratio), qFloor(logical.y() * ratio)),
        QPoint(
            qCeil((logical.right() + 1) * ratio) - 1, qCeil((logical.bottom() + 1) * ratio) - 1));
}

QRect MainWindow::toLogical(const QRect& device) const
{
    const double ratio = m_scale.devicePixelRatio();
    return QRect(QPoint(qFloor(device.x() / ratio), qFloor(device.y() / ratio)),
        QPoint(qCeil((device.right() + 1) / ratio) - 1, qCeil((device.bottom() + 1) / ratio) - 1));
}

void MainWindow::watchScreen()
{
    m_screenSwitch.setSingleShot(true);
    connect(&m_screenSwitch, &QTimer::timeout, this, [this] {
        // A focus lost for good while the mode switched pauses the game as any other loss does
        if (m_deactivatedWhileSwitching
            && QGuiApplication::applicationState() != Qt::ApplicationActive)
            applicationDeactivated();
        m_deactivatedWhileSwitching = false;
        layOutForScreen();
    });
    if (QWindow* window = windowHandle())
        connect(window, &QWindow::screenChanged, this, [this] {
            if (const QScreen* shownOn = screen())
                connect(shownOn, &QScreen::availableGeometryChanged, this,
                    &MainWindow::layOutForScreen, Qt::UniqueConnection);
            layOutForScreen();
        });
    if (const QScreen* shownOn = screen())
        connect(shownOn, &QScreen::availableGeometryChanged, this, &MainWindow::layOutForScreen,
            Qt::UniqueConnection);
}

void MainWindow::applicationStateChanged(Qt::ApplicationState applicationState)
{
    m_applicationActive = applicationState == Qt::ApplicationActive;
    if (m_applicationActive)
        return;
    // Going full screen and back is no loss of focus, though a window manager may briefly take
    // it while it switches
    if (m_screenSwitch.isActive())
        m_deactivatedWhileSwitching = true;
    else
        applicationDeactivated();
}

void MainWindow::toggleFullScreen()
{
    m_fullScreen = !m_fullScreen;
    if (m_settingsFile)
        saveFullScreen(*m_settingsFile, m_fullScreen);
    applyScreenMode();
}

void MainWindow::applyScreenMode()
{
    if (m_fullScreen || isFullScreen())
        m_screenSwitch.start(ScreenSwitchMs);
    if (m_fullScreen) {
        // A fixed size would keep the window manager from filling the screen
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (const QScreen* shownOn = screen())
            setGeometry(shownOn->geometry());
        showFullScreen();
    } else if (isFullScreen()) {
        showNormal();
    }
    layOutForScreen();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The window manager's frame is known once it has placed the window
    if (m_shown && !m_fullScreen)
        layOutForScreen();
}

void MainWindow::layOutForScreen()
{
    const QScreen* shownOn = screen();
    if (!shownOn)
        return;
    const double ratio = devicePixelRatioF();
    int n = CellSize;
    QSize canvasSize;
    if (m_fullScreen) {
        canvasSize = toDeviceSize(shownOn->geometry().size(), ratio);
        n = fullScreenCellSize(canvasSize);
    } else {
        const QSize frame = frameGeometry().size() - geometry().size();
        n = windowCellSize(toDeviceSize(shownOn->availableGeometry().size(), ratio),
            toDeviceSize(frame, ratio), ratio);
        // Whole logical pixels that hold the client area; the device pixels beyond it are black
        const QSize client = scaledClientSize(n);
        const QSize logical(
            qCeil(client.width() / ratio - 1e-9), qCeil(client.height() / ratio - 1e-9));
        canvasSize = toDeviceSize(logical, ratio).expandedTo(client);
        // The window never changes its size, maximised or not, as long as the screen is the same
        if (size() != logical || minimumSize() != logical || maximumSize() != logical)
            setFixedSize(logical);
    }
    if (m_laidOut && n == m_scale.cellSize() && ratio == m_scale.devicePixelRatio()
        && canvasSize == m_canvas.size())
        return;
    m_laidOut = true;

    m_scale = Scale(n, ratio);
    m_canvas = QImage(canvasSize, QImage::Format_RGB32);
    m_canvas.setDevicePixelRatio(ratio);
    // Full screen centres the game on black; a window shows it from its top left corner
    const QSize client = scaledClientSize(n);
    const QPoint corner = m_fullScreen ? QPoint((canvasSize.width() - client.width()) / 2,
                              (canvasSize.height() - client.height()) / 2)
                                       : QPoint();
    m_gameRect = QRect(corner, client);
    m_renderer->setCellSize(n);
    m_renderer->setOrigin(m_gameRect.x(), m_gameRect.y());
    m_damage = CanvasDamage(canvasSize, n, m_gameRect.topLeft());
    layOutControls();

    m_renderer->clearCanvas();
    if (!m_renderer->backBuffer().isNull())
        paintField();
    m_damage.takeRegion(); // the whole window is painted anew
    m_pendingRegion = QRegion();
    update();
}

void MainWindow::layOutControls()
{
    rescaleWidgets(this, m_scale);
    setFont(sansFont(m_scale.logical(11), true));
    const int fieldHeight = m_state.H * m_scale.cellSize();
    const QRect panel(m_gameRect.x(), m_gameRect.y() + fieldHeight, m_gameRect.width(),
        m_gameRect.height() - fieldHeight);
    const QRect logicalPanel = toLogical(panel);
    m_statusPanel->setScale(m_scale);
    m_statusPanel->setGeometry(logicalPanel);
    m_statusPanel->placeLevelBox();
    m_view->placeFramesAgain();
    const QRect game = toLogical(m_gameRect);
    centreOn(m_menuPanel, game);
    centreOn(m_messagePanel, game);
    placeBottomLabels();
}

} // namespace fendral
