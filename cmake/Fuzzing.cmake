# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# libFuzzer needs clang. Every target of the project is built with coverage feedback so that
# the fuzzer sees its way through the core; only the fuzzer itself links libFuzzer's main.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "OSTREL_FUZZ needs clang (the fuzz preset uses clang++-14)")
endif()
target_compile_options(ostrel_options INTERFACE -fsanitize=fuzzer-no-link)
target_link_options(ostrel_options INTERFACE -fsanitize=fuzzer-no-link)
