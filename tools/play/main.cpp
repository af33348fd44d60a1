// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-play: plays a scenario of user actions against the calculator and prints what the
// user would see. `--backend=core` plays against the core and a test double of the window;
// `--backend=qt` against the real Qt window, `--backend=win32` against the real Windows one.
// `--batch` plays many scenarios in one run, each on a window started afresh, and writes
// each one's transcript and exit status into a folder.
#include "batch.h"
#include "scenario.h"
#ifdef OSTREL_PLAY_WITH_QT
#include "qt_backend.h"
#endif
#ifdef OSTREL_PLAY_WITH_WIN32
#include "win32_backend.h"
#endif

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int usage()
{
    std::cerr << "usage: ostrel-play [--backend=core|qt|win32] [FILE]\n"
                 "       ostrel-play [--backend=core|qt|win32] --batch OUTDIR FILE|FOLDER...\n"
                 "  --batch plays each scenario FILE (a FOLDER: its *.play files in name order)\n"
                 "  on a window started afresh and writes OUTDIR/NAME.out (the transcript),\n"
                 "  NAME.status (the exit status it alone would have) and NAME.err (what it\n"
                 "  wrote on standard error, if anything)\n";
    return ostrel::play::exitScenarioError;
}

// A path as the command line gives it, in UTF-8 on every system.
std::filesystem::path pathOf(const char *argument)
{
    const std::string_view text(argument);
    return std::u8string(text.begin(), text.end());
}

std::unique_ptr<ostrel::play::Stage> stageFor(std::string_view backend, int &argc, char **argv)
{
    if (backend == "core")
        return std::make_unique<ostrel::play::CoreStage>();
#ifdef OSTREL_PLAY_WITH_QT
    if (backend == "qt")
        return std::make_unique<ostrel::play::QtStage>(argc, argv);
#endif
#ifdef OSTREL_PLAY_WITH_WIN32
    if (backend == "win32")
        return std::make_unique<ostrel::play::Win32Stage>();
#endif
    static_cast<void>(argc);
    static_cast<void>(argv);
    return nullptr;
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
    const char *batchFolder = nullptr;
    std::vector<const char *> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--backend="))
            backend = arg.substr(arg.find('=') + 1);
        else if (arg == "--batch" && !batchFolder && i + 1 < argc)
            batchFolder = argv[++i];
        else if (arg.starts_with("-") && arg != "-")
            return usage();
        else
            files.push_back(argv[i]);
    }
    if (batchFolder ? files.empty() : files.size() > 1)
        return usage();

    std::vector<std::filesystem::path> batch;
    std::ifstream stream;
    if (batchFolder) {
        std::vector<std::filesystem::path> arguments;
        for (const char *file : files)
            arguments.push_back(pathOf(file));
        ostrel::play::BatchInputs inputs = ostrel::play::batchInputs(arguments);
        if (!inputs.why.empty()) {
            std::cerr << "ostrel-play: " << inputs.why << '\n';
            return ostrel::play::exitScenarioError;
        }
        batch = std::move(inputs.files);
    } else if (!files.empty() && std::string_view(files.front()) != "-") {
        stream.open(files.front(), std::ios::binary);
        if (!stream) {
            std::cerr << "ostrel-play: cannot open " << files.front() << '\n';
            return ostrel::play::exitScenarioError;
        }
    }

    const std::unique_ptr<ostrel::play::Stage> stage = stageFor(backend, argc, argv);
    if (!stage) {
        std::cerr << "ostrel-play: backend '" << backend << "' is not available\n";
        return usage();
    }
    if (batchFolder)
        return ostrel::play::playBatch(*stage, pathOf(batchFolder), batch, std::cerr);
    std::istream &in = stream.is_open() ? stream : std::cin;
    return stage->play(in, std::cout, std::cerr);
}
