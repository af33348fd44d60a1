# Shared by the scripts: the Debian packages each task needs, installed only when missing.
# shellcheck shell=bash

# Build and test tools, and the libraries the program links.
OSTREL_BUILD_PACKAGES=(g++ make cmake libgmp-dev qt6-base-dev qt6-translations-l10n
    fonts-arphic-uming fonts-wqy-zenhei)
# What the tests need beyond the build: GoogleTest; for the end-to-end test an X server,
# tools to drive and photograph it and to read its clipboard, and Python's X library to close
# the window as a window manager does; the validators of the desktop entry and the AppStream
# data; and clang-format, which keeps the sources in the committed style.
OSTREL_TEST_PACKAGES=(libgtest-dev xvfb xauth xdotool xclip x11-utils imagemagick python3
    python3-xlib desktop-file-utils appstream clang-format)
# The fuzzer: clang with libFuzzer and the sanitizer runtimes, and the GMP headers.
OSTREL_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev make cmake libgmp-dev)
# The benchmarks: Google Benchmark.
OSTREL_BENCH_PACKAGES=(g++ make cmake libgmp-dev libbenchmark-dev)

# What building the Debian package needs beyond the build (scripts/package): dpkg-shlibdeps
# and the tools CPack runs to find and strip the program.
OSTREL_PACKAGE_PACKAGES=(dpkg-dev file binutils)
# What scripts/package --check needs: the desktop entry's validator, and to start the
# installed program an X server, xdotool to find its window and Python's X library to close
# it.
OSTREL_PACKAGE_CHECK_PACKAGES=(desktop-file-utils xvfb xauth xdotool python3 python3-xlib)

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
