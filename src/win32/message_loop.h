// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

namespace ostrel::win32 {

// The copy key (Ctrl+C or Ctrl+Insert) pressed anywhere in the window is first offered to the
// window as this message, with WM_KEYDOWN's key and flags, before the control with the focus
// sees it; the window answers TRUE when it copied text the user selected in one of its captions.
inline constexpr UINT copyKeyMessage = WM_APP + 1;

// Loads the common controls of the visual style the manifest asks for.
void initialiseCommonControls();

// Runs the window's messages, Tab and Enter through the dialog manager, until the program
// quits; returns its exit code.
int runMessageLoop(HWND window);

// Handles the messages waiting for the window's thread, as the loop would, and returns
// without waiting for more. False once the program has been asked to quit.
bool handlePendingMessages(HWND window);

} // namespace ostrel::win32
