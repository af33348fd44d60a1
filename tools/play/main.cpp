// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-play: plays a scenario of user actions against the calculator and prints what the
// user would see. `--backend=core` plays against the core and a test double of the window;
// `--backend=qt` against the real Qt window, `--backend=win32` against the real Windows one.
#include "core_backend.h"
#include "scenario.h"
#ifdef OSTREL_PLAY_WITH_QT
#include "qt_backend.h"
#endif
#ifdef OSTREL_PLAY_WITH_WIN32
#include "win32_backend.h"
#endif

#include <fstream>
#include <iostream>
#include <string_view>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int usage()
{
    std::cerr << "usage: ostrel-play [--backend=core|qt|win32] [FILE]\n";
    return ostrel::play::exitScenarioError;
}

} // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    // The transcript is UTF-8 text with \n line ends on every system, as the golden files are.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
#if defined(OSTREL_PLAY_WITH_QT)
    std::string_view backend = "qt";
#elif defined(OSTREL_PLAY_WITH_WIN32)
    std::string_view backend = "win32";
#else
    std::string_view backend = "core";
#endif
    const char *file = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--backend="))
            backend = arg.substr(arg.find('=') + 1);
        else if (arg.starts_with("-") && arg != "-")
            return usage();
        else if (!file)
            file = argv[i];
        else
            return usage();
    }

    std::ifstream stream;
    if (file && std::string_view(file) != "-") {
        stream.open(file, std::ios::binary);
        if (!stream) {
            std::cerr << "ostrel-play: cannot open " << file << '\n';
            return ostrel::play::exitScenarioError;
        }
    }
    std::istream &in = stream.is_open() ? stream : std::cin;

    if (backend == "core") {
        ostrel::testing::CoreBackend core(ostrel::play::messagePrinter(std::cout));
        return ostrel::play::playScenario(in, core, std::cout, std::cerr);
    }
#ifdef OSTREL_PLAY_WITH_QT
    if (backend == "qt")
        return ostrel::play::playWithQt(argc, argv, in, std::cout, std::cerr);
#endif
#ifdef OSTREL_PLAY_WITH_WIN32
    if (backend == "win32")
        return ostrel::play::playWithWin32(in, std::cout, std::cerr);
#endif
    std::cerr << "ostrel-play: backend '" << backend << "' is not available\n";
    return usage();
}
