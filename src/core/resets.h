// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

namespace ostrel::core {

// Confirms on the result line and writes the group's texts. The keypad's target, the focus
// and every other field stay as they were.
void reset(Window &window, ResetGroup group);

} // namespace ostrel::core
