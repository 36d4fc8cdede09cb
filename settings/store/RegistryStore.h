#pragma once
// Where the registry store of this process lives.
//
// The file is $TARROWIN_REGISTRY when that is set, otherwise
// ${XDG_CONFIG_HOME:-$HOME/.config}/tarrowin/registry.db. It is opened on the
// first registry call and stays open until the process ends or usePath()
// points the process elsewhere. Deleting the file resets every setting.

#include <string>

namespace RegistryStore {

std::string defaultPath();

// Closes the store in use (handles opened on it become invalid) and makes the
// next registry call open the store at path; an empty path means defaultPath()
// as the environment says at that moment.
void usePath(const std::string& path);

} // namespace RegistryStore
