# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# `cmake --install` of the build into an empty staging root, as a packager does, lays out
# exactly the expected files under the prefix, and the program among them can be run.
# Usage: cmake -DBUILD=DIR -DROOT=DIR -DPROGRAM=path -DEXPECTED=path;path;...
#            -P install_layout.cmake
# Paths are relative to the prefix; PROGRAM is one of EXPECTED.
file(REMOVE_RECURSE ${ROOT})
if(WIN32)
    # A staging root does not combine with a drive letter; install into a prefix instead.
    set(prefix ${ROOT})
    set(stage ${ROOT})
    set(environment)
else()
    set(prefix /usr)
    set(stage ${ROOT}/usr)
    set(environment DESTDIR=${ROOT})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env ${environment}
                        ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE ${stage} ${ROOT}/*)
list(SORT installed)
set(expected ${EXPECTED})
list(SORT expected)
if(NOT installed STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${installed})
    set(extra ${installed})
    list(REMOVE_ITEM extra ${expected})
    message(FATAL_ERROR "cmake --install laid out the wrong files\n"
                        "missing: ${missing}\nnot expected: ${extra}")
endif()
# find_program finds only files that may be run.
get_filename_component(program_dir ${stage}/${PROGRAM} DIRECTORY)
get_filename_component(program_name ${PROGRAM} NAME)
find_program(runnable ${program_name} PATHS ${program_dir} NO_DEFAULT_PATH NO_CACHE)
if(NOT runnable)
    message(FATAL_ERROR "${PROGRAM} was installed without permission to run")
endif()
list(LENGTH installed count)
message(STATUS "${count} files installed as expected under ${stage}")
