# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays every scenario of SCENARIOS (a folder) with PLAYER on BACKEND in one batch, into
# RESULTS, which holds nothing older afterwards; the tests of the single scenarios then read
# their results there.
file(REMOVE_RECURSE ${RESULTS})
set(command ${EMULATOR} ${PLAYER} --backend=${BACKEND} --batch ${RESULTS} ${SCENARIOS})
execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
# Under Wine on a heavily loaded machine, a program has been seen to end at once without
# running. Such a start is tried once more.
if(EMULATOR AND NOT EXISTS ${RESULTS} AND errors STREQUAL "")
    message(STATUS "the player ended without running (status ${status}); starting it again")
    execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
endif()
if(NOT status EQUAL 0)
    file(REMOVE_RECURSE ${RESULTS})
    message(FATAL_ERROR "the player exited with ${status}\n${errors}")
endif()
