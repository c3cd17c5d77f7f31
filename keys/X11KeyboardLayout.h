// The keyboard layouts of the X server the windows are on, followed as they change
#pragma once

namespace fendral {

class KeyboardLayout;

// The keymap the X server names as its layouts now (what setxkbmap set); null off X11 or when the
// server names none. It is built again whenever the names change.
const KeyboardLayout* x11KeyboardLayout();

} // namespace fendral
