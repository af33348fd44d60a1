# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The resources every Windows program of the project carries: the program's icon
# (data/icons/qz-ostrel.ico, 16 to 256 pixels, from the same drawing as the Linux icons), and
# from src/win32/resources/ the version shown in the file's properties and the manifest
# (visual styles, per-monitor DPI awareness, UTF-8 code page, Windows 7 to 11, no elevation).
#
#   ostrel_add_windows_resources(<target> [DESCRIPTION <text>])
#
# adds them to an executable target; DESCRIPTION is the file description Explorer shows
# (default "QZ Ostrel 转仓计算器"). The window code loads the icon by OSTREL_IDI_APP from
# resource_ids.h, which the target may include.
enable_language(RC)

set(OSTREL_WINDOWS_RESOURCES_DIR ${PROJECT_SOURCE_DIR}/src/win32/resources)

function(ostrel_add_windows_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESCRIPTION" "")
    if(NOT arg_DESCRIPTION)
        set(arg_DESCRIPTION "QZ Ostrel 转仓计算器")
    endif()
    set(OSTREL_RC_DESCRIPTION "${arg_DESCRIPTION}")
    get_target_property(OSTREL_RC_NAME ${target} OUTPUT_NAME)
    if(NOT OSTREL_RC_NAME)
        set(OSTREL_RC_NAME ${target})
    endif()
    set(OSTREL_RC_FILE_NAME ${OSTREL_RC_NAME}${CMAKE_EXECUTABLE_SUFFIX})
    set(OSTREL_RC_VERSION_MINOR 0)
    set(OSTREL_RC_VERSION_PATCH 0)
    if(NOT PROJECT_VERSION_MINOR STREQUAL "")
        set(OSTREL_RC_VERSION_MINOR ${PROJECT_VERSION_MINOR})
    endif()
    if(NOT PROJECT_VERSION_PATCH STREQUAL "")
        set(OSTREL_RC_VERSION_PATCH ${PROJECT_VERSION_PATCH})
    endif()
    set(OSTREL_RC_VERSION4
        "${PROJECT_VERSION_MAJOR}.${OSTREL_RC_VERSION_MINOR}.${OSTREL_RC_VERSION_PATCH}.0")

    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
    set(OSTREL_RC_ICON ${PROJECT_SOURCE_DIR}/data/icons/qz-ostrel.ico)
    set(OSTREL_RC_MANIFEST ${out}/${OSTREL_RC_FILE_NAME}.manifest)
    configure_file(${OSTREL_WINDOWS_RESOURCES_DIR}/program.manifest.in ${OSTREL_RC_MANIFEST}
                   @ONLY)
    configure_file(${OSTREL_WINDOWS_RESOURCES_DIR}/program.rc.in ${out}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${out}/${target}.rc)
    target_include_directories(${target} PRIVATE ${OSTREL_WINDOWS_RESOURCES_DIR})
    # The resource compiler reads the icon and the manifest; a change to either rebuilds.
    set_property(SOURCE ${out}/${target}.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${OSTREL_RC_ICON} ${OSTREL_RC_MANIFEST})
    if(MINGW)
        # windres reads the file as UTF-8 (the Chinese description).
        set_property(SOURCE ${out}/${target}.rc APPEND PROPERTY COMPILE_OPTIONS -c 65001)
    endif()
endfunction()
