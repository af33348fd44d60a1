// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "accessible_control.h"
#include "calculator.h"
#include "controls.h"
#include "message_loop.h"
#include "registry_store.h"
#include "win32_window.h"

#include <windows.h>

namespace ostrel::win32 {

// The calculator's window: the controls of the window table on a fixed client area, each
// bound to its action in the calculator. Its window procedure only hands each message to the
// controls or the calculator; the window itself decides nothing.
class MainWindow {
public:
    // The fee settings are kept under HKEY_CURRENT_USER\`settingsKey`.
    explicit MainWindow(HINSTANCE instance,
                        std::wstring settingsKey = std::wstring(RegistryStore::programKey));
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;
    ~MainWindow();

    // Shows the window with the focus on the first control of the tab order, a field's whole
    // text selected.
    void show(int how);

    HWND handle() const { return m_handle; }
    const Controls &controls() const { return m_controls; }
    const core::Calculator &calculator() const { return m_calculator; }
    core::Calculator &calculator() { return m_calculator; }
    const Win32Window &window() const { return m_window; }
    const RegistryStore &settings() const { return m_settings; }

private:
    template<typename Window> friend LRESULT CALLBACK dialogProcedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Sizes the window and everything in it for `dpi`; at the stored place, or at the top-left
    // corner Windows suggests when the window moves to a screen of another resolution.
    void fitTo(unsigned dpi, const RECT *suggested);

    ComApartment m_com; // before the window, which screen readers reach through it
    HWND m_handle;
    Controls m_controls;
    Win32Window m_window;
    RegistryStore m_settings;
    core::Calculator m_calculator;
};

} // namespace ostrel::win32
