// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

// The window follows the resolution of the screen it stands on (per-monitor DPI awareness,
// from its manifest): places and fonts are the table's at 96 dots per inch, scaled.
namespace ostrel::win32 {

inline constexpr unsigned baseDpi = 96;

// The resolution the window is drawn at; the system's where Windows cannot tell per window.
unsigned dpiOf(HWND window);

// A length in pixels at 96 dots per inch, at `dpi`.
int scaled(int pixels, unsigned dpi);
// A length in pixels at `dpi`, at 96 dots per inch.
int unscaled(int pixels, unsigned dpi);

// The window rectangle whose client area is `client`, for a window of that style at `dpi`.
RECT windowRectFor(const RECT &client, DWORD style, DWORD exStyle, unsigned dpi);

} // namespace ostrel::win32
