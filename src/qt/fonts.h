// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <QFont>
#include <QStringList>

#include <string_view>

namespace ostrel::gui {

// The families to try, best first, for a face named in the window table. The Chinese faces
// of the table are not installed on most Linux desktops, so each comes with the faces of the
// same style that are; the list always ends in a face that carries every glyph of the window.
QStringList fontFamilies(std::u16string_view face);

// Font sizes are fixed in pixels at 96 dots per inch so that the controls' captions fit their
// fixed places on any screen.
int pointsToPixels(double points);

// A face-less font (a control without a caption) gives the desktop font.
QFont controlFont(const layout::Font &font);

} // namespace ostrel::gui
