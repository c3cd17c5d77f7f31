// The virtual-key codes the game reacts to by themselves, beyond the players' own keys
#pragma once

namespace fendral {

constexpr int VK_RETURN = 13;
constexpr int VK_ESCAPE = 27;
constexpr int VK_SPACE = 32;
constexpr int VK_LEFT = 37; // speeds a replay down
constexpr int VK_RIGHT = 39; // speeds a replay up
constexpr int VK_ADD = 107; // keypad "+"

} // namespace fendral
