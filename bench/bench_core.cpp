// Speed of the core solvers. A backwater command calls nextProfileDepth
// about 30,000 times, the depth solvers once each.
#include <benchmark/benchmark.h>

#include "core/depth_solvers.h"
#include "core/portable_pow.h"
#include "core/standard_step.h"

namespace {

// Latency of one power with the friction exponent: each result feeds the
// next argument, as in a bisection.
void BM_portablePowLatency(benchmark::State& state) {
    double x = 1.7;
    for (auto _ : state) {
        x = 1.0 + portablePow(x, 1.33333333333333) * 1e-3;
        benchmark::DoNotOptimize(x);
    }
}
BENCHMARK(BM_portablePowLatency);

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
