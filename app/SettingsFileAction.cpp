#include "SettingsFileAction.h"

#include "RegFile.h"

std::optional<int> doSettingsFileAction(const CommandLine& line, const TextOutput& err) {
    RegFile::Outcome outcome;
    switch (line.action) {
    case CommandLine::Action::Export:
        outcome = RegFile::exportSettings(line.settingsFile);
        break;
    case CommandLine::Action::Import:
        outcome = RegFile::importSettings(line.settingsFile);
        break;
    default:
        return std::nullopt;
    }
    if (outcome.status != RegFile::Status::Done) err(u"tarrowin: " + outcome.message + u"\n");
    // RegFile's statuses are the program's: 1 a file or the registry that
    // cannot be read or written, 2 a file that is not settings.
    static_assert(int(RegFile::Status::CannotReadOrWrite) == ExitStatus::kCouldNotRun);
    static_assert(int(RegFile::Status::NotSettings) == ExitStatus::kUsage);
    return static_cast<int>(outcome.status);
}
