# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays SCENARIO (x.play) with PLAYER on BACKEND, or reads what a batch left for it in
# RESULTS, and compares the transcript with x.out, and the exit status with x.status when that
# file exists (0 otherwise).
string(REGEX REPLACE "\\.play$" "" stem "${SCENARIO}")
if(RESULTS)
    # Played already, in a batch with the others.
    get_filename_component(name ${SCENARIO} NAME_WE)
    if(NOT EXISTS ${RESULTS}/${name}.status)
        message(FATAL_ERROR "the batch left no results for ${name} in ${RESULTS}")
    endif()
    file(READ ${RESULTS}/${name}.out actual)
    file(STRINGS ${RESULTS}/${name}.status status LIMIT_COUNT 1)
    set(errors "")
    if(EXISTS ${RESULTS}/${name}.err)
        file(READ ${RESULTS}/${name}.err errors)
    endif()
else()
    # EMULATOR runs a cross-built player (Wine for the Windows build).
    execute_process(COMMAND ${EMULATOR} ${PLAYER} --backend=${BACKEND} ${SCENARIO}
                    OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
    # Under Wine on a heavily loaded machine, a program has been seen to end at once without
    # running (no transcript, nothing on stderr). Such a start is tried once more; a player
    # that prints nothing twice still fails.
    if(EMULATOR AND actual STREQUAL "" AND errors STREQUAL "")
        message(STATUS "no transcript and no message (status ${status}); starting the player again")
        execute_process(COMMAND ${EMULATOR} ${PLAYER} --backend=${BACKEND} ${SCENARIO}
                        OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)
    endif()
endif()
file(READ "${stem}.out" expected)
set(expected_status 0)
if(EXISTS "${stem}.status")
    file(STRINGS "${stem}.status" expected_status LIMIT_COUNT 1)
endif()
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "transcript differs from ${stem}.out (exit status ${status})\n--- actual:\n${actual}\n--- stderr:\n${errors}")
endif()
if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${errors}")
endif()
