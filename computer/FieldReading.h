// Reading the field as a player sees it on the screen: cells by index, trails, the open area
#pragma once

#include "GameState.h"

#include <cstdint>
#include <vector>

namespace fendral {

// A cell of the field as one number, the column-major index of the game's grids
struct FieldIndex {
    int rows; // H + 2: the guard ring included

    explicit FieldIndex(const GameState& state)
        : rows(state.H + 2)
    {
    }
    int of(int x, int y) const { return x * rows + y; }
    int x(int index) const { return index / rows; }
    int y(int index) const { return index % rows; }
};

// The number of cells of the field, guard ring included: the size of a grid over it
int fieldCellCount(const GameState& state);

// The cell codes of the field as one flat array, indexed by FieldIndex
inline const uint8_t* cellCodes(const GameState& state) { return state.cells[0]; }

// The cells of player p's unfinished trail in the order they were laid (none when not drawing).
std::vector<int> trailCells(const GameState& state, int p);

// The open cells of the field, the ones a capture can still gain.
int countOpenCells(const GameState& state);

// How many more open cells the level needs to be completed.
int cellsStillNeeded(const GameState& state);

// The direction code of a velocity, or -1 when at rest.
int directionOf(int dx, int dy);

// The direction that turns back on d.
constexpr int reverseOf(int d) { return d ^ 1; }

} // namespace fendral
