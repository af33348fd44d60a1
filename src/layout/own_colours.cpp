// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "own_colours.h"

namespace ostrel::layout {
namespace {

bool isSystem(Colour colour)
{
    return colour.role == Colour::Role::system || colour.role == Colour::Role::none;
}

} // namespace

bool usesSystemColours(const Control &control)
{
    return isSystem(control.foreground) && isSystem(control.background);
}

bool isFrameDrawnByWindow(const Control &frame)
{
    return frame.kind == Kind::frame && !usesSystemColours(frame);
}

} // namespace ostrel::layout
