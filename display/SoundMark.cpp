#include "SoundMark.h"

#include <QPainter>
#include <QPainterPath>

namespace fendral {

SoundMark::SoundMark(QWidget* parent)
    : Panel(parent, false)
{
    resize(Size, Size);
    setCursor(Qt::PointingHandCursor);
    setState(m_on, m_volumeStep);
}

void SoundMark::setState(bool on, int volumeStep)
{
    m_on = on;
    m_volumeStep = volumeStep;
    setToolTip(on ? QStringLiteral("Sound on, %1 % (F8; F7, F9)").arg(volumeStep * 10)
                  : QStringLiteral("Sound off (F8)"));
    update();
}

void SoundMark::paintEvent(QPaintEvent* event)
{
    Panel::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = m_on ? QColor(Qt::black) : QColor(128, 128, 128);
    // The loudspeaker: a box and its cone
    QPainterPath speaker;
    speaker.moveTo(1, 5.5);
    speaker.lineTo(4, 5.5);
    speaker.lineTo(8, 2);
    speaker.lineTo(8, 14);
    speaker.lineTo(4, 10.5);
    speaker.lineTo(1, 10.5);
    speaker.closeSubpath();
    painter.fillPath(speaker, ink);
    painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap));
    if (!m_on) {
        painter.drawLine(QPointF(10.5, 5.5), QPointF(15, 10.5));
        painter.drawLine(QPointF(10.5, 10.5), QPointF(15, 5.5));
        return;
    }
    // One wave up to 30 %, two up to 60 %, three above
    const int waves = (m_volumeStep + 2) / 3 > 3 ? 3 : (m_volumeStep + 2) / 3;
    for (int i = 0; i < waves; ++i) {
        const double r = 2.5 + 2.2 * i; // around the cone's tip, within the mark's 16 pixels
        painter.drawArc(QRectF(8.5 - r, 8 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }
}

} // namespace fendral
