#include "ServerSaver.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// A server as the X requests see it; dpms says whether it has the extension.
class FakeServer final : public ServerSaverRequests {
public:
    FakeServer(ScreenSaverTimes times, bool dpms) : times_(times), dpms_(dpms) {}

    ScreenSaverTimes screenSaver() override { return times_; }
    void setScreenSaver(const ScreenSaverTimes& times) override { times_ = times; }
    bool dpmsCapable() override { return dpms_; }
    void setDpmsEnabled(bool enabled) override {
        ASSERT_TRUE(dpms_) << "power saving switched on a server without DPMS";
        dpmsEnabled = enabled;
    }

    const ScreenSaverTimes& times() const { return times_; }
    std::optional<bool> dpmsEnabled;

private:
    ScreenSaverTimes times_;
    bool dpms_;
};

TEST(ServerSaver, SwitchesTheSaverTimeoutAndDisplayPowerTogether) {
    struct Case {
        bool active;
        bool dpms;
        int timeout;
        std::optional<bool> dpmsEnabled;
    };
    const Case cases[] = {
        {false, true, 0, false},
        {true, true, -1, true},
        {false, false, 0, std::nullopt},
        {true, false, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "active " << c.active << " dpms " << c.dpms);
        FakeServer server(
            {.timeout = 600, .interval = 30, .preferBlanking = 2, .allowExposures = 1}, c.dpms);
        EXPECT_EQ(SwitchServerSaver(server, c.active), c.dpms);
        EXPECT_EQ(server.times().timeout, c.timeout);
        // The user's cycle and blanking choices stay as the server had them.
        EXPECT_EQ(server.times().interval, 30);
        EXPECT_EQ(server.times().preferBlanking, 2);
        EXPECT_EQ(server.times().allowExposures, 1);
        EXPECT_EQ(server.dpmsEnabled, c.dpmsEnabled);
    }
}

} // namespace
