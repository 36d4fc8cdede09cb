#pragma once
// The command line as the Linux program reads it: its arguments as text, the
// options Qt reads itself (passed on to Qt, not mistaken for wrong ones), the
// answers printed on the terminal, and what the system knows of processes.

#include "CommandLine.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

// The arguments after the program's name; the 8-bit text is UTF-8.
std::vector<std::u16string> argumentsOf(int argc, char* argv[]);

// Qt's own options (-platform, -style, ... and the X11 ones but -title, which
// would set the first window's title behind the program's back).
std::span<const ToolkitOption> qtOptions();

// Whether a process of that id is there (also one of another user).
bool processExists(std::uint32_t pid);
// The full path of a file or folder that is there.
std::optional<std::u16string> fullPathOfFile(const std::u16string& path);

// Where the settings live, for the usage text.
std::u16string settingsPlace();

// Text to standard output and standard error, as UTF-8.
void printOut(std::u16string_view text);
void printError(std::u16string_view text);
