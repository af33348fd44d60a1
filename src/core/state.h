// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "boards.h"

namespace ostrel::core {

// What the calculator keeps beside the window. Inputs are never kept here: every action reads
// the field texts it needs when it runs.
struct State {
    // The field that the on-screen keypad edits: the field clicked last, which is not always
    // the field with the focus. Start-up makes it the old price.
    Field keypadTarget = Field::oldPrice;
    // The boards chosen in the drop-downs; like the fields, they are part of the form, which
    // the resets set back and nothing stores between runs.
    Boards boards;
};

} // namespace ostrel::core
