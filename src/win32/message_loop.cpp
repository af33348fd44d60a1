// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "message_loop.h"

#include "control_behaviour.h"

#include <commctrl.h>

namespace ostrel::win32 {
namespace {

bool isCopyKey(HWND window, const MSG &message)
{
    return message.message == WM_KEYDOWN &&
           layout::isCopyKey(keyPressOf(message.wParam, message.lParam)) &&
           (message.hwnd == window || IsChild(window, message.hwnd));
}

// The window whose controls the message is for: the main window, or the modal window in front
// of it, each with Tab, Enter and Escape among its own controls as in a dialog box.
HWND keyboardWindow(HWND window, HWND target)
{
    HWND root = target ? GetAncestor(target, GA_ROOT) : nullptr;
    return root && GetWindow(root, GW_OWNER) == window ? root : window;
}

void dispatch(HWND window, MSG &message)
{
    if (isCopyKey(window, message) &&
        SendMessageW(window, copyKeyMessage, message.wParam, message.lParam))
        return;
    if (IsDialogMessageW(keyboardWindow(window, message.hwnd), &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

} // namespace

void initialiseCommonControls()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

int runMessageLoop(HWND window)
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(window, message);
    return static_cast<int>(message.wParam);
}

bool handlePendingMessages(HWND window)
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        dispatch(window, message);
    }
    return true;
}

} // namespace ostrel::win32
