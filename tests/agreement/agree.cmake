# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays the same scenarios through several players and requires that every one prints the
# same transcript, exits with the same status and says the same on standard error for each.
#
#   SEED, COUNT, ACTIONS   COUNT random scenarios of ACTIONS actions, from the FROM-th on
#                          (0 unless told), written by GENERATOR (run with
#                          GENERATOR_EMULATOR) into WORK/scenarios;
#   GOLDEN                 a folder whose golden scenarios (*.play) are played too, if given;
#   RUNS                   the players, by label, separated by commas; for each label X: X_PLAYER, X_BACKEND and
#                          X_EMULATOR (what runs a cross-built player, or nothing); the first
#                          is the one the others are compared with;
#   WORK                   where each player's results land (WORK/X).
# Each player plays them all in one batch (ostrel-play --batch).
cmake_minimum_required(VERSION 3.25)

function(milliseconds out)
    string(TIMESTAMP now "%s%f")
    string(LENGTH "${now}" length)
    math(EXPR keep "${length} - 3")
    string(SUBSTRING "${now}" 0 ${keep} now)
    set(${out} ${now} PARENT_SCOPE)
endfunction()

function(seconds_of milliseconds out)
    math(EXPR whole "${milliseconds} / 1000")
    math(EXPR tenths "(${milliseconds} % 1000) / 100")
    set(${out} "${whole}.${tenths}" PARENT_SCOPE)
endfunction()

milliseconds(begun)
string(REPLACE "," ";" RUNS "${RUNS}")
set(scenarios ${WORK}/scenarios)
file(REMOVE_RECURSE ${scenarios})
if(NOT FROM)
    set(FROM 0)
endif()
execute_process(COMMAND ${GENERATOR_EMULATOR} ${GENERATOR} --count ${COUNT} --from ${FROM}
                        --seed ${SEED} --actions ${ACTIONS} ${scenarios}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the generator failed (${status}): ${errors}")
endif()
file(GLOB random_files ${scenarios}/*.play)
set(golden_files)
if(GOLDEN)
    file(GLOB golden_files ${GOLDEN}/*.play)
endif()
list(LENGTH random_files random_count)
list(LENGTH golden_files golden_count)
set(names)
foreach(file IN LISTS random_files golden_files)
    get_filename_component(name ${file} NAME_WE)
    list(APPEND names ${name})
endforeach()
math(EXPR last "${FROM} + ${COUNT} - 1")
message(STATUS "seed ${SEED}: random scenarios ${FROM} to ${last} (${random_count}, ${ACTIONS} actions each) and ${golden_count} golden ones")

foreach(run IN LISTS RUNS)
    set(results ${WORK}/${run})
    file(REMOVE_RECURSE ${results})
    milliseconds(started)
    set(command ${${run}_EMULATOR} ${${run}_PLAYER} --backend=${${run}_BACKEND} --batch ${results}
                ${scenarios} ${golden_files})
    execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
    # Under Wine on a heavily loaded machine, a program has been seen to end at once without
    # running. Such a start is tried once more.
    if(${run}_EMULATOR AND NOT EXISTS ${results} AND errors STREQUAL "")
        message(STATUS "${run}: the player ended without running (status ${status}); starting it again")
        execute_process(COMMAND ${command} RESULT_VARIABLE status ERROR_VARIABLE errors)
    endif()
    milliseconds(finished)
    math(EXPR took "${finished} - ${started}")
    seconds_of(${took} took)
    message(STATUS "${run} (${${run}_BACKEND}): ${random_count} + ${golden_count} scenarios in ${took} s")
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${run}: the player exited with ${status}\n${errors}")
    endif()
endforeach()

list(GET RUNS 0 first)
list(SUBLIST RUNS 1 -1 others)
set(mismatches 0)
set(shown 0)
set(shown_at_most 20)
foreach(name IN LISTS names)
    foreach(part out status err)
        set(file ${WORK}/${first}/${name}.${part})
        set(expected "")
        if(EXISTS ${file})
            file(READ ${file} expected)
        elseif(NOT part STREQUAL "err")
            message(FATAL_ERROR "${first} left no ${name}.${part}")
        endif()
        foreach(run IN LISTS others)
            set(other ${WORK}/${run}/${name}.${part})
            set(actual "")
            if(EXISTS ${other})
                file(READ ${other} actual)
            endif()
            if(NOT actual STREQUAL expected)
                math(EXPR mismatches "${mismatches} + 1")
                if(shown LESS shown_at_most)
                    math(EXPR shown "${shown} + 1")
                    set(scenario ${scenarios}/${name}.play)
                    if(NOT EXISTS ${scenario})
                        set(scenario ${GOLDEN}/${name}.play)
                    endif()
                    message(STATUS "differs: ${scenario}: diff ${file} ${other}")
                endif()
            endif()
        endforeach()
    endforeach()
endforeach()

milliseconds(ended)
math(EXPR took "${ended} - ${begun}")
seconds_of(${took} took)
list(LENGTH names total)
string(REPLACE ";" ", " players "${RUNS}")
if(mismatches GREATER 0)
    message(FATAL_ERROR "seed ${SEED}: ${mismatches} results of ${total} scenarios differ between ${players} (${took} s in all)")
endif()
message(STATUS "seed ${SEED}: ${players} agree on all ${total} scenarios (${took} s in all)")
