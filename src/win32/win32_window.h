// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "win32_dialog.h"
#include "window.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace ostrel::win32 {

// The text a window or control shows.
std::u16string windowText(HWND window);

// Puts plain text on the clipboard, each line ended by CR LF; false when it could not.
bool putOnClipboard(HWND owner, std::u16string_view text);

// The plain text on the clipboard as it is held there (lines ended by CR LF), empty when there
// is none; none when the clipboard could not be opened.
std::optional<std::u16string> clipboardText(HWND owner);

// The calculator's `Window` on the Windows controls.
class Win32Window : public Window {
public:
    Win32Window(const Controls &controls, HWND owner)
        : m_controls(controls)
        , m_owner(owner)
    {
    }

    std::u16string text(Field field) const override { return windowText(m_controls.field(field)); }
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override { SetFocus(m_controls.field(field)); }
    void setResult(std::u16string_view caption) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;
    void setEnabled(Field field, bool enabled) override;
    void setFeeModelNote(std::u16string_view caption) override;
    std::u16string boardText(Stock stock) const override;
    void setBoard(Stock stock, Board board) override;
    void copyText(std::u16string_view text) override { putOnClipboard(m_owner, text); }
    DialogWindow &openDialog(const layout::WindowDescription &description,
                             DialogActions actions) override;

    // The modal window open in front of the main window, or none.
    Win32Dialog *dialog() const
    {
        return m_dialog && m_dialog->isOpen() ? m_dialog.get() : nullptr;
    }

private:
    const Controls &m_controls;
    HWND m_owner;
    // The last modal window opened. A closed one is kept until the next opens: the calculator
    // closes it from within its own controls' messages, which are still being handled then.
    std::unique_ptr<Win32Dialog> m_dialog;
};

} // namespace ostrel::win32
