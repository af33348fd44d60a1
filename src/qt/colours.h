// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <QColor>
#include <QPalette>

class QWidget;

namespace ostrel::gui {

// The palette role that holds one of the desktop's colours.
QPalette::ColorRole paletteRole(layout::SystemColour colour);

// A colour of the table on this desktop: a fixed colour as it is, a desktop colour from the
// desktop's palette (`desktop`; `systemColour` for Colour::system).
QColor resolveColour(layout::Colour colour, layout::SystemColour systemColour,
                     const QPalette &desktop);

// Gives the widget the control's caption and face colours. Both roles are set on the widget
// itself, so that a control never takes a colour from the frame around it: a caption in the
// green frame stays in the desktop's text colour.
void applyColours(QWidget &widget, const layout::Control &control);

} // namespace ostrel::gui
