// The diagnostics lines and the guard around handlers that the toolkit or the
// system calls. The test program runs with TARROWIN_DIAGNOSTICS=1 (see
// CMakeLists.txt), so the lines are on.
#include "Diagnostics.h"
#include "ControlEvent.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Line {
    Diagnostics::Area area;
    std::string text;
};
std::vector<Line> lines;

void record(Diagnostics::Area area, std::string_view message) {
    lines.push_back({area, std::string(message)});
}

class DiagnosticsLines : public ::testing::Test {
protected:
    void SetUp() override {
        lines.clear();
        Diagnostics::setSink(record);
    }
    void TearDown() override { Diagnostics::setSink(nullptr); }
};

TEST(DiagnosticsSwitch, OnlyAValueOtherThanEmptyOrZeroSwitchesTheLinesOn) {
    EXPECT_FALSE(Diagnostics::switchedOn(nullptr));
    EXPECT_FALSE(Diagnostics::switchedOn(""));
    EXPECT_FALSE(Diagnostics::switchedOn("0"));
    EXPECT_TRUE(Diagnostics::switchedOn("1"));
    EXPECT_TRUE(Diagnostics::switchedOn("yes"));
    EXPECT_TRUE(Diagnostics::enabled()) << "the test program runs with TARROWIN_DIAGNOSTICS=1";
}

TEST_F(DiagnosticsLines, ANoteReachesTheChannelOnceWithItsArea) {
    Diagnostics::note(Diagnostics::Area::Store, "set aside");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].area, Diagnostics::Area::Store);
    EXPECT_EQ(lines[0].text, "set aside");
    EXPECT_EQ(Diagnostics::areaName(Diagnostics::Area::ScreenSaver), "screensaver");
}

// Only the toolkit's callbacks stop what a handler throws; a change the
// program made itself hands it on to the code that made it.
TEST_F(DiagnosticsLines, AnExceptionLeavingAGuardedEventStopsThereAndIsNoted) {
    int ran = 0;
    const ControlEvent failing = [&] {
        ++ran;
        throw std::runtime_error("the window could not be built");
    };
    EXPECT_THROW(raiseEvent(failing), std::runtime_error);
    EXPECT_TRUE(lines.empty());
    EXPECT_NO_THROW(raiseGuardedEvent(failing));
    const ControlEvent odd = [] { throw 42; };
    EXPECT_NO_THROW(raiseGuardedEvent(odd));
    EXPECT_EQ(ran, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].area, Diagnostics::Area::Events);
    EXPECT_NE(lines[0].text.find("the window could not be built"), std::string::npos)
        << lines[0].text;
    EXPECT_NE(lines[1].text.find("unknown type"), std::string::npos) << lines[1].text;
}

// A window whose close handler throws still answers the close request.
class ThrowingWindow : public Window {
public:
    std::u16string caption() const override { return {}; }
    void setCaption(std::u16string_view) override {}
    void show() override {}
    void hide() override {}
    bool isVisible() const override { return false; }
    void close() override { closed = raiseUnload() == 0; }
    bool closed = false;
};

TEST_F(DiagnosticsLines, AnExceptionLeavingTheCloseHandlerKeepsWhatItHadDecided) {
    ThrowingWindow window;
    window.Unload = [](int& Cancel) {
        Cancel = 1;
        throw std::runtime_error("store failed");
    };
    EXPECT_NO_THROW(window.close());
    EXPECT_FALSE(window.closed) << "Cancel was set before the exception";
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].text.find("store failed"), std::string::npos) << lines[0].text;
}

} // namespace
