# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the scripts that build GMP with its C++ interface for a target Debian has no GMP
# for (scripts/lib/gmp-for-windows.sh, scripts/lib/gmp-for-web.sh): the same GMP the Linux
# build links, from Debian's own source package, built into DIR/prefix. A second run with the
# prefix in place does nothing.
#
# The source comes from the Debian archive the installed libgmp-dev came from, through a
# private apt state under DIR, so that neither the machine's apt sources nor its lists are
# touched and no root is needed.
#
# A script sources common.sh and this file, then:
#   ostrel_gmp_begin DIR   takes DIR's lock; ends the script when the prefix is built already
#   ostrel_gmp_source      Debian's tree with Debian's patches in gmp_tree, a fresh gmp_build
#   ...                    configures and builds in gmp_build, installing into gmp_prefix
#   ostrel_gmp_end         marks the prefix as built and says how long it took
# The gmp_ variables are for the script that sources it; ostrel_me and fail come from common.sh.
# shellcheck shell=bash disable=SC2034,SC2154

ostrel_gmp_say() { echo "$ostrel_me: $*"; }

ostrel_gmp_begin() {
    mkdir -p "$1"
    gmp_dir=$(cd "$1" && pwd)
    gmp_prefix=$gmp_dir/prefix
    gmp_log=$gmp_dir/build.log
    # One build at a time per folder, so that two configures of the same build folder wait
    # for each other instead of building over each other.
    exec 9>"$gmp_dir/lock"
    flock 9
    if [ -f "$gmp_prefix/built-from" ] && [ -f "$gmp_prefix/lib/libgmpxx.a" ] &&
        [ -f "$gmp_prefix/include/gmpxx.h" ]; then
        exit 0
    fi
    local tool
    for tool in m4 dpkg-source apt-get make; do
        command -v "$tool" >/dev/null || fail "$tool is missing (Debian package dpkg-dev or m4)"
    done
}

ostrel_gmp_source() {
    # The archive and suite of the installed libgmp-dev, e.g. "http://deb.debian.org/debian
    # bookworm/main": the line of `apt-cache policy` under the installed version.
    local origin uri suite_component suite component
    origin=$(apt-cache policy libgmp-dev | awk '
        /^ \*\*\* / { mine = 1; next }
        mine && $2 ~ /:\/\// { print $2, $3; exit }
        /^     [^ ]/ && !/^        / { mine = 0 }')
    [ -n "$origin" ] || fail "cannot tell which Debian archive libgmp-dev came from"
    read -r uri suite_component <<<"$origin"
    suite=${suite_component%%/*}
    component=${suite_component#*/}

    local apt_dir=$gmp_dir/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
    echo "deb-src $uri $suite $component" >"$apt_dir/sources.list"
    local apt_options=(-q -o "Dir::Etc::SourceList=$apt_dir/sources.list"
        -o "Dir::Etc::SourceParts=-" -o "Dir::State::Lists=$apt_dir/lists"
        -o "Dir::Cache=$apt_dir/cache" -o "Dir::State::status=/var/lib/dpkg/status"
        -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")

    local src=$gmp_dir/src
    if ! compgen -G "$src/gmp_*.dsc" >/dev/null; then
        ostrel_gmp_say "downloading Debian's source package of GMP from $uri $suite"
        apt-get "${apt_options[@]}" update >"$gmp_dir/apt.log" 2>&1 ||
            fail "apt-get update failed: $(tail -5 "$gmp_dir/apt.log")"
        rm -rf "$src.partial"
        mkdir -p "$src.partial"
        (cd "$src.partial" && apt-get "${apt_options[@]}" source --download-only gmp) \
            >>"$gmp_dir/apt.log" 2>&1 ||
            fail "apt-get source failed: $(tail -5 "$gmp_dir/apt.log")"
        rm -rf "$src"
        mv "$src.partial" "$src"
    fi
    local dsc
    dsc=$(compgen -G "$src/gmp_*.dsc" | head -n 1)
    gmp_version=$(basename "$dsc" .dsc)

    # Debian's tree, with Debian's patches applied.
    gmp_tree=$gmp_dir/tree
    rm -rf "$gmp_tree"
    dpkg-source -x "$dsc" "$gmp_tree" >"$gmp_dir/unpack.log" 2>&1 ||
        fail "dpkg-source failed: $(tail -5 "$gmp_dir/unpack.log")"
    # Debian's source leaves out the manual (doc/). Debian's own patch drops doc/ from
    # Makefile.am and configure.ac and Debian regenerates the build system with autoreconf;
    # the shipped configure and Makefile.in still list it. Here a Makefile.in that builds and
    # installs nothing stands in for the manual's, so that the shipped build system runs as
    # it is: no Autoconf, Automake or Libtool to install, nothing regenerated.
    if [ ! -e "$gmp_tree/doc/Makefile.in" ]; then
        mkdir -p "$gmp_tree/doc"
        cat >"$gmp_tree/doc/Makefile.in" <<'MAKEFILE'
# Stands in for the manual's Makefile.in, which Debian's source leaves out: nothing to do.
all install install-data install-exec uninstall check installcheck info dvi pdf ps html \
install-info install-dvi install-pdf install-ps install-html mostlyclean clean distclean \
maintainer-clean tags ctags distdir:
.PHONY: all install install-data install-exec uninstall check installcheck info dvi pdf ps \
html install-info install-dvi install-pdf install-ps install-html mostlyclean clean \
distclean maintainer-clean tags ctags distdir
MAKEFILE
    fi

    gmp_build=$gmp_dir/build
    rm -rf "$gmp_build" "$gmp_prefix"
    mkdir -p "$gmp_build"
    gmp_started=$(date +%s)
}

ostrel_gmp_end() {
    echo "$gmp_version" >"$gmp_prefix/built-from"
    ostrel_gmp_say "built $gmp_version into $gmp_prefix in $(($(date +%s) - gmp_started)) s"
}
