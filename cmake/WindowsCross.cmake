# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the Windows build made on Debian (cmake/toolchains/mingw-w64-x86_64.cmake) needs
# beyond the toolchain: GMP with its C++ interface built for Windows, and GoogleTest built
# from Debian's sources, since Debian has neither for the target.

# GMP, built by scripts/lib/gmp-for-windows.sh (about a minute), and GoogleTest.
include(${CMAKE_CURRENT_LIST_DIR}/CrossDependencies.cmake)
ostrel_cross_gmp(gmp-for-windows.sh Windows)

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
