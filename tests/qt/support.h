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

// A settings file of its own that does not exist yet, in a folder the test program removes
// when it ends: a test never reads nor writes the user's settings.
QString freshSettingsFile();
std::unique_ptr<gui::QtSettingsStore> freshSettingsStore();

// A fresh calculator window, shown and active, with Qt's Chinese texts installed once; with
// fresh settings unless a store is given.
std::unique_ptr<gui::MainWindow> openWindow();
std::unique_ptr<gui::MainWindow> openWindow(std::unique_ptr<gui::QtSettingsStore> store);

// The object name of the widget of `window` at a client pixel (a drop-down's for its edit
// part), or "none" for the bare window.
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
