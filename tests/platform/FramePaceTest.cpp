// The once-a-frame hand-over of the bars' values, on a clock stepped by hand.
#include "FramePace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using namespace std::chrono_literals;

TEST(FramePace, ChangeGoesAtOnceWhenAFrameIsDueElseTheLatestWaitsForTheNext) {
    FramePace::Clock::time_point now{100s};
    FramePace pace([&now] { return now; });
    std::vector<std::string> shown;
    const int first = 0, second = 0; // the owners: two bars
    const auto show = [&shown](std::string value) {
        return [&shown, value] { shown.push_back(value); };
    };

    pace.handOn(&first, show("first 1"));
    EXPECT_EQ(shown, std::vector<std::string>{"first 1"}) << "no frame yet: at once";
    EXPECT_FALSE(pace.isWaiting());

    now += 1ms;
    pace.handOn(&first, show("first 2"));
    pace.handOn(&second, show("second 1"));
    pace.handOn(&first, show("first 3"));
    EXPECT_EQ(shown.size(), 1u) << "within the frame, they wait";
    EXPECT_TRUE(pace.isWaiting());
    EXPECT_EQ(pace.untilNextFrame(), 15ms);
    now += 14ms;
    EXPECT_FALSE(pace.isFrameDue());
    EXPECT_EQ(pace.untilNextFrame(), 1ms);
    now += 1ms;
    EXPECT_TRUE(pace.isFrameDue());
    EXPECT_EQ(pace.untilNextFrame(), 0ms);
    pace.runFrame();
    EXPECT_EQ(shown, (std::vector<std::string>{"first 1", "second 1", "first 3"}))
        << "each owner's latest only";
    EXPECT_FALSE(pace.isWaiting());

    now += 15ms;
    pace.handOn(&second, show("second 2"));
    EXPECT_EQ(shown.size(), 3u) << "15 ms after the frame began: it waits";
    now += 1ms;
    pace.handOn(&second, show("second 3"));
    EXPECT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown.back(), "second 3") << "16 ms after: at once, in place of the one that waited";
    EXPECT_EQ(pace.untilNextFrame(), 16ms) << "and it begins a frame";

    now += 1ms;
    pace.handOn(&first, show("first 4"));
    pace.forget(&first); // the bar goes away
    EXPECT_FALSE(pace.isWaiting());
    now += 20ms;
    pace.runFrame();
    EXPECT_EQ(shown.back(), "second 3");
}
} // namespace
