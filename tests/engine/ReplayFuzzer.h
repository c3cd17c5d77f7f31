// Damaged replay files for the decoder and the player: random bytes, truncations and mutated
// valid files. Shared by the replay tests and the soak.
#pragma once

#include "Replay.h"
#include "ReplayPlayer.h"

#include <string>
#include <vector>

namespace fendral {

class ReplayFuzzer {
public:
    explicit ReplayFuzzer(uint64_t seed) { m_dice.seed(seed); }

    // A damaged copy of the encoded valid file: cut short, bytes flipped or overwritten, a block
    // repeated, or random bytes after a valid beginning.
    std::vector<uint8_t> damaged(const std::vector<uint8_t>& valid);

    // Decodes the bytes and plays what the decoder accepts; returns what broke, empty when the
    // file was refused with a reason or played to an end or a mismatch.
    static std::string tryFile(const std::vector<uint8_t>& bytes);

private:
    RandomGenerator m_dice;
};

} // namespace fendral
