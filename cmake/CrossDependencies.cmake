# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What a build for a target Debian has no libraries for needs beyond its toolchain, shared by
# the Windows build (cmake/WindowsCross.cmake) and the web build (cmake/WebCross.cmake): GMP
# with its C++ interface, built for the target from Debian's source package, and GoogleTest
# built from Debian's sources.

# GMP, built once per build folder by SCRIPT (scripts/lib/gmp-for-*.sh) from Debian's source
# package; the lookups of cmake/Dependencies.cmake then find it. TARGET names the target in
# what is said.
function(ostrel_cross_gmp script target)
    set(dir ${CMAKE_BINARY_DIR}/_deps/gmp)
    if(NOT EXISTS ${dir}/prefix/built-from)
        message(STATUS "Building GMP for ${target} in ${dir}")
    endif()
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/lib/${script} ${dir}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "GMP for ${target} could not be built (${status})")
    endif()
    list(PREPEND CMAKE_FIND_ROOT_PATH ${dir}/prefix)
    set(CMAKE_FIND_ROOT_PATH "${CMAKE_FIND_ROOT_PATH}" PARENT_SCOPE)
endfunction()

# GoogleTest from Debian's sources (googletest, /usr/src/googletest), built with the project
# under the names its CMake package gives.
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
