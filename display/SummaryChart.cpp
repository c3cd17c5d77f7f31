#include "SummaryChart.h"

#include "GameRecord.h"
#include "QtColour.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

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

    // The top of the scale: the greatest share of a team in a level, up to the next tenth
    double scaleTop(const GameRecord& record)
    {
        double top = 0.1;
        for (const LevelRecord& level : record.levels()) {
            for (const double share : level.teamShare)
                top = std::max(top, std::ceil(share * 10 - 1e-9) / 10);
        }
        return std::min(top, 1.0);
    }

    void paintGrid(QPainter& painter, const QRect& plot, double top)
    {
        for (int quarter = 1; quarter <= 4; ++quarter) {
            const int y = plot.bottom() - plot.height() * quarter / 4;
            painter.setPen(gridColour);
            painter.drawLine(plot.left(), y, plot.right(), y);
            painter.setPen(textColour);
            painter.drawText(QRect(0, y - 8, plot.left() - 4, 16),
                Qt::AlignRight | Qt::AlignVCenter,
                QString::number(top * 25 * quarter, 'g', 3) + '%');
        }
        painter.drawLine(plot.bottomLeft(), plot.bottomRight());
        painter.drawLine(plot.bottomLeft(), plot.topLeft());
    }

} // namespace

void paintSummaryChart(QPainter& painter, const QRect& area, const GameRecord& record)
{
    painter.fillRect(area, background);
    const QRect plot = area.adjusted(Margin + 16, 8, -8, -Margin);
    const auto& levels = record.levels();
    const auto count = static_cast<int>(levels.size());
    const double top = scaleTop(record);
    const double step = plot.width() / static_cast<double>(std::max(count, 1));
    // The best level stands out as a band behind its bars
    if (const int best = record.bestLevelIndex(); best >= 0)
        painter.fillRect(
            QRectF(plot.left() + best * step, plot.top(), step, plot.height()), bestBand);
    paintGrid(painter, plot, top);
    std::vector<std::pair<int, QColor>> teams;
    for (int t = 0; t < TeamCount; ++t) {
        if (const auto colour = teamColour(record, t))
            teams.emplace_back(t, *colour);
    }
    // One bar per team in each level, side by side, the level's number below every few
    const double bar = step * 0.8 / static_cast<double>(std::max<size_t>(teams.size(), 1));
    for (int i = 0; i < count; ++i) {
        for (size_t k = 0; k < teams.size(); ++k) {
            const auto& [t, colour] = teams[k];
            const double height
                = plot.height() * std::clamp(levels[i].teamShare[t] / top, 0.0, 1.0);
            painter.fillRect(QRectF(plot.left() + i * step + step * 0.1 + k * bar,
                                 plot.bottom() - height, std::max(bar - 1, 1.0), height),
                colour);
        }
        if (i % std::max(1, count / 10) == 0)
            painter.drawText(QRectF(plot.left() + i * step, plot.bottom() + 2, step, Margin - 4),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                QString::number(levels[i].level));
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
