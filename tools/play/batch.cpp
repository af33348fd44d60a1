// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "batch.h"

#include <algorithm>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <system_error>

namespace ostrel::play {
namespace {

constexpr std::string_view scenarioExtension = ".play";

std::string nameOf(const std::filesystem::path &file)
{
    const std::u8string name = file.stem().u8string();
    return {name.begin(), name.end()};
}

bool writeFile(const std::filesystem::path &file, std::string_view content)
{
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << content;
    stream.close();
    return !stream.fail();
}

} // namespace

BatchInputs batchInputs(std::span<const std::filesystem::path> arguments)
{
    BatchInputs inputs;
    for (const std::filesystem::path &argument : arguments) {
        std::error_code error;
        if (!std::filesystem::is_directory(argument, error)) {
            inputs.files.push_back(argument);
            continue;
        }
        std::vector<std::filesystem::path> inFolder;
        for (const auto &entry : std::filesystem::directory_iterator(argument, error)) {
            if (entry.path().extension() == scenarioExtension && !entry.is_directory())
                inFolder.push_back(entry.path());
        }
        if (error) {
            inputs.why = "cannot read the folder " + argument.string();
            return inputs;
        }
        std::sort(inFolder.begin(), inFolder.end());
        inputs.files.insert(inputs.files.end(), inFolder.begin(), inFolder.end());
    }
    // Each scenario's results are named after it, so two scenarios of one name would write
    // over each other.
    std::set<std::string> names;
    for (const std::filesystem::path &file : inputs.files) {
        if (!names.insert(nameOf(file)).second) {
            inputs.why = "two scenarios are named " + nameOf(file);
            return inputs;
        }
    }
    return inputs;
}

int playBatch(Stage &stage, const std::filesystem::path &outFolder,
              std::span<const std::filesystem::path> files, std::ostream &err)
{
    // Every scenario is read before the first is played: a missing one stops the batch
    // before it starts rather than after an hour.
    std::vector<std::string> scenarios;
    for (const std::filesystem::path &file : files) {
        std::ifstream stream(file, std::ios::binary);
        std::ostringstream content;
        content << stream.rdbuf();
        if (!stream) {
            err << "ostrel-play: cannot open " << file.string() << '\n';
            return exitScenarioError;
        }
        scenarios.push_back(std::move(content).str());
    }
    std::error_code error;
    std::filesystem::create_directories(outFolder, error);
    if (error) {
        err << "ostrel-play: cannot make the folder " << outFolder.string() << '\n';
        return exitScenarioError;
    }

    int failure = exitOk;
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::istringstream in(scenarios[i]);
        std::ostringstream out;
        std::ostringstream messages;
        const int status = stage.play(in, out, messages);
        if (status != exitOk && status != exitScenarioError && failure == exitOk)
            failure = status;

        const std::string name = nameOf(files[i]);
        const std::filesystem::path results = outFolder / files[i].stem();
        const std::string said = std::move(messages).str();
        std::filesystem::path errFile = results;
        errFile += ".err";
        std::filesystem::remove(errFile, error);
        std::filesystem::path outFile = results;
        outFile += ".out";
        std::filesystem::path statusFile = results;
        statusFile += ".status";
        if (!writeFile(outFile, std::move(out).str()) ||
            !writeFile(statusFile, std::to_string(status) + '\n') ||
            (!said.empty() && !writeFile(errFile, said))) {
            err << "ostrel-play: cannot write the results of " << name << " into "
                << outFolder.string() << '\n';
            return exitScenarioError;
        }
    }
    return failure;
}

} // namespace ostrel::play
