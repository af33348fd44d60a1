// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"

#include <windows.h>

#include <optional>

namespace ostrel::win32 {

// A window of controls drawn from its description, the main window or a modal window, which
// the dialog manager serves as a dialog box: Tab, the default button and the focus given back
// when the window is activated again. It answers the messages every such window answers alike
// (its controls' colours and commands, the captions it draws, a change of resolution) and hands
// the rest to `handleMessage`.
class ControlWindow {
public:
    // The window's class (registered by the first window of it), and its frame: a fixed size,
    // so no sizing border.
    struct Frame {
        const wchar_t *className;
        HICON icon; // none: the system's
        DWORD style;
        DWORD exStyle;
        HWND owner; // none: a window of its own on the taskbar
    };

    ControlWindow(const ControlWindow &) = delete;
    ControlWindow &operator=(const ControlWindow &) = delete;

    HWND handle() const { return m_handle; }
    const Controls &controls() const { return m_controls; }
    const layout::WindowDescription &description() const { return m_controls.description(); }

protected:
    // Creates the window, hidden, with its controls; `open` then sizes it.
    ControlWindow(HINSTANCE instance, const Frame &frame,
                  const layout::WindowDescription &description, Controls::Perform perform);
    // Destroys the window if it is still there.
    virtual ~ControlWindow();

    // Messages reach `handleMessage` from here on; the window is sized and placed for its
    // resolution.
    void open();
    // Destroys the window; no message reaches `handleMessage` any more.
    void destroy();

    // The window's own answer to a message; none: the dialog manager's.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Where the window's top-left corner goes when it opens, its outer rectangle at `dpi` being
    // `outer` (the client area's top-left corner at 0, 0).
    virtual POINT placeFor(const RECT &outer, unsigned dpi) const = 0;

    HWND m_handle;
    Controls m_controls;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT answer(UINT message, WPARAM wParam, LPARAM lParam);
    // Sizes the window and everything in it for `dpi`: where `placeFor` says, or at the
    // top-left corner Windows suggests when the window moves to a screen of another resolution.
    void fitTo(unsigned dpi, const RECT *suggested);

    Frame m_frame;
};

} // namespace ostrel::win32
