// The one translation of Qt key events into the Windows virtual-key codes the game works with
#pragma once

class QKeyEvent;

namespace fendral {

class KeyboardLayout;

// The virtual-key code (below 256) of the key behind a Qt key event, 0 when the key is unknown.
// A key is known by where it is on the keyboard, so it steers and pauses the same whatever
// modifier is held:
// - Keypad digits give 96..105 whether NumLock is on or off, keypad operators their own codes.
// - The digit row gives the digits 1..9, 0, with or without Shift, also on layouts such as the
//   French one whose unshifted row types other characters.
// - On a Latin layout a letter key gives the letter printed on it (the AZERTY layout's A key is
//   A), and a punctuation key the code of the mark it types without Shift, so the game names it
//   as its label does. A key of the US layout's block that neither of these names (an accented
//   letter, a dead key) keeps the code the US layout gives that key unless another key has it.
// - On a layout of another script, such as Russian or Greek, every key of that block gives the
//   code the US layout gives the key in the same place: letters and punctuation alike.
// - Arrows, Space, Enter, Esc, Tab, function and modifier keys go by what Qt says they are.
// The layout is the keymap the X server names (setxkbmap); when there is none that agrees with
// the event (another platform, a remapped keyboard), letters, digits and other scripts are judged
// by the key alone and punctuation by the character it types, Shift's marks with it (":" is the
// ";" key). An event without native codes (synthetic ones) goes by its Qt key.
int virtualKeyCode(const QKeyEvent& event);

// The same under the given keymap, or with none when layout is null.
int virtualKeyCode(const QKeyEvent& event, const KeyboardLayout* layout);

} // namespace fendral
