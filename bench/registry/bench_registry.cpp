// Google Benchmark figures for the registry store: the registry functions the
// program relies on and the settings' save and load sequences.
// bench/registry/compare sets the same operations against Wine's registry.

#include "RegistryBenchCases.h"

#include <benchmark/benchmark.h>

namespace {

// Items are registry calls: an enumeration pass makes one call per value.
template <void (*Operation)(HKEY), int Calls = 1> void keyOperation(benchmark::State& state) {
    RegistryBench::Fixture fixture;
    for (auto _ : state)
        Operation(fixture.key());
    state.SetItemsProcessed(state.iterations() * Calls);
}

template <void (*Operation)()> void operation(benchmark::State& state) {
    RegistryBench::Fixture fixture;
    for (auto _ : state)
        Operation();
    state.SetItemsProcessed(state.iterations());
}

void enumeration(benchmark::State& state) {
    keyOperation<RegistryBench::enumerateValues, RegistryBench::kSettingsCount>(state);
}

} // namespace

BENCHMARK(keyOperation<RegistryBench::setValue>)->Name("RegSetValueExA");
BENCHMARK(keyOperation<RegistryBench::queryValue>)->Name("RegQueryValueExA/size+read");
BENCHMARK(enumeration)->Name("RegEnumValueA/15 values");
BENCHMARK(operation<RegistryBench::openAndClose>)->Name("RegOpenKeyExA+RegCloseKey");
BENCHMARK(operation<RegistryBench::saveSettings>)
    ->Name("SaveSettings/15 writes")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(operation<RegistryBench::loadSettings>)
    ->Name("LoadSettings/15 reads")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

BENCHMARK_MAIN();
