// Speed of one backwater computation, of writing its report rows, and of the
// whole Calculate command from the field texts to the closed report.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "backwater/backwater.h"
#include "backwater/calculate_command.h"
#include "backwater/pelvarin_fields.h"
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

// The window of the worked channel: fields by control, messages dropped.
class ExampleWindow final : public DialogPort {
public:
    std::string pa = "15000";
    std::string file;
    void readField(int controlId, char* buffer, int size) override {
        const char* text = "";
        switch (controlId) {
            case IDC_BSO: text = "2"; break;
            case IDC_M: case IDC_N: text = "1.5"; break;
            case IDC_Q: text = "10"; break;
            case IDC_KST: text = "30"; break;
            case IDC_ISO: text = "0.001"; break;
            case IDC_BETA: text = "1"; break;
            case IDC_L: text = "100"; break;
            case IDC_HU: text = "3"; break;
            case IDC_WSP: text = "103"; break;
            case IDC_PA: text = pa.c_str(); break;
            case IDC_FILE: text = file.c_str(); break;
            default: break;
        }
        std::snprintf(buffer, static_cast<std::size_t>(size), "%s", text);
    }
    void writeField(int, const char*) override {}
    void showMessage(const char*, const char*) override {}
};

void BM_calculateCommand(benchmark::State& state) {
    char folder[] = "/tmp/pelvarin_bench_XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    ExampleWindow window;
    window.pa = std::to_string(state.range(0));
    long run = 0;
    for (auto _ : state) {
        window.file = std::string(folder) + "/r" + std::to_string(run++);
        benchmark::DoNotOptimize(runCalculateCommand(window));
        state.PauseTiming();
        std::remove((window.file + ".txt").c_str());
        state.ResumeTiming();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_calculateCommand)->Arg(1)->Arg(15000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
