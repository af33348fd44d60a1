// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing.h"

namespace ostrel::layout {

FrameDrawing frameDrawing(int width, int height, int captionWidth, int lineHeight)
{
    if (captionWidth <= 0)
        return {{0, 0, width, height}, {}};
    const int inset = lineHeight / 2;
    return {{0, inset, width, height - inset}, {inset, 0, captionWidth, lineHeight}};
}

int lineTop(LineBand band, int lineHeight)
{
    return band.top + (band.height - lineHeight) / 2;
}

bool isCaptionDrawnByWindow(const WindowDescription &window, const Control &label)
{
    return label.kind == Kind::label &&
           (label.align != Align::left || !window.captionLinesBesideFields(label).empty());
}

} // namespace ostrel::layout
