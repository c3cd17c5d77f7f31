// A rectangular grid stored column by column and indexed grid[x][y], guard ring included
#pragma once

#include <cstddef>
#include <vector>

namespace fendral {

template <typename T> class Grid {
public:
    void allocate(int columns, int rows)
    {
        m_columns = columns;
        m_rows = rows;
        m_values.assign(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), T {});
    }
    void release()
    {
        m_values.clear();
        m_values.shrink_to_fit();
        m_columns = m_rows = 0;
    }

    int columns() const { return m_columns; }
    int rows() const { return m_rows; }
    bool isAllocated() const { return !m_values.empty(); }

    // grid[x] is column x; grid[x][y] the value in row y of it
    T* operator[](int x) { return m_values.data() + static_cast<std::size_t>(x) * m_rows; }
    const T* operator[](int x) const
    {
        return m_values.data() + static_cast<std::size_t>(x) * m_rows;
    }

    // Sets rows firstRow..lastRow of columns firstColumn..lastColumn to zero.
    void clear(int firstColumn, int lastColumn, int firstRow, int lastRow)
    {
        for (int x = firstColumn; x <= lastColumn; ++x)
            for (int y = firstRow; y <= lastRow; ++y)
                (*this)[x][y] = T {};
    }

private:
    int m_columns = 0;
    int m_rows = 0;
    std::vector<T> m_values;
};

} // namespace fendral
