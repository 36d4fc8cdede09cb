#pragma once
// The command line of both programs, read once before any window or toolkit
// starts, so that --help, --version and a wrong option work without a display.
// One table of options: the parser, the usage text and the manual page are all
// made from it. Plain C++; the front ends hand in their arguments as UTF-16 and
// answer what only the system knows (does a process exist).
//
//   CommandLine line = parseCommandLine(arguments, Conventions::Posix, toolkitOptions);
//   checkWithSystem(line, system);
//   if (const auto status = answerWithoutWindow(line, ...)) return *status;
//
// To add an option: its name in enum Option, a row in kOptions (CommandLine.cpp;
// the usage text and the manual page are made from it, and the end-to-end
// tests hold README.md's copy of the usage text to --help's) and its case in
// Parser::takeOption, which stores the value in CommandLine.
// An option that does its work and ends without a window (one that writes a
// file, say) is an Action too: an Action here, set in its takeOption case and
// with its value in a field of CommandLine; answerWithoutWindow, whose switch
// names every Action, answers it when it needs nothing of the system, and
// else returns nothing for it, so that each main does the work right after
// answerWithoutWindow, before any window or toolkit starts (ui/qt/main.cpp
// and ui/win32/main.cpp), and returns that work's status.

#include "RunSettings.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How the program ends, for the shell or script that started it.
namespace ExitStatus {
inline constexpr int kDone = 0;
inline constexpr int kCouldNotRun = 1;   // no display, or what the run needs cannot be had
inline constexpr int kUsage = 2;         // a wrong option or value
inline constexpr int kNotRunnable = 126; // the command is there but cannot be run
inline constexpr int kNotFound = 127;    // no such command
inline constexpr int kSignalBase = 128;  // 128 + N: the command was ended by signal N
} // namespace ExitStatus

// Linux takes "--name" and passes the toolkit's own options on; Windows takes
// "--name" and "/name" (also "/name:value" and "/?") and has no toolkit options.
enum class Conventions { Posix, Windows };

// An option the toolkit reads itself (Qt's -platform, -style, ...). It is taken
// with one dash or two, and "-name=value" where it has a value.
struct ToolkitOption {
    std::u16string_view name;
    bool takesValue;
};

enum class Option {
    Help,
    Version,
    Export,
    Import,
    Title,
    Button,
    Message,
    Single,
    Dual,
    Icon,
    KeepScreenOn,
    NoKeepScreenOn,
    For,
    While,
    Command,
};

// One row of the usage text and the manual page.
struct OptionInfo {
    Option option;
    std::u16string_view letter; // "h" for -h, or empty
    std::u16string_view name;   // "title" for --title; empty for the command after --
    std::u16string_view value;  // what the value stands for, or empty
    std::u16string_view help;   // what it does, one line
};

// Every option, in the order the usage text lists them.
std::span<const OptionInfo> commandLineOptions();
// How the usage text writes an option: "-h, --help", "--title TEXT", "-- COMMAND [ARGUMENT]...".
std::u16string optionSpelling(const OptionInfo& info);
// What the values stand for, one line each: what MS, NAME and DURATION may be.
std::span<const std::u16string_view> commandLineValueNotes();
// The exit statuses, one line each.
std::span<const std::u16string_view> exitStatusNotes();

struct CommandLine {
    enum class Action {
        Run,     // open the window
        Help,    // print the usage text
        Version, // print the version
        Usage,   // a wrong option: say so, status 2
        Export,  // write the settings to settingsFile (SettingsFileAction.h)
        Import,  // read the settings from settingsFile
    };
    Action action = Action::Run;
    std::u16string error; // Usage: what is wrong, one line without "tarrowin: "

    RunSettings settings;
    std::optional<std::chrono::seconds> runFor;
    std::optional<std::uint32_t> runWhile;     // a process id
    std::optional<std::size_t> command;        // where the command starts among the arguments
    std::vector<std::size_t> toolkitArguments; // the toolkit's, in their order
    std::u16string settingsFile;               // Export, Import: the .reg file, "-" a stream

    // Any option of the program's own: the run is someone's script, so a first
    // start shows neither the welcome nor the dialog.
    bool ownOptions = false;
};

// Reads the arguments that follow the program's name. The first thing that
// ends the reading (--help, --version, a wrong option) decides the action.
CommandLine parseCommandLine(std::span<const std::u16string> arguments, Conventions conventions,
                             std::span<const ToolkitOption> toolkit = {});

// What only the system can answer, asked once the options are read: an --icon
// file that is not there is a usage error, one that is there is kept as a
// full path (so that it is found whatever the folder); so is a process to wait
// for that is not there (or is this program): never a run that cannot end.
struct SystemQuestions {
    // The full path of a file or folder that is there; nothing when none is.
    std::function<std::optional<std::u16string>(const std::u16string& path)> fullPathOfFile;
    std::function<bool(std::uint32_t pid)> processExists;
    std::function<std::uint32_t()> ownProcess;
};
void checkWithSystem(CommandLine& line, const SystemQuestions& system);

// "Tarrowin 1.02".
std::u16string versionText();
// The usage text: every option on a line of its own, what the values may be,
// the exit statuses, and where the settings live (settingsPlace).
std::u16string usageText(Conventions conventions, std::u16string_view settingsPlace);
// The two lines of a usage error.
std::u16string usageErrorText(std::u16string_view error);

// Where the text of an answer goes: standard output and standard error on
// Linux, the console or a message box on Windows.
using TextOutput = std::function<void(std::u16string_view text)>;

// Answers the command lines that need no window (help, version, a usage error)
// and returns the exit status; nothing for a run that opens the window (and
// for an action that its main does itself).
std::optional<int> answerWithoutWindow(const CommandLine& line, Conventions conventions,
                                       std::u16string_view settingsPlace, const TextOutput& out,
                                       const TextOutput& err);

// A Windows command line split as CommandLineToArgvW splits it, each argument
// with where it starts in the line: the command after "--" is handed on as the
// rest of the line, exactly as it was written.
struct SplitArgument {
    std::u16string text;
    std::size_t offset;
};
std::vector<SplitArgument> splitWindowsCommandLine(std::u16string_view line);

// A time to run: "90" (seconds), "90s", "15m", "2h", "1h30m", "1h30m15s".
// Nothing for anything else, for no time at all, and beyond kLongestRun.
inline constexpr std::chrono::hours kLongestRun{24 * 365};
std::optional<std::chrono::seconds> parseDuration(std::u16string_view text);
