// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scenario.h"

#include <filesystem>
#include <iosfwd>
#include <span>
#include <string_view>

namespace ostrel::play {

// The scenario files a batch plays: each argument a scenario file, or a folder whose *.play
// files play in the order of their names.
struct BatchInputs {
    std::vector<std::filesystem::path> files;
    std::string why; // empty, or why the batch cannot be played
};
BatchInputs batchInputs(std::span<const std::filesystem::path> arguments);

// Plays every scenario on a fresh window of the stage, one after another, and writes into
// `outFolder`, for a scenario file NAME.play, what a player of its own would have given:
// NAME.out, the transcript; NAME.status, the exit status as a number on a line; NAME.err,
// what it wrote on standard error, when it wrote anything. Returns exitOk once every
// scenario has been played, whatever their statuses; exitScenarioError when the inputs or
// the folder will not do (nothing is played then); or the first status by which the stage
// failed to start a window.
int playBatch(Stage &stage, const std::filesystem::path &outFolder,
              std::span<const std::filesystem::path> files, std::ostream &err);

} // namespace ostrel::play
