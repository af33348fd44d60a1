# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# One interface target carries the project's warning and sanitizer flags, so that every
# target of the project links it and nothing is repeated per folder.
add_library(ostrel_options INTERFACE)
add_library(ostrel::options ALIAS ostrel_options)

if(MSVC)
    target_compile_options(ostrel_options INTERFACE /W4 /utf-8 /permissive-)
    if(OSTREL_WERROR)
        target_compile_options(ostrel_options INTERFACE /WX)
    endif()
else()
    target_compile_options(ostrel_options INTERFACE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
        -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough)
    if(OSTREL_WERROR)
        target_compile_options(ostrel_options INTERFACE -Werror)
    endif()
endif()

if(OSTREL_SANITIZE AND MSVC)
    # MSVC has AddressSanitizer only.
    target_compile_options(ostrel_options INTERFACE /fsanitize=address)
elseif(OSTREL_SANITIZE)
    set(_ostrel_san -fsanitize=address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer)
    target_compile_options(ostrel_options INTERFACE ${_ostrel_san})
    target_link_options(ostrel_options INTERFACE ${_ostrel_san})
endif()
