# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-building the Windows program on Debian: MinGW-w64 for 64-bit Windows with POSIX
# threads (g++-mingw-w64-x86-64-posix), and Wine to run what is built (tests, the scenario
# player) through scripts/lib/wine-run. Used by the `windows` preset.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(OSTREL_MINGW_HOST x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${OSTREL_MINGW_HOST}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OSTREL_MINGW_HOST}-g++-posix)
set(CMAKE_RC_COMPILER ${OSTREL_MINGW_HOST}-windres)

# Headers and libraries only from the target's root (and the GMP built for it, which
# cmake/WindowsCross.cmake adds); programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${OSTREL_MINGW_HOST})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program stands alone: the C and C++ runtimes and the threads library linked in, so
# that an .exe needs no DLL beyond those Windows itself has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

get_filename_component(_ostrel_wine_run "${CMAKE_CURRENT_LIST_DIR}/../../scripts/lib/wine-run"
                       ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_ostrel_wine_run}")
