// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "main_window.h"
#include "win32_backend.h"
#include "window_description.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <string_view>

// What the tests of the real Windows window share: the window itself, opened as the program
// opens it, and the clipboard and keyboard as the tests read and drive them.
namespace ostrel::test {

// The instance of the test program, with the common controls of the manifest's visual style.
HINSTANCE preparedInstance();

// The control's id, or "none".
std::string_view idOf(const layout::Control *control);

// The text on the clipboard as Windows holds it (lines ended by CR LF); empty when none is.
std::u16string clipboardText();

// The key pressed with Shift or Ctrl held, as the dialog manager and the controls read the
// keyboard.
void pressWith(play::Win32Backend &backend, WORD modifier, WORD key);

// The calculator's window on settings of its own (`settingsKey`, or the player's), shown and
// with its first messages handled.
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(std::wstring_view settingsKey = play::playSettingsKey);

    win32::MainWindow m_window;
};

} // namespace ostrel::test
