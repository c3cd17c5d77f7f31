#include "RandomGenerator.h"

namespace fendral {

void RandomGenerator::seed(uint32_t seed) { m_engine.seed(seed); }

int RandomGenerator::next(int n)
{
    if (n <= 0)
        return 0;
    if (!m_script.empty()) {
        const int value = m_script.front();
        m_script.pop_front();
        return ((value % n) + n) % n;
    }
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

void RandomGenerator::script(std::initializer_list<int> draws)
{
    m_script.insert(m_script.end(), draws.begin(), draws.end());
}

void RandomGenerator::script(const std::deque<int>& draws)
{
    m_script.insert(m_script.end(), draws.begin(), draws.end());
}

} // namespace fendral
