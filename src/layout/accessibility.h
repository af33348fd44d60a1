// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_table.h"

#include <vector>

// What assistive technology tells of the main window's controls, for the scenario player and
// the tests; the names and descriptions themselves are part of each window's description.
namespace ostrel::layout {

// The label that shows the control's caption, or none.
const Control *labelledBy(const Control &control);

// The controls whose caption the label shows, in table order; empty for none.
std::vector<const Control *> labelFor(const Control &label);

} // namespace ostrel::layout
