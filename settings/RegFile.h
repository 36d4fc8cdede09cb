#pragma once
// Tarrowin's settings as a .reg file, on the Windows registry and on the
// store alike: the export writes the settings key with everything below it as
// the Windows registry editor exports a key, the import reads such a file
// back into the settings key, all of it or nothing. Neither needs a window.
//
// A running Tarrowin stores its own settings when it ends, over what an
// import wrote meanwhile: import while it is not running.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace RegFile {

// The exit statuses of --export and --import.
enum class Status {
    Done = 0,
    CannotReadOrWrite = 1, // the file, or the settings in the registry
    NotSettings = 2,       // not a registry file, or one that names another key
};

struct Outcome {
    Status status = Status::Done;
    std::u16string message; // one line for the user when not done
};

// Writes the settings to file ("-": standard output), whole or not at all.
Outcome exportSettings(const std::u16string& file);

// The settings as the bytes of a .reg file.
Outcome exportBytes(std::string& bytes);

// Reads file ("-": standard input) into the settings.
Outcome importSettings(const std::u16string& file);

// Reads the bytes of a .reg file into the settings; fileName names it in the
// message. beforeWrite, for tests, runs before each write to the registry
// with the number of writes before it.
Outcome importBytes(std::string_view bytes, std::u16string_view fileName,
                    const std::function<void(std::size_t)>& beforeWrite = {});

} // namespace RegFile
