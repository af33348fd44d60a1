// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_dialog.h"

#include "dpi.h"
#include "message_loop.h"
#include "wide_text.h"
#include "win32_window.h"

#include <algorithm>

namespace ostrel::win32 {
namespace {

constexpr wchar_t className[] = L"QZOstrelDialog";
// A fixed size with a dialog box's frame: no sizing border, no minimise or maximise box.
constexpr DWORD dialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
// The dialog manager moves the focus among the controls.
constexpr DWORD dialogExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
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
    : m_owner(owner)
    , m_ownerFocus(focusIn(owner))
    , m_actions(std::move(actions))
    , m_handle(
          createDialogWindow(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                             className, dialogProcedure<Win32Dialog>, nullptr,
                             description.look().caption, dialogStyle, dialogExStyle, owner))
    , m_controls(m_handle, description, [this](const Action &action) { perform(action); })
{
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    fitTo(dpiOf(m_handle), nullptr);
    EnableWindow(m_owner, FALSE);
    PostMessageW(m_handle, showMessage, 0, 0);
}

Win32Dialog::~Win32Dialog()
{
    if (!IsWindow(m_handle))
        return;
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
    if (m_open)
        EnableWindow(m_owner, TRUE);
    DestroyWindow(m_handle);
}

std::u16string Win32Dialog::text(const layout::Control &control) const
{
    return windowText(m_controls.handle(control));
}

void Win32Dialog::setText(const layout::Control &control, std::u16string_view text)
{
    m_controls.setText(control, text);
}

bool Win32Dialog::isChecked(const layout::Control &control) const
{
    return m_controls.isChecked(control);
}

void Win32Dialog::setChecked(const layout::Control &control, bool checked)
{
    m_controls.setChecked(control, checked);
}

void Win32Dialog::setEnabled(const layout::Control &control, bool enabled)
{
    m_controls.setEnabled(control, enabled);
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
    SetWindowLongPtrW(m_handle, GWLP_USERDATA, 0);
    DestroyWindow(m_handle);
}

void Win32Dialog::perform(const Action &action)
{
    if (m_open)
        m_actions(action);
}

LRESULT Win32Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (const auto answer = m_controls.answerCommonMessage(message, wParam, lParam))
        return *answer;
    switch (message) {
    case WM_COMMAND:
        // Escape reaches the window as IDCANCEL; Enter outside a text box or push button, as
        // IDOK: on a check box or radio button it runs what the description says.
        if (LOWORD(wParam) == IDCANCEL) {
            perform(CloseDialog{});
        } else if (LOWORD(wParam) == IDOK) {
            const layout::Control *focused = m_controls.controlOf(GetFocus());
            if (focused && (focused->kind == layout::Kind::checkBox ||
                            focused->kind == layout::Kind::radioButton))
                perform(focused->actionOnEnter());
        } else {
            m_controls.command(wParam);
        }
        return 0;
    case WM_CLOSE:
        // The title bar's close button, Alt+F4 and the window menu's 关闭.
        perform(CloseDialog{});
        return 0;
    case WM_DPICHANGED:
        fitTo(HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        return 0;
    case showMessage:
        show();
        return 0;
    default:
        break;
    }
    return DefDlgProcW(m_handle, message, wParam, lParam);
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

void Win32Dialog::fitTo(unsigned dpi, const RECT *suggested)
{
    const layout::WindowDescription &description = m_controls.description();
    const RECT client{0, 0, scaled(description.clientWidthPixels(), dpi),
                      scaled(description.clientHeightPixels(), dpi)};
    const RECT outer = windowRectFor(client, dialogStyle, dialogExStyle, dpi);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    POINT topLeft{};
    if (suggested) {
        topLeft = {suggested->left, suggested->top};
    } else {
        // Centred on the owner, within the screen's work area where it can be.
        RECT owner{};
        GetWindowRect(m_owner, &owner);
        topLeft = {owner.left + (owner.right - owner.left - width) / 2,
                   owner.top + (owner.bottom - owner.top - height) / 2};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (GetMonitorInfoW(MonitorFromWindow(m_owner, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT &work = monitor.rcWork;
            topLeft.x = std::max(std::min(topLeft.x, work.right - width), work.left);
            topLeft.y = std::max(std::min(topLeft.y, work.bottom - height), work.top);
        }
    }
    SetWindowPos(m_handle, nullptr, topLeft.x, topLeft.y, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    m_controls.place(dpi);
}

} // namespace ostrel::win32
