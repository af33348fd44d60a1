// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "colours.h"
#include "window_description.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// The captions the window draws itself, where a plain static control would put them in the
// wrong place: a caption beside a column of entry fields, whose lines stand level with the
// fields whatever the font's line height, and a caption centred or right-aligned on one line,
// in the part of its place that can be seen (the credit line reaches past the client area; a
// static control would wrap a right-aligned caption that is a little too wide).
namespace ostrel::win32 {

// What the window description says of such a caption, worked out once when the control is
// made: in 96-dots-per-inch pixels of the label's own place.
struct DrawnCaption {
    struct Line {
        std::wstring text;
        layout::LineBand band;
    };
    std::vector<Line> lines;                   // beside the fields: each line in its band
    layout::Align align = layout::Align::left; // otherwise: one line so aligned in what shows
    layout::Rect visible{};
};

// How the window draws the caption, or none where a static control draws it as it should.
std::optional<DrawnCaption> drawnCaption(const layout::WindowDescription &window,
                                         const layout::Control &label);

void paintLabel(const DRAWITEMSTRUCT &item, const DrawnCaption &caption, ControlColours colours,
                unsigned dpi);

bool isFrameDrawnByWindow(const layout::Control &frame);

// A frame drawn the same everywhere: its face in its own colour, an etched border and the
// caption on the border's top edge.
void paintFrame(HWND frame, HDC dc, const layout::Control &control);

} // namespace ostrel::win32
