#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds GMP with its C++ interface for WebAssembly (Emscripten, static libraries) from
# Debian's own source package (scripts/lib/debian-gmp.sh), the same GMP the Linux build links,
# into DIR/prefix. The web build finds it there (cmake/WebCross.cmake); a second run with the
# prefix in place does nothing.
#
# WebAssembly has no assembly of GMP's own: the generic C code, with 64-bit limbs, since wasm32
# does 64-bit arithmetic natively and GMP's own tests pass with them; GMP's default for a
# machine it does not know would be 32-bit limbs (a long), twice as many steps for every
# product. GMP's configure has no ABI that asks for them on such a machine: its table of
# machines says so with limb=longlong, as for x32 and MIPS n32, which 64-bit registers and
# 32-bit addresses give the same choice. Its C++ interface is built with C++ exceptions, as
# the web build is (cmake/toolchains/emscripten.cmake).
#
# With --check, GMP's own tests run under Node.js in the tree that built DIR/prefix: those of
# its low-level functions (tests/mpn), of its integers and fractions (tests/mpz, tests/mpq)
# and of its C++ interface (tests/cxx), with the common ones (tests); building them takes
# longer than GMP itself.
# Usage: scripts/lib/gmp-for-web.sh [--check] DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
source "$(dirname "${BASH_SOURCE[0]}")/debian-gmp.sh"
ostrel_me=gmp-for-web

check=0
if [ "${1:-}" = --check ]; then
    check=1
    shift
fi
[ $# -eq 1 ] || {
    echo "usage: $0 [--check] DIR" >&2
    exit 2
}

if [ "$check" = 1 ]; then
    build=$1/build
    [ -f "$build/Makefile" ] || fail "no GMP built in $1 to test"
    ostrel_web_environment
    # A test program is JavaScript beside its .wasm, which Node.js runs; it takes the memory
    # it needs. Each folder's own tests only (SUBDIRS), those of the folders below in turn.
    for tests in tests tests/mpn tests/mpz tests/mpq tests/cxx; do
        echo "$ostrel_me: GMP's $tests under Node.js"
        emmake make -C "$build/$tests" -j "${OSTREL_JOBS:-2}" check SUBDIRS= \
            LDFLAGS=-sALLOW_MEMORY_GROWTH=1 LOG_COMPILER="$OSTREL_WEB_NODE" \
            >>"$1/check.log" 2>&1 ||
            fail "GMP's $tests failed, see $1/check.log: $(tail -20 "$1/check.log")"
        grep -E '^# (TOTAL|PASS|FAIL|SKIP|XFAIL|ERROR)' "$build/$tests/test-suite.log" |
            tr '\n' ' '
        echo
    done
    exit 0
fi

ostrel_gmp_begin "$1"
for tool in emconfigure emmake node gcc; do
    command -v "$tool" >/dev/null || fail "$tool is missing (stage web of scripts/test installs it)"
done
ostrel_gmp_source
ostrel_web_environment

ostrel_gmp_say "building $gmp_version for WebAssembly (static, with the C++ interface)"
(
    cd "$gmp_build"
    # The tables GMP generates while it builds come from programs built for this machine.
    # GMP finds the layout of a double in the bytes of a program it builds, which here are in
    # the .wasm file beside the program it looks in: it is told instead. WebAssembly's double
    # is IEEE's, little-endian; without knowing that, GMP's conversions between doubles and
    # its numbers fail its own tests.
    emconfigure "$gmp_tree/configure" --host=none --build="$(gcc -dumpmachine)" \
        --prefix="$gmp_prefix" --disable-assembly --enable-cxx --disable-shared \
        --enable-static limb=longlong gmp_cv_c_double_format="IEEE little endian" \
        CC_FOR_BUILD=gcc CFLAGS=-O2 CXXFLAGS="-O2 -fexceptions" &&
        emmake make -j "${OSTREL_JOBS:-2}" &&
        emmake make install
) >"$gmp_log" 2>&1 || fail "the build failed, see $gmp_log: $(tail -20 "$gmp_log")"
ostrel_gmp_end
