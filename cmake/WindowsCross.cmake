# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the Windows build made on Debian (cmake/toolchains/mingw-w64-x86_64.cmake) needs
# beyond the toolchain: GMP with its C++ interface built for Windows, and GoogleTest built
# from Debian's sources, since Debian has neither for the target.

# GMP, built once per build folder by scripts/lib/gmp-for-windows.sh from Debian's source
# package (about a minute); the lookups of cmake/Dependencies.cmake then find it.
set(OSTREL_WINDOWS_GMP_DIR ${CMAKE_BINARY_DIR}/_deps/gmp)
if(NOT EXISTS ${OSTREL_WINDOWS_GMP_DIR}/prefix/built-from)
    message(STATUS "Building GMP for Windows in ${OSTREL_WINDOWS_GMP_DIR}")
endif()
execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/lib/gmp-for-windows.sh
                        ${OSTREL_WINDOWS_GMP_DIR}
                RESULT_VARIABLE _ostrel_gmp_status)
if(NOT _ostrel_gmp_status EQUAL 0)
    message(FATAL_ERROR "GMP for Windows could not be built (${_ostrel_gmp_status})")
endif()
list(PREPEND CMAKE_FIND_ROOT_PATH ${OSTREL_WINDOWS_GMP_DIR}/prefix)

# GoogleTest from Debian's sources (googletest, /usr/src/googletest), built with the
# project under the names its CMake package gives.
if(OSTREL_BUILD_TESTS)
    set(OSTREL_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH
        "GoogleTest's sources, built for the target when cross-building")
    if(NOT EXISTS ${OSTREL_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest sources in ${OSTREL_GOOGLETEST_SOURCE_DIR} "
                            "(Debian package googletest)")
    endif()
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${OSTREL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/_deps/googletest
                     EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest_main)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
    set(GTest_FOUND TRUE)
endif()

# The Wine prefix the tests run in (scripts/lib/wine-run), made while building, once, so that
# the tests find it ready rather than wait the ten seconds or so that making it takes.
if(OSTREL_BUILD_TESTS)
    add_custom_target(ostrel_wine_prefix ALL
                      COMMAND ${CMAKE_COMMAND} -E env OSTREL_WINE_DIR=${CMAKE_BINARY_DIR}/_wine
                              ${CMAKE_CROSSCOMPILING_EMULATOR} --setup
                      COMMENT "Making the Wine prefix the tests run in"
                      VERBATIM)
    # The tests that run Windows programs in Wine folders of their own start those from a copy
    # of this prefix rather than make one each.
    set(OSTREL_WINE_TEMPLATE ${CMAKE_BINARY_DIR}/_wine/prefix)
endif()
