// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_dialog.h"

#include "wide_text.h"
#include "win32_window.h"

#include <algorithm>

namespace ostrel::win32 {
namespace {

// Posted to the window as it opens: it shows itself once the calculator has filled it in.
constexpr UINT showMessage = WM_APP + 2;

// The owner's control with the focus, or none.
HWND focusIn(HWND owner)
{
    HWND focus = GetFocus();
    return focus && IsChild(owner, focus) ? focus : nullptr;
}

} // namespace

Win32Dialog::Win32Dialog(HWND owner, const layout::WindowDescription &description,
                         DialogActions actions)
    // A dialog box's frame: no minimise or maximise box; the dialog manager moves the focus
    // among the controls.
    : ControlWindow(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                    {L"QZOstrelDialog", nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                     WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, owner},
                    description, [this](const Action &action) { perform(action); })
    , m_owner(owner)
    , m_ownerFocus(focusIn(owner))
    , m_actions(std::move(actions))
{
    open();
    EnableWindow(m_owner, FALSE);
    PostMessageW(m_handle, showMessage, 0, 0);
}

Win32Dialog::~Win32Dialog()
{
    if (m_open && IsWindow(m_handle))
        EnableWindow(m_owner, TRUE);
}

std::u16string Win32Dialog::text(const layout::Control &control) const
{
    return windowText(m_controls.handle(control));
}

void Win32Dialog::setFocus(const layout::Control &control)
{
    HWND handle = m_controls.handle(control);
    // Before the window shows, the focus waits for it.
    if (!IsWindowVisible(m_handle)) {
        m_firstFocus = handle;
        return;
    }
    SendMessageW(m_handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(handle), TRUE);
}

void Win32Dialog::messageBox(std::u16string_view title, std::u16string_view body)
{
    MessageBoxW(m_handle, toWide(body).c_str(), toWide(title).c_str(), MB_OK);
}

void Win32Dialog::close()
{
    if (!m_open)
        return;
    m_open = false;
    // The owner takes input and the activation back before this window goes, with the focus
    // where it was; Windows would otherwise activate whatever window comes next.
    EnableWindow(m_owner, TRUE);
    SetActiveWindow(m_owner);
    if (m_ownerFocus && IsWindow(m_ownerFocus))
        SetFocus(m_ownerFocus);
    destroy();
}

void Win32Dialog::perform(const Action &action)
{
    if (m_open)
        m_actions(action);
}

std::optional<LRESULT> Win32Dialog::handleMessage(UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_CLOSE:
        // The title bar's close button, Alt+F4 and the window menu's 关闭.
        m_controls.answerClose(layout::CloseRequest::closeButton);
        return 0;
    case showMessage:
        show();
        return 0;
    default:
        return std::nullopt;
    }
}

void Win32Dialog::show()
{
    ShowWindow(m_handle, SW_SHOWNORMAL);
    // The focus where the calculator put it, or on the first control Tab reaches, a text
    // box's whole text selected, as a dialog box opens.
    HWND first = m_firstFocus ? m_firstFocus : m_controls.nextTabStop(nullptr);
    if (first)
        SendMessageW(m_handle, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

POINT Win32Dialog::placeFor(const RECT &outer, unsigned) const
{
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    RECT owner{};
    GetWindowRect(m_owner, &owner);
    POINT topLeft{owner.left + (owner.right - owner.left - width) / 2,
                  owner.top + (owner.bottom - owner.top - height) / 2};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (GetMonitorInfoW(MonitorFromWindow(m_owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT &work = monitor.rcWork;
        topLeft.x = std::max(std::min(topLeft.x, work.right - width), work.left);
        topLeft.y = std::max(std::min(topLeft.y, work.bottom - height), work.top);
    }
    return topLeft;
}

} // namespace ostrel::win32
