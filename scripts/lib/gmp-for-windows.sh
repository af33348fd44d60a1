#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds GMP with its C++ interface for 64-bit Windows (MinGW-w64, static libraries) from
# Debian's own source package (scripts/lib/debian-gmp.sh), the same GMP the Linux build links,
# into DIR/prefix. The Windows build finds it there (cmake/WindowsCross.cmake); a second run
# with the prefix in place does nothing.
# Usage: scripts/lib/gmp-for-windows.sh DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/debian-gmp.sh"
ostrel_me=gmp-for-windows

[ $# -eq 1 ] || {
    echo "usage: $0 DIR" >&2
    exit 2
}
host=x86_64-w64-mingw32
ostrel_gmp_begin "$1"
for tool in "$host-gcc-posix" "$host-g++-posix"; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test-windows installs it)"
done
ostrel_gmp_source

ostrel_gmp_say "building $gmp_version for $host (static, with the C++ interface)"
(
    cd "$gmp_build"
    "$gmp_tree/configure" --host="$host" --prefix="$gmp_prefix" --enable-cxx --disable-shared \
        --enable-static CC="$host-gcc-posix" CXX="$host-g++-posix"
    make -j "${OSTREL_JOBS:-2}"
    make install
) >"$gmp_log" 2>&1 || fail "the build failed, see $gmp_log: $(tail -20 "$gmp_log")"
ostrel_gmp_end
