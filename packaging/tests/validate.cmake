# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a validator of the desktop's data files, and says which Debian package brings it when
# it is missing. With FAIL_ON_WARNINGS, anything it prints on standard error is a failure too.
# Usage: cmake -DTOOL=PATH -DPACKAGE=NAME -DARGUMENTS=arg;arg;... [-DFAIL_ON_WARNINGS=ON]
#            -P validate.cmake
if(NOT TOOL)
    message(FATAL_ERROR "the validator is missing: install the ${PACKAGE} package "
                        "(scripts/test installs it) and configure again")
endif()
set(warnings "")
if(FAIL_ON_WARNINGS)
    execute_process(COMMAND ${TOOL} ${ARGUMENTS} RESULT_VARIABLE status OUTPUT_QUIET
                    ERROR_VARIABLE warnings)
else()
    execute_process(COMMAND ${TOOL} ${ARGUMENTS} RESULT_VARIABLE status)
endif()
if(NOT status EQUAL 0 OR NOT "${warnings}" STREQUAL "")
    message(FATAL_ERROR "${TOOL} ${ARGUMENTS} failed (${status}):\n${warnings}")
endif()
