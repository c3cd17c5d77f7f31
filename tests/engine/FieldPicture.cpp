#include "FieldPicture.h"

namespace fendral {

namespace {

    uint8_t cellCode(char c)
    {
        if (c == '#' || c == 'g')
            return Ground;
        if (c >= 'a' && c <= 'd')
            return static_cast<uint8_t>(TrailBase + (c - 'a'));
        return Open;
    }

    char cellCharacter(uint8_t code)
    {
        if (code == Ground)
            return '#';
        if (isTrail(code))
            return static_cast<char>('a' + trailOwner(code));
        return code == Open ? '.' : '?';
    }

    Enemy enemyAt(int x, int y) { return { x, y, 1, 1, (x - 1) * CellSize, (y - 1) * CellSize }; }

    void computeBlockStates(GameState& state)
    {
        const int b = state.borderWidth;
        const int m = (state.W - 2 * b) / BlockSize;
        const int n = (state.H - 2 * b) / BlockSize;
        for (int i = 0; i < state.blockState.columns(); ++i)
            for (int j = 0; j < state.blockState.rows(); ++j) {
                const bool edge = i == 0 || j == 0 || i > m || j > n;
                uint8_t value = edge ? BlockHasGround : AllOpen;
                for (int x = b + BlockSize * (i - 1) + 1; !edge && x <= b + BlockSize * i; ++x)
                    for (int y = b + BlockSize * (j - 1) + 1; y <= b + BlockSize * j; ++y) {
                        const uint8_t code = state.cells[x][y];
                        if (code == Ground)
                            value = BlockHasGround;
                        else if (isTrail(code) && value != BlockHasGround)
                            value |= static_cast<uint8_t>(1 << trailOwner(code));
                    }
                state.blockState[i][j] = value;
            }
    }

} // namespace

void loadPicture(GameState& state, const std::vector<std::string>& rows, int borderWidth)
{
    state.allocateGrids(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    state.borderWidth = borderWidth;
    state.groundEnemies.clear();
    state.openEnemies.clear();
    for (int x = 0; x <= state.W + 1; ++x)
        for (int y = 0; y <= state.H + 1; ++y) {
            const bool ring = x == 0 || y == 0 || x == state.W + 1 || y == state.H + 1;
            const char c = ring ? ' ' : rows[y - 1][x - 1];
            state.cells[x][y] = ring ? Outside : cellCode(c);
            if (c == 'o')
                state.openEnemies.push_back(enemyAt(x, y));
            if (c == 'g')
                state.groundEnemies.push_back(enemyAt(x, y));
        }
    state.openEnemyCount = static_cast<int>(state.openEnemies.size());
    state.groundEnemyCount = static_cast<int>(state.groundEnemies.size());
    computeBlockStates(state);
}

std::vector<std::string> picture(const GameState& state)
{
    std::vector<std::string> rows;
    for (int y = 1; y <= state.H; ++y) {
        std::string row;
        for (int x = 1; x <= state.W; ++x)
            row += cellCharacter(state.cells[x][y]);
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> openPicture(int width, int height, int borderWidth)
{
    std::vector<std::string> rows(height, std::string(width, '#'));
    for (int y = borderWidth; y < height - borderWidth; ++y)
        for (int x = borderWidth; x < width - borderWidth; ++x)
            rows[y][x] = '.';
    return rows;
}

std::vector<std::string> serpentinePicture(int width, int height, int borderWidth)
{
    std::vector<std::string> rows = openPicture(width, height, borderWidth);
    const int first = borderWidth; // string index of the first interior column and row
    const int last = width - borderWidth - 1;
    for (int y = first + 1, wall = 0; y < height - borderWidth; y += 2, ++wall)
        for (int x = first; x <= last; ++x)
            if (x != (wall % 2 == 0 ? last : first))
                rows[y][x] = '#';
    return rows;
}

void closeTrails(GameState& state, std::initializer_list<int> players)
{
    state.marks.clear(1, state.W, 1, state.H);
    state.blockMarks.clear(0, state.W / BlockSize + 1, 1, state.H / BlockSize);
    for (int x = 1; x <= state.W; ++x)
        for (int y = 1; y <= state.H; ++y)
            for (int p : players) {
                if (state.cells[x][y] != TrailBase + p)
                    continue;
                state.cells[x][y] = Ground;
                state.trailDir[x][y] = 0;
                const BlockIndex block = blockOf(state, x, y);
                state.blockState[block.bx][block.by] = BlockHasGround;
                const auto seed = static_cast<uint16_t>(1 << p);
                state.marks[x - 1][y] |= seed;
                state.marks[x + 1][y] |= seed;
                state.marks[x][y - 1] |= seed;
                state.marks[x][y + 1] |= seed;
            }
}

} // namespace fendral
