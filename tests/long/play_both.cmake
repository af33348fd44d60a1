# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes the random scenario, plays it through both backends and requires both to finish
# cleanly with the same transcript.
set(scenario ${WORK}/random-${SEED}.play)
execute_process(COMMAND ${GENERATOR} ${SEED} ${ACTIONS} OUTPUT_FILE ${scenario}
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${status}")
endif()
foreach(backend core qt)
    string(TIMESTAMP started "%s")
    execute_process(COMMAND ${PLAYER} --backend=${backend} ${scenario}
                    OUTPUT_FILE ${WORK}/random-${SEED}.${backend}.out
                    ERROR_VARIABLE errors RESULT_VARIABLE status)
    string(TIMESTAMP finished "%s")
    math(EXPR seconds "${finished} - ${started}")
    message(STATUS "${backend}: ${ACTIONS} actions in ${seconds} s")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${backend} backend exited with ${status}\n${errors}")
    endif()
endforeach()
file(READ ${WORK}/random-${SEED}.core.out core)
file(READ ${WORK}/random-${SEED}.qt.out qt)
if(NOT core STREQUAL qt)
    message(FATAL_ERROR "the transcripts differ: diff ${WORK}/random-${SEED}.core.out ${WORK}/random-${SEED}.qt.out")
endif()
string(LENGTH "${core}" length)
message(STATUS "transcripts agree (${length} bytes)")
