#include "SummaryChart.h"

#include "GameRecord.h"
#include "QtColour.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <optional>

namespace fendral {

namespace {

    constexpr int Margin = 24; // room for the axis texts
    // Dark as the field, where every player colour shows
    const QColor background(20, 20, 28);
    const QColor gridColour(70, 70, 80);
    const QColor textColour(200, 200, 200);
    const QColor bestBand(64, 60, 36);

    // The colour of the team's first player; a team of nobody draws nothing
    std::optional<QColor> teamColour(const GameRecord& record, int t)
    {
        for (int p = 0; p < PlayerCount; ++p) {
            if (record.teamOf()[p] == t)
                return qtColour(record.colourOf()[p]);
        }
        return std::nullopt;
    }

    void paintAxes(QPainter& painter, const QRect& plot, int levels, int best)
    {
        if (best >= 0 && levels > 0) {
            // The best level stands out as a band behind the lines
            const double step = plot.width() / static_cast<double>(levels);
            painter.fillRect(
                QRectF(plot.left() + best * step, plot.top(), step, plot.height()), bestBand);
        }
        for (int percent = 25; percent <= 100; percent += 25) {
            const int y = plot.bottom() - plot.height() * percent / 100;
            painter.setPen(gridColour);
            painter.drawLine(plot.left(), y, plot.right(), y);
            painter.setPen(textColour);
            painter.drawText(QRect(0, y - 8, plot.left() - 4, 16),
                Qt::AlignRight | Qt::AlignVCenter, QString::number(percent) + '%');
        }
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        painter.drawLine(plot.bottomLeft(), plot.topLeft());
    }

} // namespace

void paintSummaryChart(QPainter& painter, const QRect& area, const GameRecord& record)
{
    painter.fillRect(area, background);
    const QRect plot = area.adjusted(Margin + 12, 8, -8, -Margin);
    const auto& levels = record.levels();
    const int count = static_cast<int>(levels.size());
    paintAxes(painter, plot, count, record.bestLevelIndex());
    if (count == 0)
        return;
    const double step = plot.width() / static_cast<double>(count);
    painter.setPen(textColour);
    for (int i = 0; i < count; i += std::max(1, count / 10)) {
        painter.drawText(QRectF(plot.left() + i * step, plot.bottom() + 2, step, Margin - 4),
            Qt::AlignHCenter | Qt::AlignTop, QString::number(levels[i].level));
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (int t = 0; t < TeamCount; ++t) {
        const auto colour = teamColour(record, t);
        if (!colour)
            continue;
        QPainterPath line;
        for (int i = 0; i < count; ++i) {
            const QPointF point(plot.left() + (i + 0.5) * step,
                plot.bottom() - plot.height() * std::clamp(levels[i].teamShare[t], 0.0, 1.0));
            if (i == 0)
                line.moveTo(point);
            else
                line.lineTo(point);
            painter.setPen(Qt::NoPen);
            painter.setBrush(*colour);
            painter.drawEllipse(point, 3, 3);
        }
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(*colour, 2));
        painter.drawPath(line);
    }
}

SummaryChart::SummaryChart(const GameRecord& record, QWidget* parent)
    : QWidget(parent)
    , m_record(record)
{
    setMinimumSize(480, 180);
}

void SummaryChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintSummaryChart(painter, rect(), m_record);
}

} // namespace fendral
