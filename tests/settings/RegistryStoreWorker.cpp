// Works on the registry store given by TARROWIN_REGISTRY, for the store tests
// that need other processes:
//
//   registry_store_worker write KEY PREFIX COUNT
//       sets COUNT values PREFIX0.. in HKEY_CURRENT_USER\KEY, one call each;
//       exits 0 when every call succeeded.
//   registry_store_worker read KEY NAME
//       prints the text value NAME of HKEY_CURRENT_USER\KEY, opened for
//       reading only; exits 0 when it could.
//   registry_store_worker endless KEY
//       sets the values 0, 1, 2, ... (each holding its own number) without
//       end, and after each successful call prints its number on a line.

#include "CRegistryFunctions.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool setNumber(HKEY key, const std::string& name, DWORD number) {
    return RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof number) == ERROR_SUCCESS;
}

int readText(const char* subkey, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 3;
    char text[1024] = {};
    DWORD size = sizeof text - 1;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) !=
        ERROR_SUCCESS)
        return 1;
    std::printf("%s\n", text);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    if (std::strcmp(argv[1], "read") == 0 && argc == 4) return readText(argv[2], argv[3]);
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, argv[2], 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return 3;
    if (std::strcmp(argv[1], "write") == 0 && argc == 5) {
        const int count = std::atoi(argv[4]);
        for (int i = 0; i < count; ++i)
            if (!setNumber(key, argv[3] + std::to_string(i), static_cast<DWORD>(i))) return 1;
        return 0;
    }
    if (std::strcmp(argv[1], "endless") == 0) {
        for (DWORD i = 0;; ++i) {
            if (!setNumber(key, std::to_string(i), i)) return 1;
            std::printf("%u\n", i);
            std::fflush(stdout);
        }
    }
    return 2;
}
