#include "GameState.h"

#include <algorithm>
#include <cstdlib>

namespace fendral {

const std::array<Palette, 7> levelPalettes { {
    { 0x01778B, 0x17156A, 0x00FFFF, 0x0000FF },
    { 0xF8F8F8, 0xFFFFFF, 0xF8F8F8, 0xFFFFFF },
    { 0x684BF1, 0x4D0975, 0x000000, 0xDBBEFA },
    { 0xFFB0B0, 0x5E0000, 0x9202FB, 0xFFF584 },
    { 0x0C742E, 0x86BB2D, 0xA4FFA4, 0xC66042 },
    { 0x77C4F7, 0x00005E, 0x000000, 0xFFFFFF },
    { 0x606060, 0xA0A0A0, 0x404040, 0xC0C0C0 },
} };

const std::array<std::array<int, 4>, SchemeCount> ControlScheme { {
    { 38, 40, 37, 39 }, // arrow keys
    { 104, 101, 100, 102 }, // keypad 8, 5, 4, 6
    { 87, 83, 65, 68 }, // W, S, A, D
    { 82, 70, 68, 71 }, // R, F, D, G
    { 80, 186, 76, 222 }, // P, semicolon, L, apostrophe
    { 101, 102, 99, 105 }, // keypad 5, 6, 3, 9
    { 83, 65, 81, 90 }, // S, A, Q, Z
} };

const std::array<std::array<int, 4>, PlayerCount> defaultControlKeys { ControlScheme[0],
    ControlScheme[1], ControlScheme[3], ControlScheme[2] };

const std::array<std::string_view, PlayerCount> playerNames { "Alpha", "Beta", "Gamma", "Delta" };

const std::array<Colour, ColourCount> defaultColours { 0x0000D0, 0x3DA237, 0x23ADF8, 0x00FFF9,
    0xFD9C68, 0x801788 };

void GameState::allocateGrids(int width, int height)
{
    W = width;
    H = height;
    cells.allocate(W + 2, H + 2);
    trailDir.allocate(W + 2, H + 2);
    marks.allocate(W + 2, H + 2);
    blockState.allocate(W / BlockSize + 2, H / BlockSize + 2);
    blockMarks.allocate(W / BlockSize + 2, H / BlockSize + 2);
    fillGuardRing();
}

void GameState::releaseGrids()
{
    blockMarks.release();
    blockState.release();
    marks.release();
    trailDir.release();
    cells.release();
}

void GameState::fillGuardRing()
{
    // A corner left at 0 would read as Open: an enemy could be placed there and leave the grid
    for (int x = 0; x <= W + 1; ++x)
        cells[x][0] = cells[x][H + 1] = Outside;
    for (int y = 1; y <= H; ++y)
        cells[0][y] = cells[W + 1][y] = Outside;
}

BlockIndex blockOf(const GameState& state, int x, int y)
{
    // Division truncates toward zero: the ground ring just outside the interior falls into block 1
    return { (x - state.borderWidth - 1) / BlockSize + 1,
        (y - state.borderWidth - 1) / BlockSize + 1 };
}

bool isInterior(const GameState& state, int x, int y)
{
    const int b = state.borderWidth;
    return x > b && x <= state.W - b && y > b && y <= state.H - b;
}

int random(GameState& state, int n) { return state.rng.next(n); }

int distance(int ax, int ay, int bx, int by)
{
    return std::max(std::abs(ax - bx), std::abs(ay - by));
}

void credit(GameState& state, int p, double share)
{
    Player& player = state.players[p];
    player.levelShare += share;
    player.totalShare += share;
    Team& team = state.teams[player.team];
    team.levelShare += share;
    team.totalShare += share;
    state.fieldShare += share;
}

Colour tintColour(const GameState& state, Colour c)
{
    // Dropping the low bits of green and blue first keeps each channel from carrying into the next
    const Colour g = state.palette().groundColour;
    return ((g & 0xF8F8FF) * 7 + (c & 0xF8F8FF)) >> 3;
}

} // namespace fendral
