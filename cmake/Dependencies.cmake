# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-building for Windows or WebAssembly on Debian: GMP and GoogleTest built for the
# target.
if(CMAKE_CROSSCOMPILING AND WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsCross.cmake)
elseif(CMAKE_CROSSCOMPILING AND EMSCRIPTEN)
    include(${CMAKE_CURRENT_LIST_DIR}/WebCross.cmake)
endif()

# GMP's C++ interface holds every amount of money exactly. Located by header and library
# name so that the same lookup works with Debian's package, vcpkg and Homebrew.
find_path(GMPXX_INCLUDE_DIR gmpxx.h REQUIRED)
find_library(GMPXX_LIBRARY NAMES gmpxx REQUIRED)
find_library(GMP_LIBRARY NAMES gmp REQUIRED)
add_library(ostrel_gmp INTERFACE)
add_library(ostrel::gmp ALIAS ostrel_gmp)
target_include_directories(ostrel_gmp SYSTEM INTERFACE ${GMPXX_INCLUDE_DIR})
target_link_libraries(ostrel_gmp INTERFACE ${GMPXX_LIBRARY} ${GMP_LIBRARY})

if(OSTREL_WITH_QT)
    find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets Test)
    set(CMAKE_AUTOMOC ON)
endif()

if(OSTREL_BUILD_TESTS)
    if(NOT GTest_FOUND)
        find_package(GTest REQUIRED)
    endif()
    include(GoogleTest)
endif()

if(OSTREL_BENCH)
    find_package(benchmark REQUIRED)
endif()
