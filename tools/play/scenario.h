// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "backend.h"

#include <iosfwd>

namespace ostrel::play {

using testing::Backend;
using testing::MessageSink;

inline constexpr int exitOk = 0;
inline constexpr int exitScenarioError = 2;

// Prints each message box as one line "msgbox TITLE | BODY", line breaks shown as \n.
MessageSink messagePrinter(std::ostream &out);

// Plays the scenario's lines in order against the backend. Returns exitOk, or
// exitScenarioError after printing "line N: why" to `err` at the first faulty line.
int playScenario(std::istream &in, Backend &backend, std::ostream &out, std::ostream &err);

// Where scenarios are played, one after another, each on a window and a calculator started
// afresh: the state a newly started player would have (start-up texts, carets and focus), so
// that a scenario plays the same alone or among thousands.
class Stage {
public:
    virtual ~Stage() = default;
    Stage(const Stage &) = delete;
    Stage &operator=(const Stage &) = delete;

    // Starts a window and a calculator, plays the scenario on them as `playScenario` does and
    // closes them. Returns what `playScenario` returns, or an exit status of the stage's own
    // when the window could not be started.
    virtual int play(std::istream &in, std::ostream &out, std::ostream &err) = 0;

protected:
    Stage() = default;
};

// The calculator behind the test double of the window.
class CoreStage : public Stage {
public:
    int play(std::istream &in, std::ostream &out, std::ostream &err) override;
};

} // namespace ostrel::play
