// How fast --verify-replay plays a game back: four computer players from level 1, 25 or 50 (the
// busiest, 52 open and 25 ground enemies) played headless, against the 13.9 logic steps a second
// of the game as it is played on the window's 128 x 81 field (a step every 8 ticks of 9 ms). The
// rate "played_seconds" (seconds of play checked per second) must stay above 1000.
#include "ReplayPlayer.h"
#include "ScriptedGames.h"

#include <benchmark/benchmark.h>

namespace fendral {
namespace {

    constexpr double StepsPerSecondPlayed = 1000 / 72.0;

    Replay gameFrom(int level)
    {
        GameScript script;
        script.name = "bench";
        script.playerTeams = { { 0, 0 }, { 1, 1 }, { 2, 0 }, { 3, 1 } };
        script.startingLevel = level;
        script.stepBudget = 20000;
        script.revive = true;
        return playScript(script);
    }

    void verifyGame(benchmark::State& run)
    {
        const Replay replay = gameFrom(static_cast<int>(run.range(0)));
        int64_t steps = 0;
        for (auto _ : run) {
            const VerifyResult result = verifyReplay(replay, [](const PlayedLevel&) {});
            if (!result.ok)
                run.SkipWithError("the game did not verify");
            steps += result.steps;
        }
        run.counters["steps"] = static_cast<double>(replay.summary.steps);
        run.counters["levels"] = replay.summary.levelReached - replay.header.startingLevel + 1;
        run.counters["played_seconds"] = benchmark::Counter(
            static_cast<double>(steps) / StepsPerSecondPlayed, benchmark::Counter::kIsRate);
    }

} // namespace

BENCHMARK(verifyGame)->Arg(1)->Arg(25)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace fendral

BENCHMARK_MAIN();
