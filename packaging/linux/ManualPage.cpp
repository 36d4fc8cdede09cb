// Makes the manual page from its template: the version, and the options, what
// their values may be and the exit statuses from the very table the program's
// --help is made of.
//   tarrowin_manual TEMPLATE OUTPUT
// The template's lines "@OPTIONS@", "@VALUES@" and "@EXIT_STATUS@" become
// those parts; "@TARROWIN_VERSION@" becomes the version wherever it stands.
#include "CommandLine.h"
#include "TarrowinVersion.h"

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

// The table's texts are plain ASCII, as a manual page's source best is.
std::string ascii(std::u16string_view text) {
    std::string bytes;
    for (char16_t c : text) {
        if (c >= 0x80) throw std::runtime_error("not ASCII: an option's text in CommandLine.cpp");
        bytes += char(c);
    }
    return bytes;
}

// Text as roff reads it: a minus is \-, a backslash \e, and a line may not
// start with a control character.
std::string roff(std::u16string_view text) {
    std::string out;
    for (char c : ascii(text)) {
        if (c == '-')
            out += "\\-";
        else if (c == '\\')
            out += "\\e";
        else
            out += c;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

std::string options() {
    std::string text;
    for (const OptionInfo& info : commandLineOptions()) {
        text += ".TP\n";
        if (!info.letter.empty()) text += "\\fB\\-" + roff(info.letter) + "\\fR, ";
        text += "\\fB\\-\\-" + roff(info.name) + "\\fR";
        if (!info.value.empty()) text += " \\fI" + roff(info.value) + "\\fR";
        text += "\n" + roff(info.help) + "\n";
    }
    return text;
}

std::string lines(std::span<const std::u16string_view> notes, bool breakEach) {
    std::string text;
    for (std::u16string_view note : notes)
        text += (breakEach && !text.empty() ? ".br\n" : "") + roff(note) + "\n";
    return text;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::cerr << "usage: tarrowin_manual TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2]);
    if (!in || !out) {
        std::cerr << "tarrowin_manual: cannot read " << argv[1] << " or write " << argv[2] << "\n";
        return 1;
    }
    const std::string version = "@TARROWIN_VERSION@";
    for (std::string line; std::getline(in, line);) {
        if (line == "@OPTIONS@") {
            out << options();
        } else if (line == "@VALUES@") {
            out << lines(commandLineValueNotes(), true);
        } else if (line == "@EXIT_STATUS@") {
            out << lines(exitStatusNotes(), false);
        } else {
            for (std::size_t at; (at = line.find(version)) != std::string::npos;)
                line.replace(at, version.size(), TARROWIN_VERSION);
            out << line << "\n";
        }
    }
    return out.good() ? 0 : 1;
}
