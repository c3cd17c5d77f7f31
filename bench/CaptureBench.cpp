// The capture on a 128 x 81 field: a long trail closed on a fresh level, and the worst field,
// one corridor a cell wide winding through the whole interior.
#include "Capture.h"

#include "FakeView.h"
#include "FieldPicture.h"

#include <benchmark/benchmark.h>

namespace fendral {
namespace {

    // A screen that draws nothing, so that only the capture itself is measured
    class SilentView : public FakeView {
    public:
        using FakeView::FakeView;
        void setCellColour(int, int, Colour) override { }
        void fillBlock(int, int, Colour) override { }
    };

    // Runs the capture on fresh copies of a field whose trails have just closed.
    void measureCapture(benchmark::State& run, const GameState& closed)
    {
        GameState state = closed;
        SilentView view { state };
        FakePlatform platform;
        Game game { state, view, platform };
        int captured = 0;
        for (auto _ : run) {
            run.PauseTiming();
            state = closed;
            run.ResumeTiming();
            capture(game);
            benchmark::DoNotOptimize(state.fieldShare);
        }
        for (int x = 1; x <= state.W; ++x)
            for (int y = 1; y <= state.H; ++y)
                captured += state.cells[x][y] != closed.cells[x][y] ? 1 : 0;
        run.counters["cells"] = captured;
    }

    GameState closedField(const std::vector<std::string>& rows)
    {
        GameState state;
        state.players[0].team = 0;
        loadPicture(state, rows, 2);
        closeTrails(state, { 0 });
        return state;
    }

    // Level 1: three open enemies above a trail run straight across the field at row 40; the
    // lower half, mostly whole-open blocks, is captured.
    void CaptureLongTrailOnFreshLevel(benchmark::State& run)
    {
        std::vector<std::string> rows = openPicture(128, 81, 2);
        for (int x = 3; x <= 126; ++x)
            rows[40 - 1][x - 1] = 'a';
        rows[10 - 1][20 - 1] = rows[20 - 1][70 - 1] = rows[30 - 1][110 - 1] = 'o';
        measureCapture(run, closedField(rows));
    }
    BENCHMARK(CaptureLongTrailOnFreshLevel)->Unit(benchmark::kMicrosecond);

    // No block is whole-open: every cell is labelled and painted one by one, along one path.
    void CaptureSerpentine(benchmark::State& run)
    {
        std::vector<std::string> rows = serpentinePicture(128, 81, 2);
        rows[3 - 1][3 - 1] = 'a';
        measureCapture(run, closedField(rows));
    }
    BENCHMARK(CaptureSerpentine)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fendral

BENCHMARK_MAIN();
