# The settings tests that run both natively, against the registry store, and
# in the mingw-w64 build under Wine, against a real registry.
set(TARROWIN_PORTABLE_SETTINGS_TESTS
    ScratchRegistry.cpp
    RegistryApiTest.cpp
    CRegistryKeysTest.cpp
    CRegistryValuesTest.cpp
    CRegistryRenameTest.cpp
)
# The settings store's own tests join both runs once they are in the tree.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/SettingsStoreTest.cpp)
    list(APPEND TARROWIN_PORTABLE_SETTINGS_TESTS SettingsStoreTest.cpp)
endif()
list(TRANSFORM TARROWIN_PORTABLE_SETTINGS_TESTS PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
