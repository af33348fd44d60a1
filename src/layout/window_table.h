// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <cstddef>
#include <span>
#include <string_view>

// The calculator's main window, described as data (see window_description.h), and shortcuts to
// its description for the scenario player and the tests, which speak of the main window only.
namespace ostrel::layout {

const WindowDescription &mainWindow();

const WindowLook &window();
std::span<const Control> controls();
std::size_t positionOf(const Control &control);
const Control *findControl(std::string_view id);
const Control *containerOf(const Control &control);
const Control &fieldControl(Field field);
const Control &keyControl(Key key);
// The drop-down that chooses the stock's board.
const Control &boardControl(Stock stock);
const Control &resultLine();
const Control *controlFor(const Action &action);
Rect clientPixels(const Control &control);
const Control *controlAt(int x, int y);
std::span<const Control *const> tabOrder();

} // namespace ostrel::layout
