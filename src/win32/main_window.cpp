// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "painting.h"
#include "resource_ids.h"
#include "window_table.h"

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

MainWindow::MainWindow(HINSTANCE instance, std::wstring settingsKey)
    // No maximise box; the dialog manager moves the focus among the controls.
    : ControlWindow(
          instance,
          {L"QZOstrelWindow", LoadIconW(instance, MAKEINTRESOURCEW(OSTREL_IDI_APP)),
           WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_CONTROLPARENT, nullptr},
          layout::mainWindow(), [this](const Action &action) { m_calculator.perform(action); })
    , m_window(m_controls, m_handle)
    , m_settings(std::move(settingsKey))
    , m_calculator(m_window, m_settings)
{
    open();
    m_calculator.startUp();
}

void MainWindow::show(int how)
{
    ShowWindow(m_handle, how);
    UpdateWindow(m_handle);
    // As the dialog manager gives it, which selects a field's whole text: typing then
    // replaces the start-up text instead of adding to it.
    SendMessageW(m_handle, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(m_controls.handle(*description().tabOrder().front())),
                 TRUE);
}

std::optional<LRESULT> MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case copyKeyMessage:
        return m_controls.copySelectedText(keyPressOf(wParam, lParam)) ? TRUE : FALSE;
    case WM_CLOSE:
        // The dialog manager would turn it into IDCANCEL.
        if (m_controls.answerClose(layout::CloseRequest::closeButton) == layout::CloseAnswer::close)
            DestroyWindow(m_handle);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return std::nullopt;
    }
}

POINT MainWindow::placeFor(const RECT &outer, unsigned dpi) const
{
    const layout::WindowLook &look = description().look();
    return {scaled(layout::twipsToPixels(look.storedLeftTwips), dpi) + outer.left,
            scaled(layout::twipsToPixels(look.storedTopTwips), dpi) + outer.top};
}

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
