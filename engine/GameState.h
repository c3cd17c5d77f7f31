// The whole game as plain data: the playfield grids, players, teams, enemies and level scalars
#pragma once

#include "Grid.h"
#include "RandomGenerator.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace fendral {

using Colour = uint32_t; // 0x00BBGGRR, red in the low byte

// Cell codes of `cells`
constexpr uint8_t Open = 0;
constexpr uint8_t Ground = 1;
constexpr uint8_t TrailBase = 10; // + player index: a trail cell of that player
constexpr uint8_t Outside = 255; // the guard ring

constexpr bool isTrail(uint8_t code) { return code / 10 == 1; }
constexpr int trailOwner(uint8_t code) { return code % 10; }

// Values of `marks` and `blockMarks` besides the seed bits 1..15 of `marks`
constexpr uint16_t EnemyReached = 16;
constexpr uint16_t LabelBase = 20;

// Values of `blockState` besides the player bits 1..8
constexpr uint8_t AllOpen = 0;
constexpr uint8_t BlockHasGround = 16; // the block holds ground, or is an edge block

constexpr int CellSize = 8; // pixels of a cell on the window
constexpr int BlockSize = 10; // cells of a block side
constexpr int PlayerCount = 4;
constexpr int TeamCount = 4;
constexpr int ColourCount = 6;
constexpr int SchemeCount = 7;
constexpr int LastLevel = 50;
constexpr int PadCount = 4; // gamepad slots a player can be bound to
constexpr int NoPad = -1; // the pad slot of a player steered by keys alone
constexpr int Person = 0; // a player steered by keys or a pad; 1..3 are the computer strengths

// Direction codes: the order of the control keys, the trail directions and the direction queue
enum Direction { Up = 0, Down = 1, Left = 2, Right = 3 };

struct Step {
    int dx;
    int dy;
};
constexpr Step directionStep(int direction)
{
    constexpr Step steps[4] = { { 0, -1 }, { 0, 1 }, { -1, 0 }, { 1, 0 } };
    return steps[direction];
}

struct Player {
    int32_t team = -1; // 0..3, -1 = not taking part
    Colour colour = 0;
    int32_t shielded = 0;
    int32_t x = 0, y = 0;
    int32_t dx = 0, dy = 0;
    int32_t drawnX = 0, drawnY = 0; // sprite pixels relative to the field origin
    int32_t drawing = 0;
    int32_t alive = 0;
    int32_t trailStartX = 0, trailStartY = 0;
    int32_t trailLength = 0;
    int32_t deaths = 0;
    int32_t levelDeaths = 0;
    int32_t aliveAtLevelStart = 0;
    std::array<int32_t, 2> dirQueue {};
    int32_t dirQueueLength = 0;
    int32_t killed = 0;
    int32_t closedTrail = 0;
    int32_t respawnDelay = 0;
    double totalShare = 0;
    double levelShare = 0;

    bool operator==(const Player&) const = default;
};

// Alive in a team: the phases of a logic step act on such players only.
constexpr bool isInPlay(const Player& player)
{
    return player.alive && player.team >= 0 && player.team < TeamCount;
}

struct Team {
    int32_t members = 0;
    int32_t active = 0;
    int32_t activeAtLevelStart = 0;
    std::array<int32_t, 4> outList {};
    int32_t outCount = 0;
    double totalShare = 0;
    double levelShare = 0;
    double lives = 0;

    bool operator==(const Team&) const = default;
};

struct Enemy {
    int32_t x = 0, y = 0;
    int32_t dx = 0, dy = 0;
    int32_t drawnX = 0, drawnY = 0;
};

// One row of the level colour tables
struct Palette {
    Colour groundColour;
    Colour openColour;
    Colour groundEnemyColour;
    Colour openEnemyColour;
};

extern const std::array<Palette, 7> levelPalettes;
extern const std::array<std::array<int, 4>, SchemeCount> ControlScheme;
extern const std::array<std::array<int, 4>, PlayerCount> defaultControlKeys;
extern const std::array<std::string_view, PlayerCount> playerNames;
extern const std::array<Colour, ColourCount> defaultColours;

struct GameState {
    // Geometry, fixed when the main window is first shown
    int W = 0;
    int H = 0;
    int borderWidth = 2;

    // The playfield, indexed [x][y] with a guard ring
    Grid<uint8_t> cells;
    Grid<uint8_t> trailDir;
    Grid<uint16_t> marks; // 16-bit so that one capture can never run out of labels
    Grid<uint8_t> blockState;
    Grid<uint16_t> blockMarks;

    std::array<Player, PlayerCount> players {};
    std::array<Team, TeamCount> teams {};
    std::vector<Enemy> groundEnemies;
    std::vector<Enemy> openEnemies;

    int level = 1;
    double fieldShare = 0;
    double neededShare = 0;
    int levelColour = 0;
    int groundEnemyCount = 0;
    int openEnemyCount = 0;
    int playersInPlay = 0;
    std::array<int, 4> levelStartCounts {};

    // Run state of the tick
    int timerId = 0;
    int paused = 0;
    int gameOver = 0;
    int stepMultiplier = 1;
    int ticksToStep = 0;
    int speedCheckCountdown = 0;
    double speedCheckStart = 0; // fractional days
    int cheatCount = 0;
    int menuMode = 1;
    int64_t stepsPlayed = 0; // logic steps since the game started: the clock of its replay

    // Scratch of one logic step
    std::array<int, PlayerCount> dies {};
    std::array<int, TeamCount> teamLostLife {};
    int changed = 0;

    // Settings and the setup dialog's result
    std::array<std::array<int, 4>, PlayerCount> controlKeys = defaultControlKeys;
    int pauseKey = 32;
    std::array<int, PlayerCount> colourChoice { 0, 1, 2, 3 };
    std::array<std::array<int, PlayerCount>, TeamCount> teamAssignment {}; // [team][player]
    std::array<uint8_t, 256> keyOwner {};
    std::array<int, PlayerCount> padSlot { 0, 1, 2, 3 }; // each player's gamepad slot, or NoPad
    std::array<int, PlayerCount> computer {}; // Person, or the strength of a computer player

    RandomGenerator rng;

    const Palette& palette() const { return levelPalettes[levelColour]; }

    // Fixes W and H and allocates the five grids for them, the guard ring of `cells` in place.
    void allocateGrids(int width, int height);
    void releaseGrids();
    // Sets every cell of the guard ring, the four corners included, to Outside.
    void fillGuardRing();
};

struct BlockIndex {
    int bx;
    int by;
};

// The 10 x 10 block of the interior that holds cell (x, y).
BlockIndex blockOf(const GameState& state, int x, int y);

// Whether (x, y) lies inside the ground border of the current level.
bool isInterior(const GameState& state, int x, int y);

// 0 when n is 0; otherwise the next draw of the game's generator modulo n.
int random(GameState& state, int n);

// Chebyshev distance between two cells.
int distance(int ax, int ay, int bx, int by);

// Adds a share of the field to player p, to its team and to the field.
void credit(GameState& state, int p, double share);

// Ground owned by a player of colour c: seven eighths ground colour, one eighth c.
Colour tintColour(const GameState& state, Colour c);

} // namespace fendral
