#include "CommandLine.h"

#include "Form2.h"
#include "TarrowinVersion.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace {

constexpr std::array kOptions{
    OptionInfo{Option::Help, u"h", u"help", u"", u"show this text and end"},
    OptionInfo{Option::Version, u"", u"version", u"", u"show the version and end"},
    OptionInfo{Option::Export, u"", u"export", u"REGFILE",
               u"write the settings to a .reg file and end"},
    OptionInfo{Option::Import, u"", u"import", u"REGFILE",
               u"read the settings from a .reg file and end"},
    OptionInfo{Option::Title, u"", u"title", u"TEXT", u"the window's title"},
    OptionInfo{Option::Button, u"", u"button", u"TEXT", u"the button's text"},
    OptionInfo{Option::Message, u"", u"message", u"TEXT[:MS]",
               u"a status message; up to five, shown in turn"},
    OptionInfo{Option::Single, u"", u"single", u"", u"one progress bar"},
    OptionInfo{Option::Dual, u"", u"dual", u"", u"two progress bars"},
    OptionInfo{Option::Icon, u"", u"icon", u"NAME|FILE", u"a built-in picture, or a picture file"},
    OptionInfo{Option::KeepScreenOn, u"", u"keep-screen-on", u"", u"keep the screen from blanking"},
    OptionInfo{Option::NoKeepScreenOn, u"", u"no-keep-screen-on", u"",
               u"leave the screen saver alone"},
    OptionInfo{Option::For, u"", u"for", u"DURATION", u"end after that time"},
    OptionInfo{Option::While, u"", u"while", u"PID", u"end when that process ends"},
    OptionInfo{Option::Command, u"", u"", u"COMMAND [ARGUMENT]...",
               u"run it; end when it ends, with its exit status"},
};

constexpr std::array<std::u16string_view, 6> kValueNotes{
    u"What an option sets holds for this run only; the stored settings stay.",
    u"MS: 1 to 50000 ms a step; without it a message keeps its place's speed.",
    u"NAME: Gear, Arrow, Scissors, Folder, Files, CD or Monitor.",
    u"DURATION: seconds, or a number with h, m or s: 90, 90s, 15m, 1h30m.",
    u"REGFILE: a .reg file as the Windows registry editor writes it; - is stdin/out.",
    u"Import only while Tarrowin is not running: it stores its settings at its end.",
};

constexpr std::array<std::u16string_view, 4> kExitNotes{
    u"Exit status: 0 done, 1 could not run (no display, a REGFILE that cannot be",
    u"read or written), 2 wrong option or value, or a REGFILE that is not settings;",
    u"with a command, its own status (128+N when signal N ended it), 126 when",
    u"it cannot be run, 127 when it is not found.",
};

constexpr std::size_t kMaxMessages = 5;
constexpr std::size_t kHelpColumn = 32;
constexpr std::u16string_view kLongPrefix = u"--";

// The built-in pictures, by the names the dialog lists (the last entry there
// is the custom picture, which --icon takes as a file).
constexpr auto kBuiltinNames = std::span(Form2::kIconNames).first(Form2::kCustomIcon);

bool sameLetters(std::u16string_view a, std::u16string_view b) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

bool isDigits(std::u16string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// A whole number of digits only, when it is at most highest.
std::optional<std::uint64_t> digitsValue(std::u16string_view text, std::uint64_t highest) {
    if (!isDigits(text)) return std::nullopt;
    std::uint64_t value = 0;
    for (char16_t c : text) {
        value = value * 10 + std::uint64_t(c - u'0');
        if (value > highest) return std::nullopt;
    }
    return value;
}

std::u16string decimalText(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), char16_t(u'0' + value % 10));
        value /= 10;
    } while (value);
    return digits;
}

std::u16string inQuotes(std::u16string_view text) {
    std::u16string quoted(1, u'\'');
    quoted += text;
    quoted += u'\'';
    return quoted;
}

// A name written after "--", or after "/" on Windows, where case does not
// matter and the letter forms count too ("/h").
const OptionInfo* findOption(std::u16string_view name, bool slash) {
    for (const OptionInfo& info : kOptions) {
        if (!info.name.empty() && (slash ? sameLetters(info.name, name) : info.name == name))
            return &info;
        if (slash && !info.letter.empty() && sameLetters(info.letter, name)) return &info;
    }
    return nullptr;
}

const OptionInfo& optionInfo(Option option) {
    return *std::find_if(kOptions.begin(), kOptions.end(),
                         [option](const OptionInfo& info) { return info.option == option; });
}

const ToolkitOption* findToolkitOption(std::span<const ToolkitOption> toolkit,
                                       std::u16string_view name) {
    for (const ToolkitOption& option : toolkit)
        if (option.name == name) return &option;
    return nullptr;
}

// "TEXT:MS": digits after the last colon are the speed; a colon with nothing
// after it ends the text, so that a message may itself end in ":30".
std::optional<RunMessage> parseMessage(std::u16string_view value, std::u16string& error) {
    const std::size_t colon = value.rfind(u':');
    if (colon == std::u16string_view::npos) return RunMessage{std::u16string(value), {}};
    const std::u16string_view after = value.substr(colon + 1);
    if (after.empty()) return RunMessage{std::u16string(value.substr(0, colon)), {}};
    if (!isDigits(after)) return RunMessage{std::u16string(value), {}};
    const auto speed = digitsValue(after, std::uint64_t(Form2::kSlowestSpeed));
    if (!speed || *speed < std::uint64_t(Form2::kFastestSpeed)) {
        error = u"--message " + inQuotes(value) + u": the speed must be " +
                decimalText(Form2::kFastestSpeed) + u" to " + decimalText(Form2::kSlowestSpeed) +
                u" ms";
        return std::nullopt;
    }
    return RunMessage{std::u16string(value.substr(0, colon)), int(*speed)};
}

std::optional<int> builtinIcon(std::u16string_view name) {
    for (std::size_t i = 0; i < kBuiltinNames.size(); ++i)
        if (sameLetters(kBuiltinNames[i], name)) return int(i);
    return std::nullopt;
}

class Parser {
public:
    Parser(std::span<const std::u16string> arguments, Conventions conventions,
           std::span<const ToolkitOption> toolkit)
        : arguments_(arguments), conventions_(conventions),
          toolkit_(conventions == Conventions::Windows ? std::span<const ToolkitOption>()
                                                       : toolkit) {}

    CommandLine run() {
        for (index_ = 0; index_ < arguments_.size() && !done(); ++index_)
            take(arguments_[index_]);
        return std::move(line_);
    }

private:
    bool done() const { return line_.action != CommandLine::Action::Run || line_.command; }

    void fail(std::u16string error) {
        line_.action = CommandLine::Action::Usage;
        line_.error = std::move(error);
    }

    void take(std::u16string_view argument) {
        const bool windows = conventions_ == Conventions::Windows;
        if (argument == u"--") {
            if (index_ + 1 == arguments_.size()) return fail(u"-- needs a command after it");
            line_.ownOptions = true;
            line_.command = index_ + 1;
            return;
        }
        if (windows && argument == u"/?") return takeOption(optionInfo(Option::Help), argument, {});
        if (argument.starts_with(kLongPrefix)) return takeNamed(argument, 2, u"=");
        if (windows && argument.size() > 1 && argument[0] == u'/')
            return takeNamed(argument, 1, u":=");
        if (argument.size() > 1 && argument[0] == u'-') return takeShort(argument);
        fail(u"unexpected argument " + inQuotes(argument) + u" (a command to run goes after --)");
    }

    // "--name", "--name=value", "/name", "/name:value".
    void takeNamed(std::u16string_view argument, std::size_t dashes,
                   std::u16string_view separators) {
        std::u16string_view name = argument.substr(dashes);
        std::optional<std::u16string_view> value;
        if (const auto at = name.find_first_of(separators); at != std::u16string_view::npos) {
            value = name.substr(at + 1);
            name = name.substr(0, at);
        }
        const std::u16string_view written = argument.substr(0, dashes + name.size());
        if (const OptionInfo* info = findOption(name, dashes == 1)) {
            if (info->value.empty() && value)
                return fail(u"option " + inQuotes(written) + u" takes no value");
            return takeOption(*info, written, value);
        }
        if (dashes == 2 && takeToolkit(name, value)) return;
        fail(u"unknown option " + inQuotes(written));
    }

    // "-h", or the toolkit's "-platform xcb", "-style=fusion".
    void takeShort(std::u16string_view argument) {
        std::u16string_view name = argument.substr(1);
        if (name == u"h") return takeOption(optionInfo(Option::Help), argument, {});
        std::optional<std::u16string_view> value;
        if (const auto at = name.find(u'='); at != std::u16string_view::npos) {
            value = name.substr(at + 1);
            name = name.substr(0, at);
        }
        if (!takeToolkit(name, value)) fail(u"unknown option " + inQuotes(argument));
    }

    bool takeToolkit(std::u16string_view name, std::optional<std::u16string_view> value) {
        const ToolkitOption* option = findToolkitOption(toolkit_, name);
        if (!option || (value && !option->takesValue)) return false;
        line_.toolkitArguments.push_back(index_);
        if (option->takesValue && !value) {
            if (index_ + 1 == arguments_.size()) {
                fail(u"option " + inQuotes(arguments_[index_]) + u" needs a value");
                return true;
            }
            line_.toolkitArguments.push_back(++index_);
        }
        return true;
    }

    void takeOption(const OptionInfo& info, std::u16string_view written,
                    std::optional<std::u16string_view> inlineValue) {
        std::u16string_view value;
        if (!info.value.empty()) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (index_ + 1 < arguments_.size()) {
                value = arguments_[++index_];
            } else {
                return fail(u"option " + inQuotes(written) + u" needs a value (" +
                            std::u16string(info.value) + u")");
            }
        }
        if (info.option == Option::Export || info.option == Option::Import)
            return takeSettingsFile(info, written, value);
        if (info.option != Option::Help && info.option != Option::Version) line_.ownOptions = true;
        RunSettings& settings = line_.settings;
        switch (info.option) {
        case Option::Help:
            line_.action = CommandLine::Action::Help;
            break;
        case Option::Version:
            line_.action = CommandLine::Action::Version;
            break;
        case Option::Export:
        case Option::Import:
            break; // taken above
        case Option::Title:
            settings.title = std::u16string(value);
            break;
        case Option::Button:
            settings.buttonText = std::u16string(value);
            break;
        case Option::Message:
            if (settings.messages.size() == kMaxMessages)
                return fail(u"--message: at most five messages");
            if (auto message = parseMessage(value, line_.error))
                settings.messages.push_back(std::move(*message));
            else
                line_.action = CommandLine::Action::Usage;
            break;
        case Option::Single:
        case Option::Dual:
            settings.dual = info.option == Option::Dual;
            break;
        case Option::Icon:
            takeIcon(value);
            break;
        case Option::KeepScreenOn:
        case Option::NoKeepScreenOn:
            settings.keepScreenOn = info.option == Option::KeepScreenOn;
            break;
        case Option::For:
            if (!(line_.runFor = parseDuration(value)))
                fail(u"--for " + inQuotes(value) +
                     u": not a duration (such as 90, 90s, 15m or 1h30m, at most a year)");
            break;
        case Option::While:
            if (const auto pid = digitsValue(value, std::numeric_limits<std::int32_t>::max());
                pid && *pid > 0)
                line_.runWhile = std::uint32_t(*pid);
            else
                fail(u"--while " + inQuotes(value) + u": not a process id");
            break;
        case Option::Command:
            break; // "--" is taken above
        }
    }

    // The file is all an export or an import takes: what else a run would
    // show could only be ignored.
    void takeSettingsFile(const OptionInfo& info, std::u16string_view written,
                          std::u16string_view file) {
        if (file.empty()) return fail(u"option " + inQuotes(written) + u" needs a file name");
        if (index_ + 1 < arguments_.size() || line_.ownOptions)
            return fail(u"option " + inQuotes(written) + u" takes no other option or argument");
        line_.action = info.option == Option::Export ? CommandLine::Action::Export
                                                     : CommandLine::Action::Import;
        line_.settingsFile = std::u16string(file);
    }

    // A name of the list wins over a file of that name: ./Gear is the file,
    // which checkWithSystem looks for.
    void takeIcon(std::u16string_view value) {
        RunSettings& settings = line_.settings;
        settings.builtinIcon = builtinIcon(value);
        settings.iconFile.reset();
        if (!settings.builtinIcon) settings.iconFile = std::u16string(value);
    }

    std::span<const std::u16string> arguments_;
    Conventions conventions_;
    std::span<const ToolkitOption> toolkit_;
    std::size_t index_ = 0;
    CommandLine line_;
};

void appendLine(std::u16string& text, std::u16string_view line) {
    text += line;
    text += u'\n';
}

} // namespace

std::span<const OptionInfo> commandLineOptions() {
    return kOptions;
}

std::span<const std::u16string_view> commandLineValueNotes() {
    return kValueNotes;
}

std::span<const std::u16string_view> exitStatusNotes() {
    return kExitNotes;
}

std::u16string optionSpelling(const OptionInfo& info) {
    std::u16string text;
    if (!info.letter.empty()) {
        text += u'-';
        text += info.letter;
        text += u", ";
    }
    text += kLongPrefix;
    text += info.name;
    if (!info.value.empty()) text += u" " + std::u16string(info.value);
    return text;
}

CommandLine parseCommandLine(std::span<const std::u16string> arguments, Conventions conventions,
                             std::span<const ToolkitOption> toolkit) {
    return Parser(arguments, conventions, toolkit).run();
}

void checkWithSystem(CommandLine& line, const SystemQuestions& system) {
    if (line.action != CommandLine::Action::Run) return;
    const auto refuse = [&line](std::u16string error) {
        line.action = CommandLine::Action::Usage;
        line.error = std::move(error);
    };
    if (std::optional<std::u16string>& file = line.settings.iconFile) {
        const auto full = file->empty() ? std::nullopt : system.fullPathOfFile(*file);
        if (!full)
            return refuse(u"--icon " + inQuotes(*file) +
                          u": no built-in picture of that name (see NAME in --help) and no such "
                          u"file");
        file = *full;
    }
    if (!line.runWhile) return;
    const std::u16string pid = u"--while " + decimalText(*line.runWhile);
    if (*line.runWhile == system.ownProcess())
        refuse(pid + u": that is this program itself, which would never end");
    else if (!system.processExists(*line.runWhile))
        refuse(pid + u": no such process");
}

std::u16string versionText() {
    return u"Tarrowin " TARROWIN_VERSION;
}

std::u16string usageText(Conventions conventions, std::u16string_view settingsPlace) {
    std::u16string text;
    appendLine(text, u"Usage: tarrowin [OPTION]... [-- COMMAND [ARGUMENT]...]");
    appendLine(text, u"Shows a window that looks busy, until its button ends it.");
    text += u'\n';
    for (const OptionInfo& info : kOptions) {
        std::u16string row = info.letter.empty() ? u"      " : u"  ";
        row += optionSpelling(info);
        row.resize(std::max(row.size() + 1, kHelpColumn), u' ');
        appendLine(text, row + std::u16string(info.help));
    }
    if (conventions == Conventions::Windows)
        appendLine(text, u"  Every option may also be written /name or /name:value; /? is --help.");
    text += u'\n';
    for (std::u16string_view line : kValueNotes)
        appendLine(text, line);
    text += u'\n';
    for (std::u16string_view line : kExitNotes)
        appendLine(text, line);
    text += u'\n';
    appendLine(text, u"Settings: " + std::u16string(settingsPlace));
    return text;
}

std::u16string usageErrorText(std::u16string_view error) {
    return u"tarrowin: " + std::u16string(error) + u"\nTry 'tarrowin --help'.\n";
}

std::optional<int> answerWithoutWindow(const CommandLine& line, Conventions conventions,
                                       std::u16string_view settingsPlace, const TextOutput& out,
                                       const TextOutput& err) {
    switch (line.action) {
    case CommandLine::Action::Run:
        return std::nullopt;
    case CommandLine::Action::Help:
        out(usageText(conventions, settingsPlace));
        return ExitStatus::kDone;
    case CommandLine::Action::Version:
        out(versionText() + u"\n");
        return ExitStatus::kDone;
    case CommandLine::Action::Usage:
        err(usageErrorText(line.error));
        return ExitStatus::kUsage;
    case CommandLine::Action::Export:
    case CommandLine::Action::Import:
        return std::nullopt; // the registry's work, which each main does
    }
    return std::nullopt;
}

// The rules are CommandLineToArgvW's: blanks (space, tab) part the arguments
// outside quotes; 2n backslashes before a quote give n and the quote opens or
// closes a quoted part, 2n+1 give n and a quote; other backslashes are kept;
// a quote right after the one that closes a quoted part is kept as a quote.
// The program's own name ends at the first blank, or at its closing quote.
std::vector<SplitArgument> splitWindowsCommandLine(std::u16string_view line) {
    std::vector<SplitArgument> arguments;
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::size_t at = 0;
    SplitArgument program{u"", 0};
    if (!line.empty() && line[0] == u'"') {
        const std::size_t close = line.find(u'"', 1);
        program.text = line.substr(1, close == std::u16string_view::npos ? line.npos : close - 1);
        at = close == std::u16string_view::npos ? line.size() : close + 1;
    } else {
        while (at < line.size() && !blank(line[at]))
            program.text += line[at++];
    }
    arguments.push_back(std::move(program));

    for (;;) {
        while (at < line.size() && blank(line[at]))
            ++at;
        if (at >= line.size()) break;
        SplitArgument argument{u"", at};
        int quotes = 0; // 1 inside a quoted part; counts the quotes of a run of them
        while (at < line.size() && (quotes == 1 || !blank(line[at]))) {
            const char16_t c = line[at];
            if (c == u'\\') {
                std::size_t slashes = 0;
                while (at < line.size() && line[at] == u'\\') {
                    ++slashes;
                    ++at;
                }
                if (at < line.size() && line[at] == u'"') {
                    argument.text.append(slashes / 2, u'\\');
                    if (slashes % 2 == 1) {
                        argument.text += u'"';
                        ++at;
                    }
                } else {
                    argument.text.append(slashes, u'\\');
                }
            } else if (c == u'"') {
                while (at < line.size() && line[at] == u'"') {
                    if (++quotes == 3) {
                        argument.text += u'"';
                        quotes = 0;
                    }
                    ++at;
                }
                if (quotes == 2) quotes = 0;
            } else {
                argument.text += c;
                ++at;
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::optional<std::chrono::seconds> parseDuration(std::u16string_view text) {
    using std::chrono::seconds;
    constexpr std::uint64_t kMost = std::chrono::duration_cast<seconds>(kLongestRun).count();
    if (const auto plain = digitsValue(text, kMost))
        return *plain > 0 ? std::optional(seconds(*plain)) : std::nullopt;
    // Units in falling order, each at most once: h, then m, then s.
    constexpr std::array<std::pair<char16_t, std::uint64_t>, 3> kUnits{
        {{u'h', 3600}, {u'm', 60}, {u's', 1}}};
    std::uint64_t total = 0;
    std::size_t unit = 0;
    while (!text.empty()) {
        std::size_t digits = 0;
        while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9')
            ++digits;
        if (digits == 0 || digits == text.size()) return std::nullopt;
        const char16_t letter = text[digits] >= u'A' && text[digits] <= u'Z'
                                    ? char16_t(text[digits] + 32)
                                    : text[digits];
        while (unit < kUnits.size() && kUnits[unit].first != letter)
            ++unit;
        if (unit == kUnits.size()) return std::nullopt;
        const auto amount = digitsValue(text.substr(0, digits), kMost);
        if (!amount || *amount > kMost / kUnits[unit].second) return std::nullopt;
        total += *amount * kUnits[unit].second;
        if (total > kMost) return std::nullopt;
        ++unit;
        text.remove_prefix(digits + 1);
    }
    return total > 0 ? std::optional(seconds(total)) : std::nullopt;
}
