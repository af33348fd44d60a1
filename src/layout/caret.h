// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>

// Where a click puts the caret in a line of text the window draws itself.
namespace ostrel::layout {

// Before the character under the mouse when the mouse is left of its middle, after it
// otherwise. `ends` are where the line's characters end and `x` where the mouse is, both from
// the line's left edge; the answer counts the characters before the caret.
std::size_t caretPositionAt(std::span<const int> ends, int x);

} // namespace ostrel::layout
