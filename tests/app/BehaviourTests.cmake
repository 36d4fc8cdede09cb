# The tests of the two forms' behaviour, over controls in memory: no toolkit.
# They run natively, against the registry store, and in the mingw-w64 build
# under Wine, against a real registry.
set(TARROWIN_BEHAVIOUR_HARNESS ${CMAKE_CURRENT_LIST_DIR}/Harness.cpp)
set(TARROWIN_APP_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/AnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StartupTest.cpp
)
set(TARROWIN_OPTIONS_TESTS ${CMAKE_CURRENT_LIST_DIR}/../options/DialogTest.cpp)
