// Saving and loading a whole project file, as the program does at start, on close and on
// Ctrl+S. Each is run once per repetition, 1,000 repetitions; read the median line.
#include "app/DeviceState.h"
#include "app/ProjectFile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

std::string BenchPath() {
    static const std::string path = [] {
        // VELKAN_BENCH_DIR picks the file system (the save's cost is mostly its flush to disk).
        const char* base = std::getenv("VELKAN_BENCH_DIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/velkan-bench-XXXXXX";
        return std::string(mkdtemp(pattern.data())) + "/bench.pro";
    }();
    return path;
}

void FillState() {
    auto& s = GetDeviceState();
    std::mt19937 rng(3);
    for (auto& p : s.PictureSettings) p.Brightness = static_cast<uint8_t>(rng());
    for (auto& c : s.CropRect) c.Width = static_cast<uint16_t>(rng());
    s.OutputTiming = {10, 1920, 1080, 6000, 2200, 1125, 44, 5, 148, 36, 1, 0};
    for (auto& c : s.InputCardType) c = 4;
}

void SaveProject(benchmark::State& state) {
    FillState();
    for (auto _ : state) benchmark::DoNotOptimize(WriteProjectFile(BenchPath()));
}

void LoadProject(benchmark::State& state) {
    FillState();
    WriteProjectFile(BenchPath());
    for (auto _ : state) benchmark::DoNotOptimize(ReadProjectFile(BenchPath()));
}

} // namespace

BENCHMARK(SaveProject)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1000)->ReportAggregatesOnly(true);
BENCHMARK(LoadProject)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1000)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
