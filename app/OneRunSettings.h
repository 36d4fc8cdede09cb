#pragma once
// The settings of a run started with options of its own: a script's run. What
// the options set takes the place of the stored settings for this run only.
//
// Loading: the stored settings go into the dialog, except those the run sets,
// which are kept aside as they were stored; then the run's go in, through the
// dialog's change handling as an edit would (the screen-saver box acts at
// once). A first start (no settings key) reads nothing, creates nothing and
// greets no one: the welcome waits for the next plain start.
//
// Storing: the dialog is the one live copy, and the user may have changed it
// during the run. Each setting that still shows what the run started with is
// stored as it was loaded; one the user changed is stored as changed. On a
// first start the key is made only when the user changed something.

#include "RunSettings.h"
#include "SettingsStore.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>

class OneRunSettings {
public:
    explicit OneRunSettings(RunSettings settings);

    void load(SettingsStore::Controls& dialog);
    void store(const SettingsStore::Controls& dialog) const;

    // Every stored setting: title, five messages, five speeds, icon path, button
    // text (texts), then dual and saver (check boxes) and the icon index.
    static constexpr int kSettings = 16;
    using Value = std::variant<std::u16string, std::int32_t>;
    using Values = std::array<Value, kSettings>;

private:
    void apply(SettingsStore::Controls& dialog) const;

    RunSettings settings_;
    std::array<bool, kSettings> set_{}; // the settings this run sets
    bool noKey_ = false;
    Values stored_; // as loaded (the run's own kept aside)
    Values shown_;  // as the run started
};
