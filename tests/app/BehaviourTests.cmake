# The tests of the two forms' behaviour, over controls in memory: no toolkit.
# They run natively, against the registry store, and in the mingw-w64 build
# under Wine, against a real registry.
set(TARROWIN_BEHAVIOUR_HARNESS ${CMAKE_CURRENT_LIST_DIR}/Harness.cpp)
set(TARROWIN_APP_TESTS
    ${CMAKE_CURRENT_LIST_DIR}/AnimationTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CommandsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/OneRunTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StartupTest.cpp
)
set(TARROWIN_OPTIONS_TESTS ${CMAKE_CURRENT_LIST_DIR}/../options/DialogTest.cpp)

# What the dialog's controls hold before anything is stored, made from
# Form2.ui for the controls in memory (Harness.h includes Form2Defaults.h).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(tarrowin_add_form2_defaults target)
    set(header_dir ${CMAKE_CURRENT_BINARY_DIR}/form2_defaults)
    set(script ${CMAKE_SOURCE_DIR}/tests/app/form_defaults.py)
    add_custom_command(OUTPUT ${header_dir}/Form2Defaults.h
        COMMAND ${CMAKE_COMMAND} -E make_directory ${header_dir}
        COMMAND Python3::Interpreter ${script} ${header_dir}/Form2Defaults.h
                ${CMAKE_SOURCE_DIR}/ui/Form2.ui
        DEPENDS ${script} ${CMAKE_SOURCE_DIR}/ui/Form2.ui
        COMMENT "The dialog's defaults from Form2.ui" VERBATIM)
    target_sources(${target} PRIVATE ${header_dir}/Form2Defaults.h)
    target_include_directories(${target} PUBLIC ${header_dir})
endfunction()
