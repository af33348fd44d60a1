// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <string_view>

namespace ostrel::win32 {

// The copy key (Ctrl+C or Ctrl+Insert) pressed anywhere in the window is first offered to the
// window as this message, before the control with the focus sees it; the window answers TRUE
// when it copied text the user selected in one of its captions.
inline constexpr UINT copyKeyMessage = WM_APP + 1;

// A window of the class `className` (registered on first use) whose controls the dialog
// manager serves: Tab, the default button and the focus given back when the window is
// activated again work as in a dialog box. It is placed and sized once its resolution is known.
HWND createDialogWindow(HINSTANCE instance, const wchar_t *className, WNDPROC procedure, HICON icon,
                        std::u16string_view caption, DWORD style, DWORD exStyle, HWND owner);

// The procedure of such a window whose `Window` object is in its user data: each message goes
// to the object's `handleMessage`, or to the dialog manager's defaults before it is there.
template<typename Window>
LRESULT CALLBACK dialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<Window *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handleMessage(message, wParam, lParam)
                : DefDlgProcW(window, message, wParam, lParam);
}

// Loads the common controls of the visual style the manifest asks for.
void initialiseCommonControls();

// Runs the window's messages, Tab and Enter through the dialog manager, until the program
// quits; returns its exit code.
int runMessageLoop(HWND window);

// Handles the messages waiting for the window's thread, as the loop would, and returns
// without waiting for more. False once the program has been asked to quit.
bool handlePendingMessages(HWND window);

} // namespace ostrel::win32
