// Speed of the core solvers. A backwater command calls nextProfileDepth
// about 30,000 times, the depth solvers once each.
#include <benchmark/benchmark.h>

#include "depth_solvers.h"
#include "standard_step.h"

namespace {

void BM_criticalDepth(benchmark::State& state) {
    double Q = 10.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(criticalDepth(2.0, 1.5, 1.5, Q));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_criticalDepth);

void BM_normalDepth(benchmark::State& state) {
    double Q = 10.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(normalDepth(Q, 30.0, 2.0, 1.5, 1.5, 1e-3));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_normalDepth);

void BM_nextProfileDepth(benchmark::State& state) {
    double h = 3.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(nextProfileDepth(h, 1.0, 2.0, 1.5, 1.5, 10.0, 1.0, 30.0, 1e-3));
    }
}
BENCHMARK(BM_nextProfileDepth);

void BM_stepResidual(benchmark::State& state) {
    double h = 2.9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h);
        benchmark::DoNotOptimize(stepResidual(h, 3.0, 1.0, 2.0, 1.5, 1.5, 10.0, 1.0, 30.0, 1e-3));
    }
}
BENCHMARK(BM_stepResidual);

}  // namespace

BENCHMARK_MAIN();
