#include "StoreFiles.h"

#include "Diagnostics.h"
#include "StoreError.h"
#include "WinRegistry.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace StoreFiles {
namespace {

constexpr mode_t kFileMode = 0600;
constexpr mode_t kDirectoryMode = 0700;

// Companion files SQLite keeps beside a store: its log and shared memory, and
// the journal of a store another program turned to a rollback journal.
constexpr const char* kCompanionSuffixes[] = {"", "-journal", "-wal", "-shm"};

// The Windows error that stands for a failed file-system call's errno.
LONG fileError(int error) {
    return error == EACCES || error == EPERM || error == EROFS ? ERROR_ACCESS_DENIED
                                                               : ERROR_REGISTRY_IO_FAILED;
}

std::string timestamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    ::localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &parts);
    return text;
}

void makeDirectories(const fs::path& directory) {
    if (directory.empty() || present(directory)) return;
    makeDirectories(directory.parent_path());
    if (::mkdir(directory.c_str(), kDirectoryMode) != 0 && errno != EEXIST)
        throw StoreError(fileError(errno));
    ::chmod(directory.c_str(), kDirectoryMode); // whatever the umask says
}

} // namespace

std::optional<Identity> identity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

bool present(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// SQLite would open a device or a FIFO like a file, and make its journal
// beside whatever a link points to: /dev/zero-journal for a link to
// /dev/zero. Nothing is opened or made for a path that is no file.
void requireRegularFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        throw StoreError(ERROR_NOT_REGISTRY_FILE);
}

void makePrivateDirectories(const std::string& directory) {
    makeDirectories(fs::path(directory));
}

void createPrivateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        if (errno == EEXIST) return; // another process was first
        throw StoreError(fileError(errno));
    }
    ::fchmod(fd, kFileMode);
    ::close(fd);
}

// A store whose owner may not write it is left alone, even by root, who could:
// taking the write bit away is how a user freezes their settings.
bool writable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & S_IWUSR) && ::access(path.c_str(), W_OK) == 0;
}

// Nothing is deleted: the user may want the file back.
void setAside(const std::string& path) {
    std::string aside = path + ".unreadable-" + timestamp();
    for (int n = 2; present(aside); ++n)
        aside = path + ".unreadable-" + timestamp() + "-" + std::to_string(n);
    for (const char* suffix : kCompanionSuffixes) {
        const std::string from = path + suffix;
        if (present(from) && std::rename(from.c_str(), (aside + suffix).c_str()) != 0)
            throw StoreError(fileError(errno));
    }
    Diagnostics::note(Diagnostics::Area::Store,
                      path + " is damaged or not a registry store; moved it to " + aside +
                          " and started a new one");
}

// A file name from SQLite's point of view: a URI whose path has every byte
// outside the unreserved set percent-encoded, so that '?', '#', '%' and the
// like stay part of the name.
std::string fileUri(const std::string& path, const char* query) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file:";
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-._~", c)) {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 0xF];
        }
    }
    return uri + "?" + query;
}

} // namespace StoreFiles
