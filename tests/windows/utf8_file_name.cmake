# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Copies SCENARIO to a file in WORK named in Chinese and with a character that code page 936
# cannot hold (𝄞), plays it with PLAYER (through EMULATOR) and compares the transcript with
# the golden one.
string(REGEX REPLACE "\\.play$" "" stem "${SCENARIO}")
set(copy "${WORK}/转仓场景 𝄞.play")
configure_file("${SCENARIO}" "${copy}" COPYONLY)
execute_process(COMMAND ${EMULATOR} ${PLAYER} --backend=core "${copy}"
                OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ "${stem}.out" expected)
if(NOT status EQUAL 0 OR NOT actual STREQUAL expected)
    message(FATAL_ERROR "playing ${copy}: status ${status}\n--- actual:\n${actual}\n--- stderr:\n${errors}")
endif()
