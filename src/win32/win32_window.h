// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window.h"

#include <windows.h>

namespace ostrel::win32 {

class Controls;

// The calculator's `Window` on the Windows controls.
class Win32Window : public Window {
public:
    Win32Window(const Controls &controls, HWND owner);

    std::u16string text(Field field) const override;
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override;
    void setResult(std::u16string_view caption) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;

private:
    const Controls &m_controls;
    HWND m_owner;
};

// The text a window or control shows.
std::u16string windowText(HWND window);

} // namespace ostrel::win32
