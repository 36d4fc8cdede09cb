#pragma once
// Settings that hold for one run only, as the command line gives them: each one
// that is set takes the place of the stored setting while the program runs,
// and the stored one is kept for the next run.

#include <optional>
#include <string>
#include <vector>

struct RunMessage {
    std::u16string text;
    // Milliseconds a step while the message shows; none keeps the speed its place has.
    std::optional<int> speed{};
};

struct RunSettings {
    std::optional<std::u16string> title{};
    std::optional<std::u16string> buttonText{};
    // Up to five; when there are any, they replace all five messages, and the
    // places after the last one are left empty.
    std::vector<RunMessage> messages{};
    std::optional<bool> dual{};
    std::optional<bool> keepScreenOn{};
    // One of the two at most: a built-in picture by its index in the icon list,
    // or a picture file by its full path.
    std::optional<int> builtinIcon{};
    std::optional<std::u16string> iconFile{};
};
