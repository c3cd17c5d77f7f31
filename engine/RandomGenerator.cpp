#include "RandomGenerator.h"

namespace fendral {

namespace {
    constexpr uint64_t Multiplier = 6364136223846793005ULL;
    constexpr uint64_t Increment = 1442695040888963407ULL;
}

void RandomGenerator::seed(uint64_t seed)
{
    m_seed = seed;
    m_state = 0;
    nextWord();
    m_state += seed;
    nextWord();
}

uint32_t RandomGenerator::nextWord()
{
    const uint64_t old = m_state;
    m_state = old * Multiplier + Increment;
    const auto xorShifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<uint32_t>(old >> 59U);
    return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

int RandomGenerator::next(int n)
{
    if (n <= 0)
        return 0;
    if (!m_script.empty()) {
        const int value = m_script.front();
        m_script.pop_front();
        return ((value % n) + n) % n;
    }
    // Words below the threshold are drawn again, so that every value of 0..n-1 is equally likely
    const auto bound = static_cast<uint32_t>(n);
    const uint32_t threshold = (0U - bound) % bound;
    uint32_t word = nextWord();
    while (word < threshold)
        word = nextWord();
    return static_cast<int>(word % bound);
}

void RandomGenerator::script(std::initializer_list<int> draws)
{
    m_script.insert(m_script.end(), draws.begin(), draws.end());
}

void RandomGenerator::script(const std::deque<int>& draws)
{
    m_script.insert(m_script.end(), draws.begin(), draws.end());
}

RandomGenerator::RandomGenerator() { seed(1); }

} // namespace fendral
