#include "Widgets.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace fendral {

QFont sansFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

Panel::Panel(QWidget* parent, bool loweredBevel)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    if (loweredBevel) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    }
}

void Panel::setCaption(const QString& caption)
{
    m_caption = caption;
    update();
}

void Panel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_caption.isEmpty())
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, m_caption);
}

void Panel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

Bevel::Bevel(QWidget* parent, Shape shape, const QRect& geometry)
    : QWidget(parent)
    , m_shape(shape)
{
    setGeometry(geometry);
}

void Bevel::paintEvent(QPaintEvent*)
{
    // A lowered line: a shadow line with a highlight line right of it
    const int shadowX = m_shape == Shape::LeftLine ? 0 : width() - 2;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(shadowX, 0, shadowX, height() - 1);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(shadowX + 1, 0, shadowX + 1, height() - 1);
}

ColourShape::ColourShape(QWidget* parent, const QRect& geometry)
    : QWidget(parent)
{
    setGeometry(geometry);
}

void ColourShape::setFill(const QColor& fill)
{
    m_fill = fill;
    update();
}

void ColourShape::mousePressEvent(QMouseEvent* event) { emit pressed(event->button()); }

void ColourShape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), m_fill);
}

AnchoredLabel::AnchoredLabel(QWidget* parent, Anchor anchor, int x, int top, const QFont& font)
    : QLabel(parent)
    , m_anchor(anchor)
    , m_x(x)
    , m_top(top)
{
    setFont(font);
    setAlignment(anchor == Anchor::Left ? Qt::AlignLeft : Qt::AlignRight);
    setColour(Qt::black);
    place();
}

void AnchoredLabel::setCaption(const QString& text)
{
    setText(text);
    place();
    emit captionChanged();
}

void AnchoredLabel::setAnchoredFont(const QFont& font)
{
    setFont(font);
    place();
}

void AnchoredLabel::narrowToFit(int room)
{
    constexpr int NarrowestStretch = 50; // per cent of the font's own width
    // The width the label takes for its text in a font, as it measures it itself
    const auto widthIn = [this](const QFont& font) {
        return QFontMetrics(font).boundingRect(QRect(), int(alignment()), text()).width();
    };
    QFont narrowed = font();
    narrowed.setStretch(QFont::Unstretched);
    if (const int width = widthIn(narrowed); width > room && room > 0) {
        // A first guess in proportion, then narrower while rounding leaves it too wide
        int stretch = std::max(NarrowestStretch, room * QFont::Unstretched / width);
        narrowed.setStretch(stretch);
        while (stretch > NarrowestStretch && widthIn(narrowed) > room)
            narrowed.setStretch(--stretch);
    }
    if (narrowed != font())
        setAnchoredFont(narrowed);
}

void AnchoredLabel::setAnchor(int x, int top)
{
    m_x = x;
    m_top = top;
    place();
    emit captionChanged();
}

QColor AnchoredLabel::colour() const { return palette().color(QPalette::WindowText); }

void AnchoredLabel::setColour(const QColor& colour) { setTextColour(this, colour); }

void AnchoredLabel::place()
{
    adjustSize();
    const int left = m_anchor == Anchor::Left ? m_x : m_x - width();
    move(left, m_top);
}

} // namespace fendral
