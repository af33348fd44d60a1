// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <windows.h>

// What the window draws itself, where Windows' own controls would draw it otherwise than the
// description says (layout::isCaptionDrawnByWindow, layout::frameDrawing).
namespace ostrel::win32 {

// A caption beside a column of entry fields, each line level with its field, or a caption
// centred or right-aligned on one line in the part of its place that can be seen (the credit
// line reaches past the client area; a static control would wrap a right-aligned caption that
// is a little too wide).
void paintLabel(const DRAWITEMSTRUCT &item, const layout::WindowDescription &window,
                const layout::Control &label, unsigned dpi);

bool isFrameDrawnByWindow(const layout::Control &frame);

// A frame drawn the same everywhere: its face in its own colour, an etched edge and the
// caption on the edge's top line.
void paintFrame(HWND frame, HDC dc, const layout::Control &control);

} // namespace ostrel::win32
