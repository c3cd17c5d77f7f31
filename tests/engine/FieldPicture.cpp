#include "FieldPicture.h"

#include "Level.h"

namespace fendral {

void loadPicture(GameState& state, const std::vector<std::string>& rows, int borderWidth)
{
    state.allocateGrids(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    const int b = state.borderWidth = borderWidth;
    buildField(state); // the guard ring, and the block states of an open interior
    state.fieldShare = 0;
    state.groundEnemies = state.openEnemies = {};
    for (int x = 1; x <= state.W; ++x)
        for (int y = 1; y <= state.H; ++y) {
            const char c = rows[y - 1][x - 1];
            const bool trail = c >= 'a' && c <= 'd';
            state.cells[x][y] = trail ? TrailBase + c - 'a' : c == '#' || c == 'g' ? Ground : Open;
            // A block with ground holds ground; the others carry the bits of their trails
            uint8_t& block = state.blockState[blockOf(state, x, y).bx][blockOf(state, x, y).by];
            const bool interior = x > b && y > b && x <= state.W - b && y <= state.H - b;
            if (interior && (state.cells[x][y] == Ground || block == BlockHasGround))
                block = BlockHasGround;
            else if (interior && trail)
                block |= static_cast<uint8_t>(1 << (c - 'a'));
            if (c == 'o' || c == 'g')
                (c == 'o' ? state.openEnemies : state.groundEnemies)
                    .push_back({ x, y, 1, 1, (x - 1) * CellSize, (y - 1) * CellSize });
        }
}

std::vector<std::string> openPicture(int width, int height, int borderWidth)
{
    std::vector<std::string> rows(height, std::string(width, '#'));
    for (int y = borderWidth; y < height - borderWidth; ++y)
        rows[y].replace(borderWidth, width - 2 * borderWidth, width - 2 * borderWidth, '.');
    return rows;
}

std::vector<std::string> serpentinePicture(int width, int height, int borderWidth)
{
    std::vector<std::string> rows = openPicture(width, height, borderWidth);
    const int length = width - 2 * borderWidth - 1; // each wall leaves one cell of its row open
    for (int y = borderWidth + 1, wall = 0; y < height - borderWidth; y += 2, ++wall)
        rows[y].replace(borderWidth + wall % 2, length, length, '#');
    return rows;
}

void closeTrails(GameState& state, std::initializer_list<int> players)
{
    for (int x = 1; x <= state.W; ++x)
        for (int y = 1; y <= state.H; ++y)
            for (int p : players) {
                if (state.cells[x][y] != TrailBase + p)
                    continue;
                state.cells[x][y] = Ground;
                state.blockState[blockOf(state, x, y).bx][blockOf(state, x, y).by] = BlockHasGround;
                for (int d = 0; d < 4; ++d)
                    state.marks[x + directionStep(d).dx][y + directionStep(d).dy] |= 1 << p;
            }
}

} // namespace fendral
