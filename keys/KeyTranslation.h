// The one translation of Qt key events into the Windows virtual-key codes the game works with
#pragma once

class QKeyEvent;

namespace fendral {

// The virtual-key code (below 256) of the key behind a Qt key event, 0 when the key is unknown.
// Keypad digits give 96..105 whether NumLock is on or off.
int virtualKeyCode(const QKeyEvent& event);

} // namespace fendral
