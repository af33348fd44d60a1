// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "main_window.h"

#include "dpi.h"
#include "message_loop.h"
#include "resource_ids.h"
#include "wide_text.h"
#include "window_table.h"

namespace ostrel::win32 {
namespace {

constexpr wchar_t className[] = L"QZOstrelWindow";
// A fixed size: no sizing border, no maximise box.
constexpr DWORD windowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// The dialog manager moves the focus among the controls.
constexpr DWORD windowExStyle = WS_EX_CONTROLPARENT;

} // namespace

MainWindow::MainWindow(HINSTANCE instance, std::wstring settingsKey)
    : m_handle(createDialogWindow(instance, className, dialogProcedure<MainWindow>,
                                  LoadIconW(instance, MAKEINTRESOURCEW(OSTREL_IDI_APP)),
                                  layout::mainWindow().look().caption, windowStyle, windowExStyle,
                                  nullptr))
    , m_controls(m_handle, layout::mainWindow(),
                 [this](const Action &action) { m_calculator.perform(action); })
    , m_window(m_controls, m_handle)
    , m_settings(std::move(settingsKey))
    , m_calculator(m_window, m_settings)
{
    // Messages reach `handleMessage` from here on; those of the window's creation went to the
    // dialog manager's defaults.
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    fitTo(dpiOf(m_handle), nullptr);
    m_calculator.startUp();
}

MainWindow::~MainWindow()
{
    if (IsWindow(m_handle)) {
        SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
        DestroyWindow(m_handle);
    }
}

void MainWindow::show(int how)
{
    ShowWindow(m_handle, how);
    UpdateWindow(m_handle);
    // As the dialog manager gives it, which selects a field's whole text: typing then
    // replaces the start-up text instead of adding to it.
    SendMessageW(
        m_handle, WM_NEXTDLGCTL,
        reinterpret_cast<WPARAM>(m_controls.handle(*m_controls.description().tabOrder().front())),
        TRUE);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto answer = m_controls.answerCommonMessage(message, wParam, lParam))
        return *answer;
    switch (message) {
    case WM_COMMAND:
        // Enter and Escape outside a control reach the window as IDOK and IDCANCEL: nothing.
        m_controls.command(wParam);
        return 0;
    case copyKeyMessage:
        return m_controls.copySelectedText() ? TRUE : FALSE;
    case WM_DPICHANGED:
        fitTo(HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_CLOSE:
        // The dialog manager would turn it into IDCANCEL.
        DestroyWindow(m_handle);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefDlgProcW(m_handle, message, wParam, lParam);
}

void MainWindow::fitTo(unsigned dpi, const RECT *suggested)
{
    const layout::WindowDescription &description = m_controls.description();
    const layout::WindowLook &look = description.look();
    const RECT client{0, 0, scaled(description.clientWidthPixels(), dpi),
                      scaled(description.clientHeightPixels(), dpi)};
    const RECT outer = windowRectFor(client, windowStyle, windowExStyle, dpi);
    POINT topLeft{scaled(layout::twipsToPixels(look.storedLeftTwips), dpi) + outer.left,
                  scaled(layout::twipsToPixels(look.storedTopTwips), dpi) + outer.top};
    if (suggested)
        topLeft = {suggested->left, suggested->top};
    SetWindowPos(m_handle, nullptr, topLeft.x, topLeft.y, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.place(dpi);
}

} // namespace ostrel::win32
