#include "generate/catalogue.h"
#include "generate/questionmaker.h"
#include "generate/randomsource.h"

#include <benchmark/benchmark.h>

// Lines per second of the question maker for one type at one level.
static void BM_MakeQuestion(benchmark::State &state)
{
    const auto type = qint16(state.range(0));
    const auto level = qint16(state.range(1));
    SeededRandom rnd(1);
    QuestionMaker maker(rnd);
    for (auto _ : state)
        benchmark::DoNotOptimize(maker.make(type, level));
    state.SetItemsProcessed(state.iterations());
    state.SetLabel("type " + std::to_string(type) + " level " + std::to_string(level));
}

static void everyTypeAndLevel(benchmark::internal::Benchmark *b)
{
    for (qint16 type = 1; type <= catalogue::kTypeCount; ++type) {
        for (qint16 level = 1; level <= catalogue::levelCount(type); ++level)
            b->Args({ type, level });
    }
}

BENCHMARK(BM_MakeQuestion)->Apply(everyTypeAndLevel);

BENCHMARK_MAIN();
