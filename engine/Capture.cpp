#include "Capture.h"

#include <array>
#include <vector>

namespace fendral {

namespace {

    // The fills are depth-first searches. A serpentine field of one-cell corridors would make a
    // recursion as deep as the field is large, so every fill keeps its pending calls on an explicit
    // stack of frames instead. Each fill is written as the steps between two of its calls: it is
    // resumed with the value its last callee returned and either calls one more fill or returns.

    // Where a fill resumes when its last call returns
    enum Stage : uint8_t { Start, AfterBlock, AfterNeighbour, AfterLineCell };

    struct Frame {
        enum Kind : uint8_t { CellFill, BlockFill };
        Kind kind;
        int x; // the cell, or for a block fill the block (bx, by)
        int y;
        Stage stage = Start;
        int neighbour = 0; // which neighbour is being visited
        int offset = 0; // how far along the adjoining line of a block
    };

    // What a resumed fill did: called another fill (pushed on the stack), or returned 0 or 1
    constexpr int Called = -1;

    int finish(int value = 0) { return value; }

    // The cell forms visit their neighbours left, right, above, below
    constexpr std::array<Step, 4> cellNeighbours { { { -1, 0 }, { 1, 0 }, { 0, -1 }, { 0, 1 } } };
    // The block forms visit theirs right, left, below, above
    constexpr std::array<Step, 4> blockNeighbours { { { 1, 0 }, { -1, 0 }, { 0, 1 }, { 0, -1 } } };

    constexpr int RunLength = 10; // cells an enemy's straight run marks before it recurses

    struct Cell {
        int x;
        int y;
    };

    struct CaptureRun {
        GameState& state;
        GameView& view;
        std::vector<Frame> stack;

        // The region being labelled or painted
        uint16_t label = 0;
        unsigned owners = 0;
        Colour colour = 0;
        int count = 0;

        // First cell of block (bx, by)
        Cell blockOrigin(int bx, int by) const
        {
            return { state.borderWidth + BlockSize * (bx - 1) + 1,
                state.borderWidth + BlockSize * (by - 1) + 1 };
        }

        // Cell number offset of the line just outside block (bx, by) towards its neighbour
        Cell adjoiningCell(int bx, int by, int neighbour, int offset) const
        {
            const Cell origin = blockOrigin(bx, by);
            switch (neighbour) {
            case 0:
                return { origin.x + BlockSize, origin.y + offset };
            case 1:
                return { origin.x - 1, origin.y + offset };
            case 2:
                return { origin.x + offset, origin.y + BlockSize };
            default:
                return { origin.x + offset, origin.y - 1 };
            }
        }

        // Calls a fill: the caller must not touch its own frame afterwards, as the push may move
        // it.
        int call(Frame::Kind kind, int x, int y)
        {
            stack.push_back({ kind, x, y });
            return Called;
        }

        // Runs the cell form of a fill on (x, y) and every fill it calls.
        using Resume = int (CaptureRun::*)(Frame& frame, int returned);
        template <Resume cellForm, Resume blockForm> void runFill(int x, int y)
        {
            stack.assign(1, { Frame::CellFill, x, y });
            int returned = 0;
            while (!stack.empty()) {
                Frame& frame = stack.back();
                const int result = frame.kind == Frame::CellFill
                    ? (this->*cellForm)(frame, returned)
                    : (this->*blockForm)(frame, returned);
                if (result != Called) {
                    returned = result;
                    stack.pop_back();
                }
            }
        }

        void reachFromEnemy(int x, int y);
        void walkFromEnemy(Frame& frame);

        void labelCellFill(int x, int y);
        int labelCellFill(Frame& frame, int returned);
        int labelBlockFill(Frame& frame, int returned);

        void paintCellFill(int x, int y);
        int paintCellFill(Frame& frame, int returned);
        int paintBlockFill(Frame& frame, int returned);

        // The steps the two cell forms share, and those the two block forms share
        int callBlockOfCell(Frame& frame);
        int callCellNeighbour(Frame& frame);
        int nextAfterNeighbourCall(Frame& frame, int returned);
        int adjoiningLineCell(Frame& frame, int offset);

        void captureRegion(int x, int y);
    };

    // reachFromEnemy (x, y): marks sparsely the open cells an enemy at (x, y) can reach, so that
    // the label fills stop as soon as they meet one of them.
    void CaptureRun::reachFromEnemy(int x, int y)
    {
        stack.assign(1, { Frame::CellFill, x, y });
        state.marks[x][y] = EnemyReached;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            if (frame.neighbour == 4)
                stack.pop_back();
            else
                walkFromEnemy(frame);
        }
    }

    // One straight run of reachFromEnemy in the frame's next direction: left, right, up, then down.
    // A run that meets a non-open cell goes on from its last cell, one longer than ten cells from
    // its eleventh, each in a fresh call.
    void CaptureRun::walkFromEnemy(Frame& frame)
    {
        const Step step = cellNeighbours[frame.neighbour++];
        int x = frame.x;
        int y = frame.y;
        for (int length = 0;; ++length) {
            x += step.dx;
            y += step.dy;
            if (state.cells[x][y] != Open) {
                if (length != 0)
                    stack.push_back({ Frame::CellFill, x - step.dx, y - step.dy });
                return;
            }
            if (state.marks[x][y] == EnemyReached)
                return;
            state.marks[x][y] = EnemyReached;
            if (length == RunLength) {
                stack.push_back({ Frame::CellFill, x, y });
                return;
            }
        }
    }

    // labelCellFill (x, y, label, owners): labels the cell's region, ORing the seeds it meets into
    // `owners`; meeting an enemy mark or another region's label sets `owners` to 0 and ends the
    // fill.
    void CaptureRun::labelCellFill(int x, int y)
    {
        runFill<&CaptureRun::labelCellFill, &CaptureRun::labelBlockFill>(x, y);
    }

    int CaptureRun::labelCellFill(Frame& frame, int returned)
    {
        const int x = frame.x;
        const int y = frame.y;
        if (frame.stage == Start)
            return callBlockOfCell(frame);
        if (frame.stage == AfterBlock) {
            if (returned == 0)
                return finish();
            const uint16_t c = state.marks[x][y];
            if (c == label)
                return finish();
            if (c >= EnemyReached) {
                owners = 0;
                return finish();
            }
            if (state.cells[x][y] == Ground)
                return finish();
            owners |= c;
            state.marks[x][y] = label;
            return callCellNeighbour(frame);
        }
        if (owners == 0 || ++frame.neighbour == 4)
            return finish();
        return callCellNeighbour(frame);
    }

    // The cell forms first ask the block form to handle the cell's block if it is whole-open.
    int CaptureRun::callBlockOfCell(Frame& frame)
    {
        frame.stage = AfterBlock;
        const BlockIndex block = blockOf(state, frame.x, frame.y);
        return call(Frame::BlockFill, block.bx, block.by);
    }

    int CaptureRun::callCellNeighbour(Frame& frame)
    {
        frame.stage = AfterNeighbour;
        const Step step = cellNeighbours[frame.neighbour];
        return call(Frame::CellFill, frame.x + step.dx, frame.y + step.dy);
    }

    // labelBlockFill (bx, by, label, owners): 1 when the block is not whole-open and the caller
    // must go on cell by cell; otherwise labels the block and its whole-open neighbours and returns
    // 0.
    int CaptureRun::labelBlockFill(Frame& frame, int returned)
    {
        const int bx = frame.x;
        const int by = frame.y;
        if (frame.stage == Start) {
            if (state.blockState[bx][by] != AllOpen)
                return finish(1);
            const uint16_t v = state.blockMarks[bx][by];
            if (v == label)
                return finish(0);
            if (v >= EnemyReached) {
                owners = 0;
                return finish(0);
            }
            const Cell origin = blockOrigin(bx, by);
            for (int i = 0; i < BlockSize; ++i)
                for (int j = 0; j < BlockSize; ++j) {
                    const uint16_t mark = state.marks[origin.x + i][origin.y + j];
                    if (mark == EnemyReached) {
                        owners = 0;
                        state.blockMarks[bx][by] = EnemyReached;
                        return finish(0);
                    }
                    owners |= mark;
                }
            state.blockMarks[bx][by] = label;
            frame.stage = AfterNeighbour;
            return call(Frame::BlockFill, bx + blockNeighbours[0].dx, by + blockNeighbours[0].dy);
        }
        if (owners == 0)
            return finish(0);
        return nextAfterNeighbourCall(frame, returned);
    }

    // After a block form's call on a neighbour block or on a cell of the adjoining line: a
    // neighbour that is not whole-open is entered through the ten cells just outside this block,
    // one by one, in increasing order; then the next neighbour follows.
    int CaptureRun::nextAfterNeighbourCall(Frame& frame, int returned)
    {
        if (frame.stage == AfterNeighbour && returned == 1)
            return adjoiningLineCell(frame, 0);
        if (frame.stage == AfterLineCell && frame.offset + 1 < BlockSize)
            return adjoiningLineCell(frame, frame.offset + 1);
        if (++frame.neighbour == 4)
            return finish(0);
        frame.stage = AfterNeighbour;
        const Step step = blockNeighbours[frame.neighbour];
        return call(Frame::BlockFill, frame.x + step.dx, frame.y + step.dy);
    }

    int CaptureRun::adjoiningLineCell(Frame& frame, int offset)
    {
        frame.stage = AfterLineCell;
        frame.offset = offset;
        const Cell cell = adjoiningCell(frame.x, frame.y, frame.neighbour, offset);
        return call(Frame::CellFill, cell.x, cell.y);
    }

    // paintCellFill (x, y, label, colour, count): turns the labelled region into ground, counting
    // the formerly open cells in `count`.
    void CaptureRun::paintCellFill(int x, int y)
    {
        runFill<&CaptureRun::paintCellFill, &CaptureRun::paintBlockFill>(x, y);
    }

    int CaptureRun::paintCellFill(Frame& frame, int returned)
    {
        const int x = frame.x;
        const int y = frame.y;
        if (frame.stage == Start)
            return callBlockOfCell(frame);
        if (frame.stage == AfterBlock) {
            if (returned == 0 || state.marks[x][y] != label)
                return finish();
            state.marks[x][y] = 0;
            // Another player's unfinished trail inside the region becomes ground but is not counted
            if (state.cells[x][y] == Open)
                ++count;
            view.setCellColour(x, y, colour);
            state.cells[x][y] = Ground;
            const BlockIndex block = blockOf(state, x, y);
            state.blockState[block.bx][block.by] = BlockHasGround;
            return callCellNeighbour(frame);
        }
        if (++frame.neighbour == 4)
            return finish();
        return callCellNeighbour(frame);
    }

    // paintBlockFill (bx, by, label, colour, count): 1 when the block is not whole-open; otherwise
    // paints the block, if it carries the label, and its labelled whole-open neighbours, and
    // returns 0.
    int CaptureRun::paintBlockFill(Frame& frame, int returned)
    {
        const int bx = frame.x;
        const int by = frame.y;
        if (frame.stage != Start)
            return nextAfterNeighbourCall(frame, returned);
        if (state.blockState[bx][by] != AllOpen)
            return finish(1);
        if (state.blockMarks[bx][by] != label)
            return finish(0);
        state.blockMarks[bx][by] = 0;
        // The cells keep their marks: no cell of a whole-open block ever carries a label
        const Cell origin = blockOrigin(bx, by);
        for (int i = 0; i < BlockSize; ++i)
            for (int j = 0; j < BlockSize; ++j)
                state.cells[origin.x + i][origin.y + j] = Ground;
        count += BlockSize * BlockSize;
        view.fillBlock(origin.x, origin.y, colour);
        state.blockState[bx][by] = BlockHasGround;
        frame.stage = AfterNeighbour;
        return call(Frame::BlockFill, bx + blockNeighbours[0].dx, by + blockNeighbours[0].dy);
    }

    // The region of seed (x, y) holds no enemy: paint it and credit its owners.
    void CaptureRun::captureRegion(int x, int y)
    {
        int k = 0;
        int owner = 0;
        std::array<bool, TeamCount> involved {};
        for (int p = 0; p < PlayerCount; ++p)
            if (owners & (1u << p)) {
                owner = p;
                involved[state.players[p].team] = true;
                ++k;
            }
        colour = k >= 2 ? state.palette().groundColour
                        : tintColour(state, state.players[owner].colour);
        count = 0;
        paintCellFill(x, y);
        const double share = static_cast<double>(count) / state.W / state.H;
        int teams = 0;
        for (bool team : involved)
            teams += team ? 1 : 0;
        if (teams == 1) {
            for (int p = 0; p < PlayerCount; ++p)
                if (owners & (1u << p))
                    credit(state, p, share / k);
        } else {
            // A region closed by rival teams belongs to no one, but it is ground all the same
            state.fieldShare += share;
        }
        view.gameEvent({ GameEvent::RegionCaptured, k == 1 ? owner : -1, share });
    }

} // namespace

void capture(Game& game)
{
    GameState& state = game.state;
    CaptureRun run { state, game.view, {} };
    for (int i = static_cast<int>(state.openEnemies.size()) - 1; i >= 0; --i) {
        const Enemy& enemy = state.openEnemies[i];
        run.reachFromEnemy(enemy.x, enemy.y);
        const BlockIndex block = blockOf(state, enemy.x, enemy.y);
        if (state.blockState[block.bx][block.by] == AllOpen)
            state.blockMarks[block.bx][block.by] = EnemyReached;
    }

    // Every interior cell starts at most one fill, so the 16-bit labels never run out
    int n = 0;
    const int b = state.borderWidth;
    for (int x = state.W - b; x >= b + 1; --x)
        for (int y = state.H - b; y >= b + 1; --y) {
            const uint16_t seed = state.marks[x][y];
            if (state.cells[x][y] != Open || seed < 1 || seed > 15)
                continue;
            run.label = static_cast<uint16_t>(LabelBase + n);
            run.owners = 0;
            run.labelCellFill(x, y);
            if (run.owners != 0)
                run.captureRegion(x, y);
            ++n;
        }
}

} // namespace fendral
