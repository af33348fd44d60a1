// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "colours.h"
#include "window_table.h"

#include <windows.h>

// The captions the window draws itself, where a plain static control would put them in the
// wrong place: a caption beside a column of entry fields, whose lines stand level with the
// fields whatever the font's line height, and a caption centred in a place that reaches past
// the client area, which is centred in the part that can be seen.
namespace ostrel::win32 {

bool isDrawnByWindow(const layout::Control &label);

void paintLabel(const DRAWITEMSTRUCT &item, const layout::Control &label, ControlColours colours,
                unsigned dpi);

bool isFrameDrawnByWindow(const layout::Control &frame);

// A frame drawn the same everywhere: its face in its own colour, an etched border and the
// caption on the border's top edge.
void paintFrame(HWND frame, HDC dc, const layout::Control &control);

} // namespace ostrel::win32
