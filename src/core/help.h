// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

#include <string_view>

namespace ostrel::core {

inline constexpr std::u16string_view instructionsTitle = u"软件使用说明";
// One paragraph without line breaks; the message box wraps it to its width.
extern const std::u16string_view instructionsBody;

// "使用说明": shows the instructions and changes nothing else.
void showInstructions(Window &window);

} // namespace ostrel::core
