// The virtual-key codes the game reacts to by themselves, beyond the players' own keys
#pragma once

namespace fendral {

constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37; // speeds a replay down
constexpr int VK_RIGHT = 39; // speeds a replay up
constexpr int VK_ADD = 107; // keypad "+"
constexpr int VK_F11 = 122; // full screen and back
// Function keys have no key name, so no player steers with them
constexpr int VK_F7 = 118; // sound quieter
constexpr int VK_F8 = 119; // sound on or off
constexpr int VK_F9 = 120; // sound louder

} // namespace fendral
