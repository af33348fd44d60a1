// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "main_window.h"
#include "window_table.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QMessageBox;

namespace ostrel::test {

// A fresh calculator window, shown and active, with Qt's Chinese texts installed once.
std::unique_ptr<gui::MainWindow> openWindow();

// The object name of the widget of `window` at a client pixel, or "none" for the bare window.
QString nameAt(QWidget &window, QPoint point);

// The control's place in the window's client area, from the window table.
QRect placeOf(const layout::Control &control);

// The middle of the control's place in the window's client area.
QPoint middleOf(const layout::Control &control);

// Runs `action`. When it opens a modal message box, `inspect` sees the box once the box is on
// the screen, and the box is then closed with a click on its OK button. Returns the number of
// boxes that appeared.
int answeringMessageBoxes(const std::function<void()> &action,
                          const std::function<void(QMessageBox &)> &inspect = {});

} // namespace ostrel::test
