#pragma once
// The Windows open-file dialog, GetOpenFileNameA. Texts are in the active code
// page.
#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

namespace OpenFileAPI {

// The buffer the dialog writes the chosen path into. It starts empty: blanks
// in it would show in the dialog's name box, and a name typed after them
// would make a path too long for the dialog. A path of MAX_PATH UTF-16 units
// takes up to three bytes a unit in the UTF-8 code page.
constexpr DWORD kFileBufferLength = 3 * MAX_PATH;

// The request exactly as the dialog is called with it: the record and the
// buffers it points into. Everything not set here stays zero: no instance,
// no custom filter, filter index 0 (the first pair), no title, no hook.
struct Request {
    OPENFILENAMEA record{};
    std::string filter;     // pairs separated by NULs, one more NUL at the end
    std::vector<char> file; // kFileBufferLength characters
    std::string defaultExtension;
    std::string initialDirectory;
};

// filter: "display|patterns|display|patterns"; initialDirectory null for none.
void fill(Request& request, const std::string& filter, const std::string& defaultExtension,
          const char* initialDirectory, DWORD flags, HWND owner);

// The full path chosen, or an empty text on cancel and on any failure.
std::string ShowOpenFileDialog(const std::string& filter, const std::string& defaultExtension,
                               const char* initialDirectory, DWORD flags, HWND owner);

} // namespace OpenFileAPI
