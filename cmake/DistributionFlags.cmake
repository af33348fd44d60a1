# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The release build is hardened as Debian builds its own packages: where dpkg-buildflags
# exists, its compiler and linker flags (stack protector, _FORTIFY_SOURCE, full RELRO with
# immediate binding; GCC makes position-independent executables by default) are added to
# every target. The build paths are mapped to fixed names, so that the program does not
# depend on the folder it was built in.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
endif()
find_program(OSTREL_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT OSTREL_DPKG_BUILDFLAGS)
    message(STATUS "dpkg-buildflags not found: the release build keeps the compiler's flags")
    return()
endif()

# hardening=+all also turns on immediate binding (-z now); the path maps are set below for
# both the source and the build folder instead of dpkg-buildflags' map of the working folder.
set(_ostrel_maint_options "hardening=+all reproducible=-fixfilepath,-fixdebugpath")
foreach(_ostrel_flags CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "DEB_BUILD_MAINT_OPTIONS=${_ostrel_maint_options}"
                ${OSTREL_DPKG_BUILDFLAGS} --get ${_ostrel_flags}
        OUTPUT_VARIABLE _ostrel_${_ostrel_flags} OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# GCC tries the last map first: the build folder may lie inside the source folder.
string(JOIN " " _ostrel_compile ${_ostrel_CPPFLAGS} ${_ostrel_CXXFLAGS})
string(JOIN " " CMAKE_CXX_FLAGS ${CMAKE_CXX_FLAGS} ${_ostrel_compile}
       "-ffile-prefix-map=${PROJECT_SOURCE_DIR}=." "-ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
string(JOIN " " CMAKE_EXE_LINKER_FLAGS ${CMAKE_EXE_LINKER_FLAGS} ${_ostrel_LDFLAGS})
string(JOIN " " CMAKE_SHARED_LINKER_FLAGS ${CMAKE_SHARED_LINKER_FLAGS} ${_ostrel_LDFLAGS})
message(STATUS "Distribution flags from dpkg-buildflags: ${_ostrel_compile} ${_ostrel_LDFLAGS}")
