// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

// The two small modal windows that the main window opens: the fee settings (费率设置) and the
// detail of the last calculation (计算明细). Each is described as the main window is, so that
// both platforms draw them from the same data.
namespace ostrel::layout {

const WindowDescription &feeSettingsWindow();
const WindowDescription &detailWindow();

} // namespace ostrel::layout
