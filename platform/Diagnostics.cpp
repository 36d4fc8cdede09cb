#include "Diagnostics.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace Diagnostics {
namespace {

constexpr const char* kSwitch = "TARROWIN_DIAGNOSTICS";

void toStandardError(Area area, std::string_view message) {
    const std::string_view name = areaName(area);
    std::fprintf(stderr, "tarrowin: %.*s: %.*s\n", int(name.size()), name.data(),
                 int(message.size()), message.data());
}

std::atomic<Sink> sink{toStandardError};

} // namespace

std::string_view areaName(Area area) {
    switch (area) {
    case Area::Store:
        return "store";
    case Area::Session:
        return "session";
    case Area::ScreenSaver:
        return "screensaver";
    case Area::Picture:
        return "picture";
    case Area::Events:
        return "events";
    }
    return "events";
}

bool switchedOn(const char* value) {
    return value && *value && std::string_view(value) != "0";
}

bool enabled() {
    static const bool on = switchedOn(std::getenv(kSwitch));
    return on;
}

void note(Area area, std::string_view message) noexcept {
    if (!enabled()) return;
    try {
        sink.load()(area, message);
    } catch (...) {
        // A channel that fails loses the line; the program goes on.
    }
}

void setSink(Sink newSink) {
    sink.store(newSink ? newSink : toStandardError);
}

void noteEscapedException(std::string_view where, const std::exception_ptr& error) noexcept {
    try {
        std::string line(where);
        try {
            std::rethrow_exception(error);
        } catch (const std::exception& e) {
            line += ": stopped by an exception: ";
            line += e.what();
        } catch (...) {
            line += ": stopped by an exception of unknown type";
        }
        note(Area::Events, line);
    } catch (...) {
        // Not even the line could be made: the handler stays stopped, quietly.
    }
}

} // namespace Diagnostics
