// The command line both programs read: what each option sets, what is refused
// and why, the "--" boundary, the toolkit's options, Windows' ways of writing
// options and splitting the line, durations, and the texts made from the table.
#include "CommandLine.h"

#include "Form2.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

namespace {

using namespace std::chrono_literals;

std::string narrow(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text)
        bytes += c < 0x80 ? char(c) : '?';
    return bytes;
}

std::string joined(const std::vector<std::u16string>& arguments) {
    std::string text;
    for (const auto& argument : arguments) {
        text += '[';
        text += narrow(argument);
        text += ']';
    }
    return text;
}

constexpr ToolkitOption kToolkit[]{{u"platform", true}, {u"style", true}, {u"reverse", false}};

CommandLine parse(const std::vector<std::u16string>& arguments,
                  Conventions conventions = Conventions::Posix) {
    return parseCommandLine(arguments, conventions, kToolkit);
}

TEST(CommandLine, EachOptionSetsItsSettingForTheRun) {
    const CommandLine line =
        parse({u"--title", u"Deploying...", u"--button=", u"--message", u"One:500", u"--message",
               u"Two", u"--message=Ratio 3:2:", u"--message", u"", u"--dual", u"--single",
               u"--icon", u"cd", u"--keep-screen-on"});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << narrow(line.error);
    EXPECT_TRUE(line.ownOptions);
    const RunSettings& s = line.settings;
    EXPECT_EQ(s.title, u"Deploying...");
    EXPECT_EQ(s.buttonText, u"") << "an empty text is a text";
    ASSERT_EQ(s.messages.size(), 4u);
    EXPECT_EQ(s.messages[0].text, u"One");
    EXPECT_EQ(s.messages[0].speed, 500);
    EXPECT_EQ(s.messages[1].text, u"Two");
    EXPECT_EQ(s.messages[1].speed, std::nullopt);
    EXPECT_EQ(s.messages[2].text, u"Ratio 3:2")
        << "a last colon with nothing after it ends the text";
    EXPECT_EQ(s.messages[2].speed, std::nullopt);
    EXPECT_EQ(s.messages[3].text, u"");
    EXPECT_EQ(s.dual, false) << "the last of --dual and --single counts";
    EXPECT_EQ(s.builtinIcon, 5) << "names are the dialog's, in any case";
    EXPECT_EQ(s.keepScreenOn, true);
    EXPECT_FALSE(line.runFor);
    EXPECT_FALSE(line.command);

    const CommandLine plain = parse({});
    EXPECT_EQ(plain.action, CommandLine::Action::Run);
    EXPECT_FALSE(plain.ownOptions) << "a plain start greets on a first start";
}

TEST(CommandLine, WrongOptionsAndValuesSayWhat) {
    const struct {
        std::vector<std::u16string> arguments;
        std::string said;
    } cases[]{
        {{u"--bogus"}, "unknown option '--bogus'"},
        {{u"-title", u"X"}, "unknown option '-title'"}, // X11's, which Qt never sees
        {{u"--title"}, "option '--title' needs a value (TEXT)"},
        {{u"--dual=yes"}, "option '--dual' takes no value"},
        {{u"--message", u"x:0"}, "--message 'x:0': the speed must be 1 to 50000 ms"},
        {{u"--message", u"x:50001"}, "the speed must be 1 to 50000 ms"},
        {{u"--message=a", u"--message=b", u"--message=c", u"--message=d", u"--message=e",
          u"--message=f"},
         "--message: at most five messages"},
        {{u"--for", u"soon"}, "--for 'soon': not a duration"},
        {{u"--for", u"0"}, "--for '0': not a duration"},
        {{u"--while", u"0"}, "--while '0': not a process id"},
        {{u"--while", u"-5"}, "--while '-5': not a process id"},
        {{u"make"}, "unexpected argument 'make' (a command to run goes after --)"},
        {{u"--title", u"X", u"--"}, "-- needs a command after it"},
        {{u"-platform"}, "option '-platform' needs a value"},
        {{u"/title", u"X"}, "unexpected argument '/title'"}, // Windows' way only on Windows
        {{u"--export"}, "option '--export' needs a value (REGFILE)"},
        {{u"--import="}, "option '--import' needs a file name"},
        {{u"--title", u"X", u"--export", u"a.reg"}, "'--export' takes no other option"},
        {{u"--import", u"a.reg", u"b.reg"}, "'--import' takes no other option or argument"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.arguments));
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.action, CommandLine::Action::Usage);
        EXPECT_NE(narrow(line.error).find(c.said), std::string::npos) << narrow(line.error);
    }
}

TEST(CommandLine, TheFirstAnswerThatEndsTheReadingWins) {
    const struct {
        std::vector<std::u16string> arguments;
        CommandLine::Action action;
    } cases[]{
        {{u"--help", u"--bogus"}, CommandLine::Action::Help},
        {{u"--bogus", u"--help"}, CommandLine::Action::Usage},
        {{u"-h"}, CommandLine::Action::Help},
        {{u"--title", u"X", u"--version"}, CommandLine::Action::Version},
        {{u"--", u"sh", u"--help"}, CommandLine::Action::Run}, // the command's own
        {{u"--help", u"--export", u"-"}, CommandLine::Action::Help},
        {{u"--export", u"-"}, CommandLine::Action::Export},
        {{u"-platform", u"offscreen", u"--import", u"a.reg"}, CommandLine::Action::Import},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(joined(c.arguments));
        EXPECT_EQ(parse(c.arguments).action, c.action);
    }
}

TEST(CommandLine, AfterTheBoundaryEverythingIsTheCommands) {
    const CommandLine line =
        parse({u"-platform", u"offscreen", u"--title", u"X", u"--style=fusion", u"--for", u"1h30m",
               u"--while", u"42", u"--", u"make", u"--", u"--title", u"-platform", u"xcb"});
    ASSERT_EQ(line.action, CommandLine::Action::Run) << narrow(line.error);
    EXPECT_EQ(line.command, 10u);
    EXPECT_EQ(line.settings.title, u"X") << "the command's --title is not ours";
    EXPECT_EQ(line.toolkitArguments, (std::vector<std::size_t>{0, 1, 4}))
        << "the toolkit gets its own, with their values, and nothing of the command's";
    EXPECT_EQ(line.runFor, 5400s);
    EXPECT_EQ(line.runWhile, 42u);

    const CommandLine toolkitOnly = parse({u"-reverse", u"--platform", u"offscreen"});
    EXPECT_EQ(toolkitOnly.toolkitArguments, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_FALSE(toolkitOnly.ownOptions) << "the toolkit's options alone make a plain start";
}

TEST(CommandLine, WindowsTakesSlashesAndAnyCase) {
    const CommandLine line =
        parse({u"/TITLE:Busy", u"/message", u"Copying:20", u"/Single", u"--button", u"Stop"},
              Conventions::Windows);
    ASSERT_EQ(line.action, CommandLine::Action::Run) << narrow(line.error);
    EXPECT_EQ(line.settings.title, u"Busy");
    ASSERT_EQ(line.settings.messages.size(), 1u);
    EXPECT_EQ(line.settings.messages[0].speed, 20);
    EXPECT_EQ(line.settings.dual, false);
    EXPECT_EQ(line.settings.buttonText, u"Stop");
    for (const std::u16string help : {u"/?", u"/h", u"/help", u"-h", u"--help"})
        EXPECT_EQ(parse({help}, Conventions::Windows).action, CommandLine::Action::Help)
            << narrow(help);
    EXPECT_EQ(parse({u"-platform", u"x"}, Conventions::Windows).action, CommandLine::Action::Usage)
        << "Windows has no toolkit options";
    EXPECT_EQ(parse({u"--", u"cmd", u"/c", u"exit 7"}, Conventions::Windows).command, 1u);
    const CommandLine exported = parse({u"/Export:C:\\My settings.reg"}, Conventions::Windows);
    EXPECT_EQ(exported.action, CommandLine::Action::Export);
    EXPECT_EQ(exported.settingsFile, u"C:\\My settings.reg");
}

TEST(CommandLine, AnIconFileIsKeptAsAFullPathAndAMissingOneIsRefused) {
    const SystemQuestions system{[](const std::u16string& path) -> std::optional<std::u16string> {
                                     if (path == u"./Gear" || path == u"Gear") return u"/here/Gear";
                                     return std::nullopt;
                                 },
                                 [](std::uint32_t) { return true; },
                                 [] { return std::uint32_t(1); }};
    const auto checked = [&system](std::vector<std::u16string> arguments) {
        CommandLine line = parse(arguments);
        checkWithSystem(line, system);
        return line;
    };
    const CommandLine file = checked({u"--icon", u"./Gear"});
    ASSERT_EQ(file.action, CommandLine::Action::Run) << narrow(file.error);
    EXPECT_EQ(file.settings.iconFile, u"/here/Gear");
    EXPECT_FALSE(file.settings.builtinIcon);
    const CommandLine name = checked({u"--icon", u"./Gear", u"--icon", u"gear"});
    EXPECT_EQ(name.settings.builtinIcon, 0) << "the last --icon counts; a name wins over a file";
    EXPECT_FALSE(name.settings.iconFile);
    for (const std::u16string missing : {u"Nothing-of-that-name.ico", u""}) {
        const CommandLine line = checked({u"--icon", missing});
        EXPECT_EQ(line.action, CommandLine::Action::Usage);
        EXPECT_EQ(line.error, u"--icon '" + missing +
                                  u"': no built-in picture of that name (see NAME in --help) and "
                                  u"no such file");
    }
}

TEST(CommandLine, DurationsAreSecondsOrHoursMinutesSeconds) {
    const struct {
        std::u16string text;
        std::optional<std::chrono::seconds> time;
    } cases[]{
        {u"90", 90s},   {u"90s", 90s},      {u"15m", 900s},    {u"1h30m", 5400s},
        {u"2h", 7200s}, {u"1h0m5s", 3605s}, {u"1H30M", 5400s}, {u"8760h", 8760h},
        {u"8761h", {}}, {u"0", {}},         {u"0m", {}},       {u"", {}},
        {u"m", {}},     {u"30m1h", {}},     {u"1h1h", {}},     {u"1.5h", {}},
        {u"10d", {}},   {u"-5", {}},        {u"5 m", {}},      {u"99999999999999999999", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDuration(c.text), c.time) << narrow(c.text);
}

// The Windows rules as CommandLineToArgvW has them, and on Windows the
// system's own splitting of the very same lines.
TEST(CommandLine, WindowsLinesSplitAsTheSystemSplitsThem) {
    const struct {
        std::u16string line;
        std::vector<std::u16string> arguments; // after the program's name
    } cases[]{
        {u"tarrowin.exe --title \"Two words\"", {u"--title", u"Two words"}},
        {u"\"C:\\Program Files\\t.exe\" -- cmd /c exit 7", {u"--", u"cmd", u"/c", u"exit", u"7"}},
        {u"t.exe a\\\\\\\"b c\\d \"e\\\\\"", {u"a\\\"b", u"c\\d", u"e\\"}},
        {u"t.exe \"\" x\"y z\"w", {u"", u"xy zw"}},
        {u"t.exe \"a\"\"b\" c", {u"a\"b c"}}, // "" in quotes: a quote, and the quotes end
        {u"t.exe \"a\"\"\"b", {u"a\"b"}},
        {u"t.exe \t a\t\tb  ", {u"a", u"b"}},
        {u"t.exe \"unclosed two", {u"unclosed two"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(narrow(c.line));
        const auto split = splitWindowsCommandLine(c.line);
        std::vector<std::u16string> got;
        for (std::size_t i = 1; i < split.size(); ++i) {
            got.push_back(split[i].text);
            EXPECT_FALSE(c.line.substr(split[i].offset).empty());
        }
        EXPECT_EQ(joined(got), joined(c.arguments));
#ifdef _WIN32
        int count = 0;
        const std::wstring wide(c.line.begin(), c.line.end());
        wchar_t** system = CommandLineToArgvW(wide.c_str(), &count);
        ASSERT_NE(system, nullptr);
        std::vector<std::u16string> theirs;
        for (int i = 1; i < count; ++i)
            theirs.emplace_back(system[i], system[i] + wcslen(system[i]));
        LocalFree(system);
        EXPECT_EQ(joined(got), joined(theirs)) << "the system splits it otherwise";
#endif
    }
    const std::u16string line = u"t.exe --for 9 -- cmd /c \"exit 7\"";
    const auto split = splitWindowsCommandLine(line);
    ASSERT_EQ(split.size(), 7u);
    EXPECT_EQ(line.substr(split[4].offset), u"cmd /c \"exit 7\"") << "the rest, as written";
}

TEST(CommandLine, TheUsageTextListsEveryOptionOnALineOfItsOwn) {
    const std::u16string usage =
        usageText(Conventions::Posix, u"/home/u/.config/tarrowin/registry.db");
    for (const OptionInfo& info : commandLineOptions()) {
        const std::u16string spelled = optionSpelling(info);
        EXPECT_NE(usage.find(u"  " + spelled + u"  "), std::u16string::npos) << narrow(spelled);
    }
    std::size_t start = 0, lines = 0;
    for (std::size_t end; (end = usage.find(u'\n', start)) != std::u16string::npos;
         start = end + 1) {
        EXPECT_LE(end - start, 80u) << narrow(usage.substr(start, end - start));
        ++lines;
    }
    EXPECT_EQ(start, usage.size()) << "the text ends with a line's end";
    EXPECT_NE(usage.find(u"\nSettings: /home/u/.config/tarrowin/registry.db\n"),
              std::u16string::npos);
    EXPECT_EQ(usage.find(u"/name"), std::u16string::npos);
    EXPECT_NE(usageText(Conventions::Windows, u"HKEY_CURRENT_USER").find(u"/name"),
              std::u16string::npos);
    EXPECT_NE(usage.find(u"\nMS: 1 to 50000 ms a step"), std::u16string::npos)
        << "the speeds the dialog keeps to";
    static_assert(Form2::kFastestSpeed == 1 && Form2::kSlowestSpeed == 50000);
    EXPECT_EQ(versionText(), u"Tarrowin 1.02");
    EXPECT_EQ(usageErrorText(u"unknown option '--x'"),
              u"tarrowin: unknown option '--x'\nTry 'tarrowin --help'.\n");
}

TEST(CommandLine, AnswersWithoutAWindowGoToTheirStreamsWithTheirStatus) {
    struct Outcome {
        std::optional<int> status;
        std::u16string out, err;
    };
    const auto answer = [](const std::vector<std::u16string>& arguments,
                           const SystemQuestions& system = {}) {
        CommandLine line = parse(arguments);
        if (system.processExists) checkWithSystem(line, system);
        Outcome outcome;
        outcome.status = answerWithoutWindow(
            line, Conventions::Posix, u"here", [&](std::u16string_view t) { outcome.out += t; },
            [&](std::u16string_view t) { outcome.err += t; });
        return outcome;
    };
    const Outcome help = answer({u"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText(Conventions::Posix, u"here"));
    EXPECT_TRUE(help.err.empty());
    EXPECT_EQ(answer({u"--version"}).out, u"Tarrowin 1.02\n");
    const Outcome wrong = answer({u"--bogus"});
    EXPECT_EQ(wrong.status, 2);
    EXPECT_TRUE(wrong.out.empty());
    EXPECT_EQ(answer({u"--title", u"X"}).status, std::nullopt) << "a run opens the window";

    const SystemQuestions system{[](const std::u16string&) { return std::nullopt; },
                                 [](std::uint32_t pid) { return pid == 42 || pid == 7; },
                                 [] { return std::uint32_t(7); }};
    EXPECT_EQ(answer({u"--while", u"42"}, system).status, std::nullopt);
    const Outcome gone = answer({u"--while", u"43"}, system);
    EXPECT_EQ(gone.status, 2);
    EXPECT_EQ(gone.err, u"tarrowin: --while 43: no such process\nTry 'tarrowin --help'.\n");
    EXPECT_NE(answer({u"--while", u"7"}, system).err.find(u"never end"), std::u16string::npos)
        << "waiting for itself would never end";
}

} // namespace
