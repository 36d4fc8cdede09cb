#pragma once
// Where the registry store of this process lives.
//
// The file is $TARROWIN_REGISTRY when that is set, otherwise
// ${XDG_CONFIG_HOME:-$HOME/.config}/tarrowin/registry.db. It is opened on the
// first registry call and stays open until the process ends or usePath()
// points the process elsewhere. Deleting the file resets every setting.

#include "WinRegistry.h"

#include <functional>
#include <string>
#include <string_view>

namespace RegistryStore {

std::string defaultPath();

// Closes the store in use (handles opened on it become invalid) and makes the
// next registry call open the store at path; an empty path means defaultPath()
// as the environment says at that moment.
void usePath(const std::string& path);

// For tests that need something to happen between two registry calls, as
// another process might do it: hook runs at the start of every registry call
// (with the function's name, e.g. "RegEnumKeyExA") before the call takes the
// store, so it may itself make registry calls (which do not run it again).
// An empty function removes it.
void setCallHook(std::function<void(std::string_view call)> hook);

// Makes the registry calls of this process from beginGroup to endGroup one
// transaction of the store: endGroup(true) stores all of their writes at
// once, endGroup(false) none, and so does the end of the process in between.
// Another process's writes wait for the group's end, up to the time a write
// waits; the group holds the store file it began with. Handles opened inside
// a group that is not kept are closed by its end. Both answer the error
// numbers of the registry functions.
LONG beginGroup();
LONG endGroup(bool keep);

} // namespace RegistryStore
