#include "WholeFile.h"

#include "TextConversion.h"

#include <algorithm>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace WholeFile {
namespace {

constexpr std::size_t kChunk = 64 * 1024;
// Temporary names tried beside the file before giving up.
constexpr int kTemporaryNameAttempts = 100;

std::string temporaryName(const std::string& target, const std::string& process, int attempt) {
    std::string name = target + ".tmp-" + process;
    if (attempt) name.append(1, '-').append(std::to_string(attempt));
    return name;
}

#ifdef _WIN32

std::u16string lastError() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string reason(reinterpret_cast<const char16_t*>(text), length);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == u'\n' || reason.back() == u'\r' ||
                               reason.back() == u' ' || reason.back() == u'.'))
        reason.pop_back();
    if (reason.empty()) reason = u"error " + TextConversion::widen(std::to_string(code));
    return reason;
}

const wchar_t* wide(const std::u16string& path) {
    return reinterpret_cast<const wchar_t*>(path.c_str());
}

class Handle {
public:
    explicit Handle(HANDLE handle, bool owned = true) : handle_(handle), owned_(owned) {}
    ~Handle() {
        if (owned_ && valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        owned_ = false;
        return CloseHandle(handle_);
    }

private:
    HANDLE handle_;
    bool owned_;
};

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD count = static_cast<DWORD>(std::min(bytes.size(), kChunk));
        if (!WriteFile(file, bytes.data(), count, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

#else

std::u16string lastError() {
    return TextConversion::widen(std::strerror(errno));
}

bool writeAll(int file, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), std::min(bytes.size(), kChunk));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

#endif

} // namespace

#ifdef _WIN32

bool read(const std::u16string& path, std::size_t limit, std::string& bytes,
          std::u16string& reason) {
    const bool standard = path == kStandardStream;
    Handle file(standard ? GetStdHandle(STD_INPUT_HANDLE)
                         : CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                !standard);
    if (!file.valid()) {
        reason = standard ? u"there is no standard input" : lastError();
        return false;
    }
    bytes.clear();
    std::string chunk(kChunk, '\0');
    while (bytes.size() <= limit) {
        DWORD count = 0;
        if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &count,
                      nullptr)) {
            if (GetLastError() == ERROR_BROKEN_PIPE) break; // the writer's end of a pipe
            reason = lastError();
            return false;
        }
        if (count == 0) break;
        bytes.append(chunk.data(), count);
    }
    if (bytes.size() > limit + 1) bytes.resize(limit + 1);
    return true;
}

bool replace(const std::u16string& path, std::string_view bytes, std::u16string& reason) {
    if (path == kStandardStream) {
        const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
        if (!out || out == INVALID_HANDLE_VALUE) {
            reason = u"there is no standard output";
            return false;
        }
        if (writeAll(out, bytes)) return true;
        reason = lastError();
        return false;
    }
    // Only where nothing is: a file or link left at the temporary name is not
    // written through.
    std::u16string temporary;
    HANDLE made = INVALID_HANDLE_VALUE;
    for (int attempt = 0; made == INVALID_HANDLE_VALUE && attempt < kTemporaryNameAttempts;
         ++attempt) {
        temporary = TextConversion::widen(temporaryName(
            TextConversion::narrow(path), std::to_string(GetCurrentProcessId()), attempt));
        made = CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (made == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    Handle file(made);
    if (!file.valid()) {
        reason = lastError();
        return false;
    }
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    if (!written) reason = lastError();
    if (!file.close() && written) reason = lastError();
    if (written && reason.empty() &&
        MoveFileExW(wide(temporary), wide(path),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    if (reason.empty()) reason = lastError();
    DeleteFileW(wide(temporary));
    return false;
}

#else

bool read(const std::u16string& path, std::size_t limit, std::string& bytes,
          std::u16string& reason) {
    const bool standard = path == kStandardStream;
    const int file = standard ? STDIN_FILENO
                              : ::open(TextConversion::narrow(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        reason = lastError();
        return false;
    }
    bytes.clear();
    std::string chunk(kChunk, '\0');
    bool ok = true;
    while (bytes.size() <= limit) {
        const ssize_t count = ::read(file, chunk.data(), chunk.size());
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            reason = lastError();
            ok = false;
            break;
        }
        if (count == 0) break;
        bytes.append(chunk.data(), static_cast<std::size_t>(count));
    }
    if (!standard) ::close(file);
    if (bytes.size() > limit + 1) bytes.resize(limit + 1);
    return ok;
}

bool replace(const std::u16string& path, std::string_view bytes, std::u16string& reason) {
    if (path == kStandardStream) {
        if (writeAll(STDOUT_FILENO, bytes)) return true;
        reason = lastError();
        return false;
    }
    const std::string target = TextConversion::narrow(path);
    // Made as any new file is, as the umask says, and only where nothing is:
    // a link put at the temporary name in a shared folder must not lead the
    // export into another file. A folder that is not there fails here.
    std::string temporary;
    int file = -1;
    for (int attempt = 0; file < 0 && attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryName(target, std::to_string(::getpid()), attempt);
        file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file < 0 && errno != EEXIST) break;
    }
    if (file < 0) {
        reason = lastError();
        return false;
    }
    bool done = writeAll(file, bytes) && ::fsync(file) == 0;
    if (!done) reason = lastError();
    if (::close(file) != 0 && done) {
        reason = lastError();
        done = false;
    }
    if (done && ::rename(temporary.c_str(), target.c_str()) == 0) {
        // The new name is on disk too.
        const std::size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
        if (const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            directory >= 0) {
            ::fsync(directory);
            ::close(directory);
        }
        return true;
    }
    if (done) reason = lastError();
    ::unlink(temporary.c_str());
    return false;
}

#endif

} // namespace WholeFile
