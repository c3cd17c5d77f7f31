#include "FieldReading.h"

#include <cmath>

namespace fendral {

int fieldCellCount(const GameState& state) { return (state.W + 2) * (state.H + 2); }

std::vector<int> trailCells(const GameState& state, int p)
{
    const Player& player = state.players[p];
    std::vector<int> cells;
    if (!player.drawing)
        return cells;
    const FieldIndex index(state);
    int x = player.trailStartX;
    int y = player.trailStartY;
    for (int i = 0; i < player.trailLength; ++i) {
        cells.push_back(index.of(x, y));
        const Step step = directionStep(state.trailDir[x][y]);
        x += step.dx;
        y += step.dy;
    }
    return cells;
}

int countOpenCells(const GameState& state)
{
    const uint8_t* codes = cellCodes(state);
    int count = 0;
    for (int i = 0, n = fieldCellCount(state); i < n; ++i)
        count += codes[i] == Open;
    return count;
}

int cellsStillNeeded(const GameState& state)
{
    const double share = state.neededShare - state.fieldShare;
    return std::max(0, static_cast<int>(std::ceil(share * state.W * state.H)));
}

int directionOf(int dx, int dy)
{
    for (int d = Up; d <= Right; ++d)
        if (directionStep(d).dx == dx && directionStep(d).dy == dy)
            return d;
    return -1;
}

} // namespace fendral
