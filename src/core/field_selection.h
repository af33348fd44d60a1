// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state.h"
#include "window.h"

namespace ostrel::core {

// A mouse click on one of the six visible fields: it becomes the keypad's target, takes the
// focus and gets the caret after its last character. A click on the fee field starts the fee
// afresh with "0"; a click on the money to spend fills in the full funds.
void selectField(State &state, Window &window, Field field);

} // namespace ostrel::core
