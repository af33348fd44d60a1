// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <vector>

// How a window's controls lie one above another, for a platform whose dialog manager moves the
// arrow keys along that stack within a group of controls (Windows).
namespace ostrel::layout {

// The controls from top to bottom of the stack: those that take the focus first, in the tab
// order, as in a dialog box; below them the rest, a later one above an earlier one. No control
// that takes the focus lies under a caption or a frame drawn later, so each still covers what
// the table puts under it.
std::vector<const Control *> stackingOrder(const WindowDescription &window);

// The controls that start a group, in stacking order: the radio buttons of a container are one
// group, started by the first of them in the stack, and the control after them starts the
// next, so that the arrow keys move among them alone. Windows' own dialogs are made so.
std::vector<const Control *> groupStarts(const WindowDescription &window);

} // namespace ostrel::layout
