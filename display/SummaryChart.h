// The chart of a game's course: each team's share of the field per level, in its players' colours
#pragma once

#include <QWidget>

class QPainter;

namespace fendral {

class GameRecord;

// Draws the chart of the record into the rectangle: one line per team, a point per level.
void paintSummaryChart(QPainter& painter, const QRect& area, const GameRecord& record);

class SummaryChart : public QWidget {
    Q_OBJECT
public:
    SummaryChart(const GameRecord& record, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const GameRecord& m_record;
};

} // namespace fendral
