#pragma once
// The platform calls of CRegistry: the registry functions of advapi32 and
// ExpandEnvironmentStringsA and RtlMoveMemory of kernel32, all in their 8-bit
// text form. On Windows they are the system's own. Elsewhere the registry
// functions are the SQLite store's (store/WinRegistry.h) and the two kernel32
// functions are implemented in CRegistryFunctions.cpp.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "store/WinRegistry.h"

#include <cstddef>

// Replaces each %NAME% whose NAME is set in the process environment (looked up
// as written, then ignoring ASCII case, as Windows does) by its value. A
// reference to an unset variable stays as written, and so does a lone '%'.
// Returns the size the result needs, NUL included, also when nSize is too
// small, in which case nothing is written.
DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize);

void RtlMoveMemory(void* Destination, const void* Source, std::size_t Length);
#endif
