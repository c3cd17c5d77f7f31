// A small outlined square showing a player's colour, reporting mouse presses on it
#pragma once

#include "GameState.h"

#include <QWidget>

namespace fendral {

class ColourShape : public QWidget {
    Q_OBJECT
public:
    explicit ColourShape(QWidget* parent = nullptr);

    Colour colour() const { return m_colour; }
    void setColour(Colour colour);

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Colour m_colour = 0;
};

} // namespace fendral
