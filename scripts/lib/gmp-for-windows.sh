#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds GMP with its C++ interface for 64-bit Windows (MinGW-w64, static libraries) from
# Debian's own source package, the same GMP the Linux build links, into DIR/prefix. The
# Windows build finds it there (cmake/WindowsCross.cmake); a second run with the prefix in
# place does nothing.
#
# The source comes from the Debian archive the installed libgmp-dev came from, through a
# private apt state under DIR, so that neither the machine's apt sources nor its lists are
# touched and no root is needed.
# Usage: scripts/lib/gmp-for-windows.sh DIR
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ostrel_me=gmp-for-windows

[ $# -eq 1 ] || {
    echo "usage: $0 DIR" >&2
    exit 2
}
mkdir -p "$1"
dir=$(cd "$1" && pwd)
host=x86_64-w64-mingw32
prefix=$dir/prefix
stamp=$prefix/built-from

say() { echo "gmp-for-windows: $*"; }

# One build at a time per folder, so that two configures of the same build folder wait for
# each other instead of building over each other.
exec 9>"$dir/lock"
flock 9

if [ -f "$stamp" ] && [ -f "$prefix/lib/libgmpxx.a" ] && [ -f "$prefix/include/gmpxx.h" ]; then
    exit 0
fi

for tool in "$host-gcc-posix" "$host-g++-posix" m4 dpkg-source apt-get make; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/test-windows installs it)"
done

# The archive and suite of the installed libgmp-dev, e.g. "http://deb.debian.org/debian
# bookworm/main": the line of `apt-cache policy` under the installed version.
origin=$(apt-cache policy libgmp-dev | awk '
    /^ \*\*\* / { mine = 1; next }
    mine && $2 ~ /:\/\// { print $2, $3; exit }
    /^     [^ ]/ && !/^        / { mine = 0 }')
[ -n "$origin" ] || fail "cannot tell which Debian archive libgmp-dev came from"
read -r uri suite_component <<<"$origin"
suite=${suite_component%%/*}
component=${suite_component#*/}

apt_dir=$dir/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
echo "deb-src $uri $suite $component" >"$apt_dir/sources.list"
apt_options=(-q -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=-"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
    -o "Dir::State::status=/var/lib/dpkg/status" -o "Debug::NoLocking=1"
    -o "APT::Sandbox::User=$(id -un)")

src=$dir/src
if ! compgen -G "$src/gmp_*.dsc" >/dev/null; then
    say "downloading Debian's source package of GMP from $uri $suite"
    apt-get "${apt_options[@]}" update >"$dir/apt.log" 2>&1 ||
        fail "apt-get update failed: $(tail -5 "$dir/apt.log")"
    rm -rf "$src.partial"
    mkdir -p "$src.partial"
    (cd "$src.partial" && apt-get "${apt_options[@]}" source --download-only gmp) \
        >>"$dir/apt.log" 2>&1 || fail "apt-get source failed: $(tail -5 "$dir/apt.log")"
    rm -rf "$src"
    mv "$src.partial" "$src"
fi
dsc=$(compgen -G "$src/gmp_*.dsc" | head -n 1)

# Debian's tree, with Debian's patches applied.
tree=$dir/tree
rm -rf "$tree"
dpkg-source -x "$dsc" "$tree" >"$dir/unpack.log" 2>&1 ||
    fail "dpkg-source failed: $(tail -5 "$dir/unpack.log")"
# Debian's source leaves out the manual (doc/). Debian's own patch drops doc/ from
# Makefile.am and configure.ac and Debian regenerates the build system with autoreconf; the
# shipped configure and Makefile.in still list it. Here a Makefile.in that builds and
# installs nothing stands in for the manual's, so that the shipped build system runs as it
# is: no Autoconf, Automake or Libtool to install, nothing regenerated.
if [ ! -e "$tree/doc/Makefile.in" ]; then
    mkdir -p "$tree/doc"
    cat >"$tree/doc/Makefile.in" <<'MAKEFILE'
# Stands in for the manual's Makefile.in, which Debian's source leaves out: nothing to do.
all install install-data install-exec uninstall check installcheck info dvi pdf ps html \
install-info install-dvi install-pdf install-ps install-html mostlyclean clean distclean \
maintainer-clean tags ctags distdir:
.PHONY: all install install-data install-exec uninstall check installcheck info dvi pdf ps \
html install-info install-dvi install-pdf install-ps install-html mostlyclean clean \
distclean maintainer-clean tags ctags distdir
MAKEFILE
fi

build=$dir/build
rm -rf "$build" "$prefix"
mkdir -p "$build"
version=$(basename "$dsc" .dsc)
say "building $version for $host (static, with the C++ interface)"
start=$(date +%s)
(
    cd "$build"
    "$tree/configure" --host="$host" --prefix="$prefix" --enable-cxx --disable-shared \
        --enable-static CC="$host-gcc-posix" CXX="$host-g++-posix"
    make -j "${OSTREL_JOBS:-2}"
    make install
) >"$dir/build.log" 2>&1 || fail "the build failed, see $dir/build.log: $(tail -20 "$dir/build.log")"
echo "$version" >"$stamp"
say "built $version into $prefix in $(($(date +%s) - start)) s"
