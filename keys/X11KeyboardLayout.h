// The keyboard layouts of the X server the windows are on, followed as they change
#pragma once

namespace fendral {

class KeyboardLayout;

// The keymap the X server names as its layouts now (what setxkbmap set); null off X11 or when the
// server names none. The names are read at the first call and again after the server announced
// a new keymap; the keymap is built again whenever they changed.
const KeyboardLayout* x11KeyboardLayout();

} // namespace fendral
