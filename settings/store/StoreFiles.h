#pragma once
// The file-system side of the registry store: the private folder and file it
// lives in, whether it may be written, and moving a damaged file aside. Every
// failure is thrown as StoreError with the Windows error number it stands for.

#include <optional>
#include <string>
#include <sys/types.h>

namespace StoreFiles {

// Which file a path leads to (through links), to tell whether the file at a
// path is still the one that was opened there.
struct Identity {
    dev_t device;
    ino_t inode;
    bool operator==(const Identity&) const = default;
};
// Nothing when there is no file at path (or it cannot be looked at).
std::optional<Identity> identity(const std::string& path);

// Whether something is at path, without following a last symbolic link into
// a loop. A path that cannot be looked at (a folder on the way may not be
// searched, a name is too long, links loop) counts as absent: creating it then
// fails with the reason.
bool present(const std::string& path);

// Throws StoreError(ERROR_NOT_REGISTRY_FILE) when something other than a
// regular file is at path (a folder, a device, a FIFO, or a link to one).
void requireRegularFile(const std::string& path);

// Creates the folder and any missing folders above it, each private to the
// user (0700).
void makePrivateDirectories(const std::string& directory);

// Creates an empty file private to the user (0600); a file that another
// process created first is left as it is.
void createPrivateFile(const std::string& path);

// Whether the store may be written: its owner has not taken the write bit
// away, and this process may write it.
bool writable(const std::string& path);

// Renames a damaged store and its companion files to a name of their own
// beside it; nothing is deleted.
void setAside(const std::string& path);

// The file name as an SQLite URI with the given query ("immutable=1"), every
// byte that means something in a URI percent-encoded.
std::string fileUri(const std::string& path, const char* query);

} // namespace StoreFiles
