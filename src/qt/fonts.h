// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <QFont>

namespace ostrel::gui {

// The font of a control's caption. Its families are the faces to try, best first: the Chinese
// faces of the window table are not installed on most Linux desktops, so each comes with the
// faces of the same style that are, and the list always ends in a face that carries every
// glyph of the window. Its size is fixed in pixels at 96 dots per inch, so that the captions
// fit their fixed places on any screen. A face-less font (a control without a caption) gives
// the desktop font.
QFont controlFont(const layout::Font &font);

} // namespace ostrel::gui
