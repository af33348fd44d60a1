# Runs a validator of the desktop's data files, and says which Debian package brings it when
# it is missing.
# Usage: cmake -DTOOL=PATH -DPACKAGE=NAME -DARGUMENTS=arg;arg;... -P validate.cmake
if(NOT TOOL)
    message(FATAL_ERROR "the validator is missing: install the ${PACKAGE} package "
                        "(scripts/test installs it) and configure again")
endif()
execute_process(COMMAND ${TOOL} ${ARGUMENTS} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} ${ARGUMENTS} failed (${status})")
endif()
