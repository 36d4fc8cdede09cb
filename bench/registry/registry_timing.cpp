// Times the registry operations without Google Benchmark, so that one program
// measures our store natively and, cross-built, Wine's registry. Each line of
// output is "name<TAB>figure<TAB>unit":
//   calls per second of each registry function (median of five runs), and
//   the median time of the settings' 15-write save and 15-read load, and of
//   enumerating a key of 10,000 values.
// The optional argument is the length of one run in seconds (default 0.5).

#include "RegistryBenchCases.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;
constexpr int kSequenceRepetitions = 200;
constexpr int kLargeRepetitions = 5;

double median(std::vector<double> figures) {
    std::sort(figures.begin(), figures.end());
    return figures[figures.size() / 2];
}

double callsPerSecond(const std::function<void()>& operation, int callsEach, double seconds) {
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        long calls = 0;
        const auto start = Clock::now();
        const auto end = start + std::chrono::duration<double>(seconds);
        auto now = start;
        while (now < end) {
            operation();
            calls += callsEach;
            now = Clock::now();
        }
        rates.push_back(calls / std::chrono::duration<double>(now - start).count());
    }
    return median(rates);
}

double medianMilliseconds(const std::function<void()>& sequence,
                          int repetitions = kSequenceRepetitions) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        const auto start = Clock::now();
        sequence();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 0.5;
    RegistryBench::Fixture fixture;
    const HKEY key = fixture.key();
    struct Row {
        const char* name;
        int callsEach;
        std::function<void()> operation;
    };
    const Row rows[] = {
        {"RegSetValueExA", 1, [key] { RegistryBench::setValue(key); }},
        {"RegQueryValueExA (size + read)", 1, [key] { RegistryBench::queryValue(key); }},
        {"RegEnumValueA (key of 15 values)", RegistryBench::kSettingsCount,
         [key] { RegistryBench::enumerateValues(key); }},
        {"RegOpenKeyExA + RegCloseKey", 1, RegistryBench::openAndClose},
    };
    for (const Row& row : rows)
        std::printf("%s\t%.0f\tcalls/s\n", row.name,
                    callsPerSecond(row.operation, row.callsEach, seconds));
    std::printf("save: 15 writes (median)\t%.3f\tms\n",
                medianMilliseconds(RegistryBench::saveSettings));
    std::printf("load: 15 reads (median)\t%.3f\tms\n",
                medianMilliseconds(RegistryBench::loadSettings));
    const HKEY large = fixture.largeKey();
    std::printf("RegEnumValueA: all of 10,000 values\t%.3f\tms\n",
                medianMilliseconds([large] { RegistryBench::enumerateLargeKey(large); },
                                   kLargeRepetitions));
    return 0;
}
