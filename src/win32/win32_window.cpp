// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_window.h"

#include "controls.h"
#include "wide_text.h"
#include "window_description.h"

#include <algorithm>

namespace ostrel::win32 {

std::u16string windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return toU16(text);
}

Win32Window::Win32Window(const Controls &controls, HWND owner)
    : m_controls(controls)
    , m_owner(owner)
{
}

std::u16string Win32Window::text(Field field) const
{
    return windowText(m_controls.field(field));
}

void Win32Window::setText(Field field, std::u16string_view text)
{
    // As typing would leave it: cut to what the field holds, the caret after the last
    // character.
    const std::wstring shown = toWide(text.substr(0, layout::maxTextLength));
    HWND edit = m_controls.field(field);
    SetWindowTextW(edit, shown.c_str());
    SendMessageW(edit, EM_SETSEL, shown.size(), static_cast<LPARAM>(shown.size()));
}

void Win32Window::setCaret(Field field, std::size_t position)
{
    // The field keeps the caret within its text.
    const std::size_t inRange = std::min(position, layout::maxTextLength);
    SendMessageW(m_controls.field(field), EM_SETSEL, inRange, static_cast<LPARAM>(inRange));
}

void Win32Window::setFocus(Field field)
{
    SetFocus(m_controls.field(field));
}

void Win32Window::setResult(std::u16string_view caption)
{
    HWND line = m_controls.resultLine();
    SetWindowTextW(line, toWide(caption).c_str());
    // Screen readers keep up with the result line by its description.
    NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, line, OBJID_CLIENT, CHILDID_SELF);
}

void Win32Window::messageBox(std::u16string_view title, std::u16string_view body)
{
    MessageBoxW(m_owner, toWide(body).c_str(), toWide(title).c_str(), MB_OK);
}

} // namespace ostrel::win32
