#include "ProcessCpu.h"

#include <gtest/gtest.h>

#include <unistd.h>

TEST(StatLine, AddsUserAndSystemTicks) {
    // Fields 14 and 15 are 250 and 40; the children's times after them are not ours.
    const char* line = "1234 (Xvfb) S 1 1234 1234 0 -1 4194560 5000 0 12 0 250 40 7 9 20 0 1 0 100 "
                       "1000000 2000 18446744073709551615\n";
    EXPECT_EQ(cpuTicksFromStat(line), 290);
}

TEST(StatLine, ReadsPastANameWithBlanksAndParentheses) {
    const char* line = "42 (a) S (b) 1) R 1 42 42 0 -1 0 0 0 0 0 3 4 5 6 20 0 1 0 1 1 1\n";
    EXPECT_EQ(cpuTicksFromStat(line), 7);
}

TEST(StatLine, RefusesATruncatedOrGarbledLine) {
    EXPECT_FALSE(cpuTicksFromStat(""));
    EXPECT_FALSE(cpuTicksFromStat("42 (x) S 1 42 42 0 -1 0 0 0 0 0 3"));
    EXPECT_FALSE(cpuTicksFromStat("42 (x) S 1 42 42 0 -1 0 0 0 0 0 3x 4 5"));
}

TEST(ProcessCpu, AgreesWithTheProcessOwnAccount) {
    // Burn a fifth of a second, then read the same process both ways; /proc
    // counts in clock ticks, so allow a few of them.
    const double start = ownCpuSeconds();
    volatile unsigned long sink = 0;
    while (ownCpuSeconds() - start < 0.2)
        sink = sink + 1;
    const auto fromProc = processCpuSeconds(getpid());
    ASSERT_TRUE(fromProc);
    EXPECT_NEAR(*fromProc, ownCpuSeconds(), 0.05);
}

TEST(ProcessCpu, NothingForAProcessThatIsNotThere) {
    EXPECT_FALSE(processCpuSeconds(-1));
}
