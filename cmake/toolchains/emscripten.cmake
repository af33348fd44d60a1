# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Building the platform-free layers (numbers, layout, core), their tests and the scenario
# player for WebAssembly on Debian: Debian's Emscripten (package emscripten) and its CMake
# platform file, with Node.js to run what is built. Used by the `web` preset.
set(OSTREL_EMSCRIPTEN_PLATFORM /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
if(NOT EXISTS ${OSTREL_EMSCRIPTEN_PLATFORM})
    message(FATAL_ERROR "No ${OSTREL_EMSCRIPTEN_PLATFORM} (Debian package emscripten)")
endif()
# Node.js runs what is built (the tests, the scenario player), without its fetch(): the
# JavaScript that this Emscripten writes would take it to load the program's .wasm file as a
# URL, which fails, rather than read it from the disk. Set before the platform file, which
# would otherwise name a plain node.
find_program(OSTREL_NODE node REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${OSTREL_NODE} --no-experimental-fetch)
include(${OSTREL_EMSCRIPTEN_PLATFORM})

# C++ exceptions caught as on every other platform (the scenario player reports a faulty
# scenario by one): without being asked, Emscripten ends the program at the first throw.
set(CMAKE_C_FLAGS_INIT "-fexceptions")
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
# Every program runs under Node.js as a command does: it reads and writes the files of the
# machine (the player's scenarios and transcripts), takes as much memory as it needs, and
# writes out all it printed when it ends.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-fexceptions -sNODERAWFS=1 -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1")

# Emscripten's optimiser, which links run, is JavaScript that needs modules from Debian's
# /usr/share/nodejs: Debian's Node.js searches there, a Node.js from elsewhere does not.
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
