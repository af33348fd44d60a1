# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the web build made on Debian (cmake/toolchains/emscripten.cmake) needs beyond the
# toolchain: GMP with its C++ interface built for WebAssembly, and GoogleTest built from
# Debian's sources, since Debian has neither for the target.

# GMP, built by scripts/lib/gmp-for-web.sh (a few minutes), and GoogleTest.
include(${CMAKE_CURRENT_LIST_DIR}/CrossDependencies.cmake)
ostrel_cross_gmp(gmp-for-web.sh WebAssembly)
