// The one source of random draws of a game: seeded afresh for each game, or scripted by tests
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace fendral {

// A PCG32 generator (64-bit state, XSH-RR output) with a bounded draw defined here, so that the
// same seed gives the same draws with every compiler and standard library: a replay is its seed
// and its commands.
class RandomGenerator {
public:
    RandomGenerator();

    void seed(uint64_t seed);
    uint64_t seedValue() const { return m_seed; }
    uint64_t stateValue() const { return m_state; }

    // 0 when n is 0, without drawing; otherwise a draw in 0..n-1.
    int next(int n);

    // The next draws return these values (each taken modulo its n) before the generator resumes.
    void script(std::initializer_list<int> draws);
    void script(const std::deque<int>& draws);
    int scriptedDrawsLeft() const { return static_cast<int>(m_script.size()); }

private:
    uint32_t nextWord();

    uint64_t m_seed = 1;
    uint64_t m_state = 0;
    std::deque<int> m_script;
};

} // namespace fendral
