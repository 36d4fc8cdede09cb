#pragma once
// --export FILE and --import FILE: the settings key as a .reg file, written or
// read by each main right after answerWithoutWindow, before any window or
// toolkit starts, so that both work without a display and open no window.

#include "CommandLine.h"

#include <optional>

// The exit status of an export or an import, its one line of failure on err;
// nothing for a command line that asks for neither.
std::optional<int> doSettingsFileAction(const CommandLine& line, const TextOutput& err);
