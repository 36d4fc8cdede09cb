#include "OpenFileAPI.h"

#include <algorithm>

namespace OpenFileAPI {

void fill(Request& request, const std::string& filter, const std::string& defaultExtension,
          const char* initialDirectory, DWORD flags, HWND owner) {
    request.filter = filter;
    std::replace(request.filter.begin(), request.filter.end(), '|', '\0');
    request.filter.push_back('\0'); // the list ends with an empty pair
    request.file.assign(kFileBufferLength, '\0');
    request.defaultExtension = defaultExtension;
    request.initialDirectory = initialDirectory ? initialDirectory : "";

    OPENFILENAMEA& record = request.record;
    record = OPENFILENAMEA{};
    // The record without the fields later Windows versions added (76 bytes in
    // a 32-bit build), which every version of the dialog accepts.
    record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    record.hwndOwner = owner;
    record.lpstrFilter = request.filter.c_str();
    record.lpstrFile = request.file.data();
    record.nMaxFile = kFileBufferLength;
    record.lpstrInitialDir = initialDirectory ? request.initialDirectory.c_str() : nullptr;
    record.Flags = flags;
    record.lpstrDefExt = request.defaultExtension.c_str();
}

std::string ShowOpenFileDialog(const std::string& filter, const std::string& defaultExtension,
                               const char* initialDirectory, DWORD flags, HWND owner) {
    Request request;
    fill(request, filter, defaultExtension, initialDirectory, flags, owner);
    if (!GetOpenFileNameA(&request.record)) return {};
    const auto end = std::find(request.file.begin(), request.file.end(), '\0');
    return {request.file.begin(), end};
}

} // namespace OpenFileAPI
