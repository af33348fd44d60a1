// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

class QWidget;

namespace ostrel::gui {

// Gives the widget the control's caption and face colours. Both roles are set on the widget
// itself, so that a control never takes a colour from the frame around it: a caption in the
// green frame stays in the desktop's text colour.
void applyColours(QWidget &widget, const layout::Control &control);

} // namespace ostrel::gui
