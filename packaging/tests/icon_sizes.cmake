# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Every icon picture is a PNG of the size in its name: icons/icon-SIZE.png is SIZE by SIZE.
# Usage: cmake -DICONS=DIR -DSIZES=16;32;... -P icon_sizes.cmake
foreach(size IN LISTS SIZES)
    set(picture ${ICONS}/icon-${size}.png)
    if(NOT EXISTS ${picture})
        message(FATAL_ERROR "${picture} is missing")
    endif()
    # The PNG signature, then the header chunk: length 13, "IHDR", width and height.
    file(READ ${picture} head LIMIT 24 HEX)
    string(SUBSTRING "${head}" 0 32 signature)
    if(NOT signature STREQUAL "89504e470d0a1a0a0000000d49484452")
        message(FATAL_ERROR "${picture} is not a PNG")
    endif()
    string(SUBSTRING "${head}" 32 8 width)
    string(SUBSTRING "${head}" 40 8 height)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${picture} is ${width}x${height}, not ${size}x${size}")
    endif()
    message(STATUS "${picture}: ${width}x${height}")
endforeach()
