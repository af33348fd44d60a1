# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The program's command line: --help prints the usage and --version the name and version, both
# on standard output with status 0 and without a display; anything else prints the usage on
# standard error and ends with status 2.
# Usage: cmake -DPROGRAM=PATH -DVERSION=X.Y.Z -P command_line.cmake
set(failures)
macro(expect arguments status output error)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                            ${PROGRAM} ${arguments}
                    RESULT_VARIABLE got_status OUTPUT_VARIABLE got_output
                    ERROR_VARIABLE got_error TIMEOUT 20)
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
if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
message(STATUS "qz-ostrel answers --help and --version and refuses anything else")
