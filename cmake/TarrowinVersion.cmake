# The one place the version is written is the project() call; everything users
# see is made from it here. Users see the minor number with two digits, as the
# program has always shown it: 1.2.0 is "1.02".
#   TARROWIN_VERSION          "1.02": the dialog, the packages, the manual page
#   TARROWIN_VERSION_NUMBERS  "1,2,0,0": the program file's numeric version
#   TARROWIN_VERSION_HEADER   TarrowinVersion.h with both, for C++ and resource scripts
if(PROJECT_VERSION_MINOR GREATER 99)
    message(FATAL_ERROR "the minor version ${PROJECT_VERSION_MINOR} does not fit two digits")
endif()
if(PROJECT_VERSION_MINOR LESS 10)
    set(TARROWIN_VERSION ${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR})
else()
    set(TARROWIN_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
endif()
set(TARROWIN_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")

set(TARROWIN_VERSION_HEADER ${PROJECT_BINARY_DIR}/generated/TarrowinVersion.h)
# Written only when it changes, so that a configure run alone rebuilds nothing.
file(CONFIGURE OUTPUT ${TARROWIN_VERSION_HEADER} CONTENT [[
#pragma once
// Made by cmake/TarrowinVersion.cmake from the project's version.
#define TARROWIN_VERSION "@TARROWIN_VERSION@"
#define TARROWIN_VERSION_NUMBERS @TARROWIN_VERSION_NUMBERS@
#define TARROWIN_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define TARROWIN_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define TARROWIN_VERSION_PATCH @PROJECT_VERSION_PATCH@
]] @ONLY)
include_directories(${PROJECT_BINARY_DIR}/generated)
