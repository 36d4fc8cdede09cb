#include "ProcessCpu.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {
double seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

// Fields after the command name, counted from the state field (field 3 of proc(5)).
constexpr int kUtimeAfterName = 14 - 3;
constexpr int kStimeAfterName = 15 - 3;
} // namespace

double ownCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

std::optional<long long> cpuTicksFromStat(std::string_view stat) {
    const auto nameEnd = stat.rfind(')');
    if (nameEnd == std::string_view::npos) return std::nullopt;
    std::string_view rest = stat.substr(nameEnd + 1);
    long long total = 0;
    for (int field = 0; field <= kStimeAfterName; ++field) {
        const auto start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(start);
        const auto end = std::min(rest.find(' '), rest.size());
        if (field == kUtimeAfterName || field == kStimeAfterName) {
            long long value = 0;
            const auto [ptr, error] = std::from_chars(rest.data(), rest.data() + end, value);
            if (error != std::errc() || ptr != rest.data() + end) return std::nullopt;
            total += value;
        }
        rest.remove_prefix(end);
    }
    return total;
}

std::optional<double> processCpuSeconds(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    if (!file) return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    const auto ticks = cpuTicksFromStat(text.str());
    if (!ticks) return std::nullopt;
    return static_cast<double>(*ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}
