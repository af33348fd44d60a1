// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

// Where the lines and captions that a window draws itself go, worked out from the font's
// measures the platform reports, in that platform's pixels: the same drawing on every
// platform, whatever library draws it.
namespace ostrel::layout {

// A frame: an edge round it, and its caption on the edge's top line.
struct FrameDrawing {
    Rect edge;    // the rectangle the edge is drawn round
    Rect caption; // where the caption stands, on the frame's face; empty without one
};

// The frame of `width` x `height` with a caption `captionWidth` wide (0: none) in a font whose
// lines are `lineHeight` high: the edge runs through the middle of the caption's line, and the
// caption starts as far in from the left as the edge runs down from the top.
FrameDrawing frameDrawing(int width, int height, int captionWidth, int lineHeight);

// The top of a line `lineHeight` high, centred in `band`: a caption's line beside a field
// stands level with the field whatever the font's own line height.
int lineTop(LineBand band, int lineHeight);

// Whether a window draws the caption itself, where the platform's own caption would put it in
// the wrong place: lines beside a column of entry fields, or a caption centred or right-aligned
// on one line in the part of its place that can be seen.
bool isCaptionDrawnByWindow(const WindowDescription &window, const Control &label);

} // namespace ostrel::layout
