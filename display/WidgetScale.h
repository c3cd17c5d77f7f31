// Widgets built at the design scale (cells of 8 pixels) laid out again at another scale
#pragma once

class QWidget;

namespace fendral {

class Scale;

// Scales the geometry, the anchors and the own fonts of `root` and of every widget inside it,
// from the design values each had when it was first scaled. Windows inside (dialogs, boxes) are
// left alone, and so is `root` when it is a window itself.
void rescaleWidgets(QWidget* root, const Scale& scale);

} // namespace fendral
