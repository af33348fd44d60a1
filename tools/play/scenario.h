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

} // namespace ostrel::play
