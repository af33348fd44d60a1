// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <windows.h>

#include <map>
#include <optional>

namespace ostrel::win32 {

struct ControlColours {
    COLORREF foreground;
    COLORREF background;
};

// The control's colours on this desktop: the table's fixed ones, and the system's own for
// the rest, as Windows draws that kind of control.
ControlColours coloursOf(const layout::Control &control);

// Whether the control keeps the colours the system draws it in, whatever they are.
bool usesSystemColours(const layout::Control &control);

// The colour of the window's own face.
COLORREF windowBackground(const layout::WindowLook &look);

// One brush per colour, made on first use and deleted with the cache.
class BrushCache {
public:
    BrushCache() = default;
    ~BrushCache();
    BrushCache(const BrushCache &) = delete;
    BrushCache &operator=(const BrushCache &) = delete;

    HBRUSH brush(COLORREF colour);

private:
    std::map<COLORREF, HBRUSH> m_brushes;
};

} // namespace ostrel::win32
