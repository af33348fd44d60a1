# SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the scripts: the Debian packages each task needs, installed only when missing.
# shellcheck shell=bash disable=SC2034 # the package lists are for the scripts that source it

# Build and test tools, the libraries the program links, and what it shows at run time: Qt's
# Chinese texts and the Chinese faces.
OSTREL_BUILD_PACKAGES=(g++ make cmake libgmp-dev qt6-base-dev qt6-translations-l10n
    fonts-arphic-uming fonts-wqy-zenhei)
# What the tests need beyond the build: GoogleTest; for the end-to-end test an X server,
# tools to drive and photograph it and to read its clipboard, and Python's X library to close
# the window as a window manager does; the validators of the desktop entry, the AppStream data
# and the manual page; clang-format, which keeps the sources in the committed style; the
# checker of the shell scripts (shellcheck); and reuse, which checks that every file names
# its copyright and licence.
OSTREL_TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool xclip x11-utils imagemagick python3
    python3-xlib desktop-file-utils appstream man-db clang-format shellcheck reuse)
# The fuzzer: clang with libFuzzer and the sanitizer runtimes, and the GMP headers.
OSTREL_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev make cmake libgmp-dev)
# The benchmarks: Google Benchmark.
OSTREL_BENCH_PACKAGES=(g++ make cmake libgmp-dev libbenchmark-dev)

# What building the Debian package needs beyond the build (scripts/package): dpkg-shlibdeps
# and dpkg-buildflags, the tools CPack runs to find and strip the program, git for the date
# of the last commit, and reuse and Python to write the copyright file from the REUSE data.
OSTREL_PACKAGE_PACKAGES=(dpkg-dev file binutils git reuse python3)
# What scripts/package --check needs: diffoscope to show how two builds differ, lintian and
# hardening-check (devscripts) to check the package, the desktop entry's validator, and to
# start the installed program an X server, xdotool to find its window and Python's X library
# to close it.
OSTREL_PACKAGE_CHECK_PACKAGES=(diffoscope-minimal lintian devscripts desktop-file-utils xvfb
    xauth xdotool python3 python3-xlib)

# The Windows build made on Debian (scripts/test-windows, scripts/package-windows): MinGW-w64
# with POSIX threads; what builds GMP from Debian's source package (dpkg-source, m4, xz);
# GoogleTest's sources; Wine to run what is built, with the zh_CN locale, Debian's Chinese
# faces and an X server for windows; NSIS and zip for the packages; for the end-to-end test
# xdotool, xwininfo, ImageMagick and Python's X library to close the window.
OSTREL_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix make cmake dpkg-dev m4 xz-utils googletest
    wine wine64 locales fonts-arphic-uming fonts-wqy-zenhei xvfb xauth nsis zip unzip
    xdotool x11-utils xclip imagemagick python3 python3-xlib)

# The web build made on Debian (stage web of scripts/test): Emscripten (with clang, lld,
# Binaryen and Node.js, which runs what is built); what builds GMP from Debian's source package
# (a C compiler for the tables GMP generates while it builds, dpkg-source, m4, xz);
# GoogleTest's sources.
OSTREL_WEB_PACKAGES=(emscripten nodejs gcc make cmake dpkg-dev m4 xz-utils googletest)

# Node.js as the web build runs its programs: without its fetch(), which the JavaScript that
# Debian's Emscripten writes would take to load the program's .wasm file from a URL rather
# than read it from the disk, and fail.
OSTREL_WEB_NODE="node --no-experimental-fetch"

# Debian's Emscripten runs JavaScript tools of its own (the optimiser) under Node.js, with
# modules from Debian's /usr/share/nodejs, which Debian's Node.js searches and a Node.js
# installed from elsewhere does not: named here for either.
ostrel_web_environment() {
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
}

ostrel_root() { cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd; }

# Installs the named Debian packages that are not installed yet.
ostrel_ensure_packages() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

ostrel_jobs() { nproc 2>/dev/null || echo 2; }

# Says what went wrong, named after the script (ostrel_me), and ends it with status
# ostrel_fail_status: 1, or what a script that must tell its own failure apart sets.
ostrel_me=${ostrel_me:-${0##*/}}
ostrel_fail_status=${ostrel_fail_status:-1}
fail() {
    echo "$ostrel_me: $*" >&2
    exit "$ostrel_fail_status"
}

# A private X server on a display it picks itself (-displayfd writes the number once it takes
# connections), so that runs side by side never meet; it does not reset when its last client
# leaves, or a client connecting just then would be turned away. Sets and exports DISPLAY;
# ostrel_xvfb_stop ends it. xvfb-run guesses a free display instead, which two tests started
# together can both guess.
# Usage: ostrel_xvfb_start WIDTHxHEIGHT [LOG]
ostrel_xvfb_pid=
ostrel_xvfb_start() {
    local log=${2:-/dev/null} number
    command -v Xvfb >/dev/null || fail "Xvfb is missing (Debian package xvfb)"
    number=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$number" >"$log" 2>&1 &
    ostrel_xvfb_pid=$!
    for _ in $(seq 200); do
        [ -s "$number" ] && break
        kill -0 "$ostrel_xvfb_pid" 2>/dev/null || break
        sleep 0.05
    done
    DISPLAY=:$(cat "$number")
    rm -f "$number"
    [ "$DISPLAY" != : ] || fail "Xvfb did not start: $(cat "$log" 2>/dev/null)"
    export DISPLAY
}
ostrel_xvfb_stop() {
    [ -n "$ostrel_xvfb_pid" ] || return 0
    kill "$ostrel_xvfb_pid" 2>/dev/null || true
    wait "$ostrel_xvfb_pid" 2>/dev/null || true
    ostrel_xvfb_pid=
}

# xdotool search with ARGUMENTS, printing the ids found and failing when there are none. A
# search walks every window on the screen and gives up with an X error (BadWindow) when one
# goes while it looks, as Wine's own windows and Qt's menus come and go: that search is tried
# again, so that neither a window found nor a window gone is told from a half-done search.
ostrel_search() {
    local found
    for _ in $(seq 50); do
        found=$(timeout 10 xdotool search "$@" 2>&1) && {
            grep -E '^[0-9]+$' <<<"$found"
            return 0
        }
        grep -q 'X Error' <<<"$found" || return 1
        sleep 0.02
    done
    return 1
}

# Prints the id of the first window whose title matches PATTERN once it is on the screen;
# fails after SECONDS (10 if not given).
ostrel_wait_window() {
    local deadline=$((SECONDS + ${2:-10})) ids
    while :; do
        ids=$(ostrel_search --onlyvisible --name "$1") && {
            head -n 1 <<<"$ids"
            return 0
        }
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Waits until no window on the screen has a title that matches PATTERN; fails after SECONDS
# (10 if not given).
ostrel_wait_window_gone() {
    local deadline=$((SECONDS + ${2:-10}))
    while ostrel_search --onlyvisible --name "$1" >/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Waits until the process PID has ended; fails after SECONDS.
ostrel_wait_ended() {
    local deadline=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
