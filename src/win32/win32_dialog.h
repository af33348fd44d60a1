// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "control_window.h"
#include "window.h"

#include <windows.h>

namespace ostrel::win32 {

// A modal window in front of the main window (费率设置, 计算明细), drawn from its description
// with the same controls as the main window. Modal without a loop of its own: it disables its
// owner and returns at once, and the program's one message loop serves both windows, so that
// the calculator goes on the moment it has opened it. Escape and the title bar's close button
// reach the calculator as CloseDialog; only `close` ends the window.
class Win32Dialog : public ControlWindow, public DialogWindow {
public:
    // Opens it centred on `owner`, which takes no input until `close`. It shows itself when the
    // thread next reads its messages, with the texts and checks the calculator wrote by then.
    Win32Dialog(HWND owner, const layout::WindowDescription &description, DialogActions actions);
    ~Win32Dialog() override;

    std::u16string text(const layout::Control &control) const override;
    void setText(const layout::Control &c, std::u16string_view t) override
    {
        m_controls.setText(c, t);
    }
    bool isChecked(const layout::Control &c) const override { return m_controls.isChecked(c); }
    void setChecked(const layout::Control &c, bool on) override { m_controls.setChecked(c, on); }
    void setEnabled(const layout::Control &c, bool on) override { m_controls.setEnabled(c, on); }
    void setFocus(const layout::Control &control) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;
    void close() override;

    bool isOpen() const { return m_open; }

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Centred on the owner, within the screen's work area where it can be.
    POINT placeFor(const RECT &outer, unsigned dpi) const override;
    void perform(const Action &action);
    void show();

    HWND m_owner;
    HWND m_ownerFocus;           // the owner's control that had the focus, which gets it back
    HWND m_firstFocus = nullptr; // where the focus goes when the window shows; none: Tab's first
    DialogActions m_actions;
    bool m_open = true;
};

} // namespace ostrel::win32
