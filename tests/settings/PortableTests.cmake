# The settings tests that run both natively, against the registry store, and
# in the mingw-w64 build under Wine, against a real registry.
set(TARROWIN_PORTABLE_SETTINGS_TESTS
    ScratchRegistry.cpp
    RegistryApiTest.cpp
    RegistryFidelityTest.cpp
    CRegistryKeysTest.cpp
    CRegistryValuesTest.cpp
    CRegistryRenameTest.cpp
    NumberTextTest.cpp
    SettingsStoreTest.cpp
    RegFileTest.cpp
)
list(TRANSFORM TARROWIN_PORTABLE_SETTINGS_TESTS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
