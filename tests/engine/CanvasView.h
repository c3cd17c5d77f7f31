// A screen for sprite tests: a BackBuffer of cells and a canvas of pixels on which the open
// enemies' squares are erased, glided and drawn as the window draws them, each in its own colour
#pragma once

#include "FakeView.h"

#include <vector>

namespace fendral {

class CanvasView : public FakeView {
public:
    using FakeView::FakeView;

    // The marker colour of open enemy i: no colour of the field has the high byte set.
    static Colour openEnemyMarker(int i) { return 0x01000000u + static_cast<Colour>(i); }

    // Whether the canvas shows exactly one whole square of this colour.
    bool showsOneSquare(Colour colour) const;

    void setBackBufferPixel(int x, int y, Colour colour) override;
    void setCellColour(int x, int y, Colour colour) override;
    void paintCell(int x, int y, Colour colour) override;
    void refreshCell(int x, int y) override;
    void fillBlock(int x0, int y0, Colour colour) override;
    void paintNewField() override;
    // Erases each open enemy's square from the three cells behind it, its own cell being covered
    // by the square again, glides it by the step multiplier and draws every square.
    void drawSprites(bool advance) override;

private:
    Colour& backBuffer(int x, int y);
    void fillCell(int x, int y, Colour colour);
    void drawSquare(int left, int top, Colour colour);

    std::vector<Colour> m_backBuffer;
    std::vector<Colour> m_canvas; // the field's pixels, row by row
};

} // namespace fendral
