// Speed of one backwater computation and of writing its report rows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "backwater/backwater.h"
#include "backwater/report_file.h"

namespace {

BackwaterInput example(int Pa) {
    return {2.0, 1.5, 1.5, 10.0, 30.0, 1e-3, 1.0, 100.0, 3.0, 103.0, Pa};
}

void BM_computeBackwater(benchmark::State& state) {
    auto march = std::make_unique<FineMarch>();
    auto result = std::make_unique<BackwaterResult>();
    const BackwaterInput in = example(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        computeBackwater(in, *march, *result);
        benchmark::DoNotOptimize(result->length);
    }
}
BENCHMARK(BM_computeBackwater)->Arg(1)->Arg(15000)->Unit(benchmark::kMillisecond);

void BM_writeReportBody(benchmark::State& state) {
    auto march = std::make_unique<FineMarch>();
    auto result = std::make_unique<BackwaterResult>();
    const BackwaterInput in = example(15000);
    computeBackwater(in, *march, *result);
    ReportStream stream{std::fopen("/dev/null", "wb"), "/dev/null"};
    for (auto _ : state) {
        writeReportBody(stream, in, *result);
        std::fflush(stream.file);
    }
    std::fclose(stream.file);
}
BENCHMARK(BM_writeReportBody)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
