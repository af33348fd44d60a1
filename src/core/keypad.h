// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state.h"
#include "window.h"

#include <optional>
#include <string>

namespace ostrel::core {

// The text a key press makes of a field's text, or none when the text stays as it is.
// Only the price fields take a decimal point.
std::optional<std::u16string> keyEdit(std::u16string_view text, Key key, bool takesPoint);

// A press of a keypad key: edits the keypad's target field, not the field with the focus, and
// puts that field's caret after its last character. The focus does not move.
void pressKey(const State &state, Window &window, Key key);

} // namespace ostrel::core
