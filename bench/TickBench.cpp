// What one tick costs at level 50, the busiest level (52 open and 25 ground enemies, four
// players): the logic step of the engine, and the sprite redraw on a window-sized canvas. Both
// together must stay far below the 9 ms between two ticks.
#include "CanvasDamage.h"
#include "FakeView.h"
#include "FieldRenderer.h"
#include "Level.h"
#include "Players.h"
#include "Tick.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QRegion>

namespace fendral {
namespace {

    // A game on the window's 128 x 81 field, drawn by a view that only records
    struct BenchGame {
        explicit BenchGame(const GameState& start = {})
            : state(start)
        {
        }
        GameState state;
        FakeView view { state };
        FakePlatform platform;
        Game game { state, view, platform };
    };

    // Level 50 for four players in two teams
    void startLevel50(Game& game)
    {
        GameState& state = game.state;
        state.rng.seed(50);
        state.allocateGrids(128, 81);
        state.teamAssignment = {};
        state.teamAssignment[0][0] = state.teamAssignment[0][1] = 1;
        state.teamAssignment[1][2] = state.teamAssignment[1][3] = 1;
        newGame(game);
        setUpLevel(game, 50);
    }

    // The first 40 steps of a fresh level 50: players walk up from the bottom row, turn, lay and
    // close trails; enemies bounce, kill and are killed around them, so every phase has work.
    void LogicStepAtLevel50(benchmark::State& run)
    {
        BenchGame start;
        startLevel50(start.game);

        constexpr int Steps = 40;
        BenchGame bench { start.state };
        GameState& state = bench.state;
        for (auto _ : run) {
            run.PauseTiming();
            state = start.state;
            bench.view.calls.clear();
            run.ResumeTiming();
            for (int step = 0; step < Steps; ++step) {
                for (int p = 0; p < PlayerCount; ++p)
                    if (step % 10 == 0)
                        requestDirection(state.players[p], step == 0 ? Up : (step / 10 + p) % 4);
                logicStep(bench.game);
            }
        }
        run.counters["per step"] = benchmark::Counter(
            Steps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
    BENCHMARK(LogicStepAtLevel50)->Unit(benchmark::kMicrosecond);

    // One tick's redraw: every sprite erased, moved a pixel and drawn again on the canvas.
    void DrawSpritesAtLevel50(benchmark::State& run)
    {
        BenchGame bench;
        startLevel50(bench.game);
        GameState& state = bench.state;
        QImage canvas(1024, 721, QImage::Format_RGB32);
        FieldRenderer renderer { state, canvas };
        renderer.createBackBuffer();
        renderer.paintNewField();
        // The window gathers the changed rectangles in tiles and repaints them as one region
        int rectangles = 0;
        CanvasDamage changed(canvas.size());
        renderer.setDirtyCallback([&](const QRect& rect) {
            ++rectangles;
            changed.add(rect);
        });
        int tick = 0;
        for (auto _ : run) {
            // Keep the sprites near their cells, as the logic steps do every eighth tick
            if (++tick % 8 == 0)
                for (auto* enemies : { &state.groundEnemies, &state.openEnemies })
                    for (Enemy& enemy : *enemies)
                        enemy = { enemy.x, enemy.y, -enemy.dx, -enemy.dy, enemy.drawnX,
                            enemy.drawnY };
            renderer.drawSprites(true);
            benchmark::DoNotOptimize(changed.takeRegion());
        }
        run.counters["rectangles/tick"]
            = benchmark::Counter(rectangles, benchmark::Counter::kAvgIterations);
    }
    BENCHMARK(DrawSpritesAtLevel50)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fendral

BENCHMARK_MAIN();
