#pragma once
// CPU time (user + system) used so far, of this process or of another one, in
// seconds. The other process is read from /proc, so that the X server's share of
// the painting can be counted beside the program's own.

#include <optional>
#include <string_view>
#include <sys/types.h>

double ownCpuSeconds();

// None when the process is gone or /proc cannot be read.
std::optional<double> processCpuSeconds(pid_t pid);

// utime + stime, in clock ticks, from the text of /proc/<pid>/stat. The command
// name in parentheses may itself hold blanks and parentheses.
std::optional<long long> cpuTicksFromStat(std::string_view stat);
