#include "FakeView.h"

namespace fendral {

Colour& FakeView::cell(int x, int y)
{
    m_cells.resize(static_cast<std::size_t>((m_state.W + 2) * (m_state.H + 2)));
    return m_cells[static_cast<std::size_t>(x * (m_state.H + 2) + y)];
}

} // namespace fendral
