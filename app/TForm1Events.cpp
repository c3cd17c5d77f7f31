// The main window's life: first show, painting, keys, closing and tear-down
#include "TForm1.h"

#include "DisplayView.h"
#include "FieldRenderer.h"
#include "QtPlatform.h"
#include "Settings.h"
#include "StatusPanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QSettings>

namespace fendral {

namespace {
    const QString Version = QStringLiteral("1.2");

    void centre(QWidget* widget, const QSize& area)
    {
        widget->move((area.width() - widget->width()) / 2, (area.height() - widget->height()) / 2);
    }
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    m_state.rng.seed(static_cast<uint32_t>(QDateTime::currentSecsSinceEpoch()));
    // A maximised window would keep this size anyway: the window refuses every resize
    m_ver->setText(QStringLiteral("ver. ") + Version);

    const int fieldHeight = height() - m_panel->height();
    m_state.W = width() / CellSize;
    m_state.H = fieldHeight / CellSize;
    m_renderer->setOrigin(
        (width() - CellSize * m_state.W) / 2, (fieldHeight - CellSize * m_state.H) / 2);

    centre(m_menup, size());
    centre(m_panelp, size());
    m_panel->placePanel2();
    placeBottomLabels();

    connect(qApp, &QGuiApplication::applicationStateChanged, this,
        [this](Qt::ApplicationState applicationState) {
            if (applicationState != Qt::ApplicationActive)
                AppDeactivate();
        });
    m_view->destroyFrames();
    m_state.teamAssignment = {};
    m_state.teamAssignment[0][0] = 1; // Alpha plays in team W

    m_iniFile = std::make_unique<QSettings>(m_iniPath, QSettings::IniFormat);
    loadSettings(m_state, *m_iniFile);

    m_renderer->createBackBuffer();
    m_state.allocateGrids(m_state.W, m_state.H);
    m_state.stepMultiplier = 1;
    m_view->showLayout(true);
}

void TForm1::canvasChanged(const QRect& rect)
{
    // A repaint redraws the canvas itself; what it changes is on screen with that paint
    if (m_painting)
        return;
    m_pendingRegion += rect;
    update(rect);
}

void TForm1::paintEvent(QPaintEvent* event)
{
    // A region that the canvas did not report changed is one the system asks for again
    if (!(event->region() - m_pendingRegion).isEmpty()) {
        m_painting = true;
        FormPaint();
        m_painting = false;
    }
    m_pendingRegion -= event->region();
    QPainter painter(this);
    for (const QRect& rect : event->region())
        painter.drawImage(rect.topLeft(), m_canvas, rect);
}

void TForm1::FormPaint()
{
    if (m_state.menuMode)
        return;
    m_renderer->presentField();
    m_renderer->drawSprites(false);
}

void TForm1::requestClose() { close(); }

void TForm1::clearFocusedControl() { setFocus(); }

void TForm1::Button11Click()
{
    requestClose();
    clearFocusedControl();
}

void TForm1::Button4Click() { Button11Click(); }

void TForm1::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    FormCloseQuery(canClose);
    if (!canClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TForm1::FormClose()
{
    if (m_iniFile)
        saveSettings(m_state, *m_iniFile);
}

void TForm1::FormDestroy()
{
    if (m_state.timerId != 0) {
        m_platform->killTimer(m_state.timerId);
        m_state.timerId = 0;
    }
    m_iniFile.reset();
    m_state.groundEnemies.clear();
    m_state.openEnemies.clear();
    m_view->destroyFrames();
    m_renderer->releaseBackBuffer();
    m_state.releaseGrids();
}

} // namespace fendral
