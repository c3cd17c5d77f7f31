#include "ColourShape.h"

#include <QColor>
#include <QMouseEvent>
#include <QPainter>

namespace fendral {

ColourShape::ColourShape(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void ColourShape::setColour(Colour colour)
{
    m_colour = colour;
    update();
}

void ColourShape::paintEvent(QPaintEvent*)
{
    // Colours are 0x00BBGGRR, red in the low byte
    const QColor fill(m_colour & 0xFF, (m_colour >> 8) & 0xFF, (m_colour >> 16) & 0xFF);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColourShape::mousePressEvent(QMouseEvent* event) { emit pressed(event->button()); }

} // namespace fendral
