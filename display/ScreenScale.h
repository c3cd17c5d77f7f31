// How large the game is drawn: cells of n device pixels, chosen for the screen it is shown on
#pragma once

#include <QRect>
#include <QSize>

namespace fendral {

// Cells are never drawn smaller than this, however small the screen.
constexpr int SmallestCellSize = 4;

// The game's client area, in device pixels, with cells of n device pixels: the 128 x 81 cells of
// the field and the status panel under it, scaled like everything else by n / 8.
QSize scaledClientSize(int n);

// The cell size of a window: 8 times the desktop's scale factor (rounded down) where the client
// area and the window manager's frame fit the available area; otherwise the largest n that fits,
// never below SmallestCellSize. All sizes in device pixels.
int windowCellSize(const QSize& available, const QSize& frame, double devicePixelRatio);

// The cell size of full screen: the largest n whose client area fits the screen (device pixels).
int fullScreenCellSize(const QSize& screen);

// Design pixels (the described window, cells of 8 pixels) in the window's logical pixels, for
// cells of n device pixels at a desktop scale factor.
class Scale {
public:
    Scale() = default;
    Scale(int cellSize, double devicePixelRatio);

    int cellSize() const { return m_cellSize; }
    double devicePixelRatio() const { return m_devicePixelRatio; }
    // A design length in logical pixels, rounded to whole pixels.
    int logical(int design) const;
    // A design rectangle whose edges are scaled, so that neighbours stay neighbours.
    QRect logical(const QRect& design) const;

private:
    int m_cellSize = 8;
    double m_devicePixelRatio = 1;
};

} // namespace fendral
