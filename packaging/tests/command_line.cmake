# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program's command line: --help prints the usage and --version the name and version, both
# on standard output with status 0 and without a display; Qt's standard options are taken as
# in any Qt program; without a display the program says so in one line and ends with status 1;
# anything else prints the usage on standard error and ends with status 2.
# Usage: cmake -DPROGRAM=PATH -DVERSION=X.Y.Z -P command_line.cmake
set(failures)
# Runs the program without a display (no X11 nor Wayland display, Qt's platform left to its
# default) for at most `seconds`.
macro(run arguments seconds)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            --unset=QT_QPA_PLATFORM ${PROGRAM} ${arguments}
                    RESULT_VARIABLE got_status OUTPUT_VARIABLE got_output
                    ERROR_VARIABLE got_error TIMEOUT ${seconds})
endmacro()
macro(expect arguments status output error)
    run("${arguments}" 20)
    if(NOT got_status STREQUAL "${status}" OR NOT got_output MATCHES "${output}"
       OR NOT got_error MATCHES "${error}")
        list(APPEND failures "qz-ostrel ${arguments}: status ${got_status}, output "
                             "'${got_output}', error '${got_error}'")
    endif()
endmacro()
string(REPLACE "." "\\." version "${VERSION}")
set(usage "Usage: qz-ostrel \\[--help \\| --version\\]\n")
expect("--version" 0 "^qz-ostrel ${version}\n$" "^$")
expect("-v" 0 "^qz-ostrel ${version}\n$" "^$")
expect("--help" 0 "^${usage}" "^$")
expect("-h" 0 "^${usage}" "^$")
expect("--frobnicate" 2 "^$" "Unknown option 'frobnicate'.*${usage}$")
expect("extra" 2 "^$" "unexpected argument 'extra'.*${usage}$")
expect("--version;extra" 2 "^$" "${usage}$")
# Qt's options, in either spelling, are no mistake: --help and --version still answer.
expect("-style=fusion;--version" 0 "^qz-ostrel ${version}\n$" "^$")
expect("-style;fusion;-reverse;--help" 0 "^${usage}" "^$")
expect("-platform;offscreen;--frobnicate" 2 "^$" "Unknown option 'frobnicate'.*${usage}$")
# Without a display: one line in Chinese and English, and status 1 rather than Qt's abort.
set(no_display "^qz-ostrel: 无法打开显示，需要图形桌面 ")
string(APPEND no_display "[(]cannot open a display; a graphical desktop is needed[)]\n$")
expect("" 1 "^$" "${no_display}")
expect("-style=fusion" 1 "^$" "${no_display}")
# On the offscreen platform the window opens with Qt's options taken and is still open when
# it is ended a few seconds later, having said nothing.
set(open_for 4)
foreach(arguments IN ITEMS "-platform;offscreen;-style=fusion"
                           "-platform;offscreen;-style;fusion;-reverse;-geometry;600x400+10+10")
    run("${arguments}" ${open_for})
    string(REGEX REPLACE "QStandardPaths: [^\n]*\n" "" got_error "${got_error}")
    if(NOT got_status MATCHES "timeout" OR NOT got_error STREQUAL "")
        list(APPEND failures "qz-ostrel ${arguments}: status ${got_status}, error '${got_error}'")
    endif()
endforeach()
if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
message(STATUS "qz-ostrel answers --help and --version, takes Qt's options, says when it has "
               "no display and refuses anything else")
