# SPDX-License-Identifier: GPL-3.0-or-later
# The runtime and puzzle tests built for another target and run by CTest
# through what runs that target's programs here (Node.js, Wine): GoogleTest from
# the sources Debian ships with libgtest-dev, and the same sources and names as
# the desktop's tests, so results compare one to one.
set(GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# add_cross_test(NAME EMULATOR SOURCE...): a test program run through EMULATOR.
function(add_cross_test name emulator)
    add_executable(${name} ${ARGN})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE puzzle gtest_main)
    set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${emulator}")
endfunction()
