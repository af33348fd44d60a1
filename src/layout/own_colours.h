// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

// Which controls a platform may leave in the colours its desktop draws them in.
namespace ostrel::layout {

// Whether the control keeps the desktop's colours, whatever they are: neither its text nor its
// face has a colour of its own (a colour not given is the desktop's too).
bool usesSystemColours(const Control &control);

// Whether the window draws the frame itself: one with a colour of its own, which the desktop's
// group box would draw in the desktop's colours.
bool isFrameDrawnByWindow(const Control &frame);

} // namespace ostrel::layout
