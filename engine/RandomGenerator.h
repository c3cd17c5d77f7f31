// The one source of random draws of a game: seeded from the clock, or scripted by tests
#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <random>

namespace fendral {

class RandomGenerator {
public:
    void seed(uint32_t seed);

    // 0 when n is 0, without drawing; otherwise a draw in 0..n-1.
    int next(int n);

    // The next draws return these values (each taken modulo its n) before the generator resumes.
    void script(std::initializer_list<int> draws);
    void script(const std::deque<int>& draws);
    int scriptedDrawsLeft() const { return static_cast<int>(m_script.size()); }

private:
    std::mt19937 m_engine { 1 };
    std::deque<int> m_script;
};

} // namespace fendral
