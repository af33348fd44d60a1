// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "control_window.h"

#include "painting.h"
#include "wide_text.h"

namespace ostrel::win32 {
namespace {

HWND createWindow(HINSTANCE instance, WNDPROC procedure, const wchar_t *caption,
                  const ControlWindow::Frame &frame)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = DLGWINDOWEXTRA; // the dialog manager's own data
    windowClass.hInstance = instance;
    windowClass.hIcon = frame.icon;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = frame.className;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(frame.exStyle, frame.className, caption, frame.style, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, frame.owner, nullptr,
                           instance, nullptr);
}

} // namespace

ControlWindow::ControlWindow(HINSTANCE instance, const Frame &frame,
                             const layout::WindowDescription &description,
                             Controls::Perform perform)
    : m_handle(createWindow(instance, procedure, toWide(description.look().caption).c_str(), frame))
    , m_controls(m_handle, description, std::move(perform))
    , m_frame(frame)
{
}

ControlWindow::~ControlWindow()
{
    if (IsWindow(m_handle))
        destroy();
}

void ControlWindow::open()
{
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    fitTo(dpiOf(m_handle), nullptr);
}

void ControlWindow::destroy()
{
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
    DestroyWindow(m_handle);
}

LRESULT CALLBACK ControlWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The messages of the window's creation, and of its end, go to the dialog manager's
    // defaults.
    auto *self = reinterpret_cast<ControlWindow *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->answer(message, wParam, lParam)
                : DefDlgProcW(window, message, wParam, lParam);
}

LRESULT ControlWindow::answer(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto common = m_controls.answerCommonMessage(message, wParam, lParam))
        return *common;
    if (message == WM_DPICHANGED) {
        fitTo(HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        return 0;
    }
    if (const auto own = handleMessage(message, wParam, lParam))
        return *own;
    return DefDlgProcW(m_handle, message, wParam, lParam);
}

void ControlWindow::fitTo(unsigned dpi, const RECT *suggested)
{
    const RECT client{0, 0, scaled(description().clientWidthPixels(), dpi),
                      scaled(description().clientHeightPixels(), dpi)};
    const RECT outer = windowRectFor(client, m_frame.style, m_frame.exStyle, dpi);
    const POINT topLeft = suggested ? POINT{suggested->left, suggested->top} : placeFor(outer, dpi);
    SetWindowPos(m_handle, nullptr, topLeft.x, topLeft.y, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.place(dpi);
}

} // namespace ostrel::win32
