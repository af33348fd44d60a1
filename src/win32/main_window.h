// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "calculator.h"
#include "control_behaviour.h"
#include "control_window.h"
#include "registry_store.h"
#include "win32_window.h"

#include <windows.h>

namespace ostrel::win32 {

// The calculator's window: the controls of the window table on a fixed client area, each
// bound to its action in the calculator. Its window procedure only hands each message to the
// controls or the calculator; the window itself decides nothing. COM comes first, before the
// window, which screen readers reach through it.
class MainWindow : private ComApartment, public ControlWindow {
public:
    // The fee settings are kept under HKEY_CURRENT_USER\`settingsKey`.
    explicit MainWindow(HINSTANCE instance,
                        std::wstring settingsKey = std::wstring(RegistryStore::programKey));

    // Shows the window with the focus on the first control of the tab order, a field's whole
    // text selected.
    void show(int how);

    const core::Calculator &calculator() const { return m_calculator; }
    core::Calculator &calculator() { return m_calculator; }
    const Win32Window &window() const { return m_window; }
    const RegistryStore &settings() const { return m_settings; }

private:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // At the place the description stores.
    POINT placeFor(const RECT &outer, unsigned dpi) const override;

    Win32Window m_window;
    RegistryStore m_settings;
    core::Calculator m_calculator;
};

// The copy key (Ctrl+C or Ctrl+Insert) pressed anywhere in the window is first offered to the
// window as this message, with WM_KEYDOWN's key and flags, before the control with the focus
// sees it; the window answers TRUE when it copied text the user selected in one of its captions.
inline constexpr UINT copyKeyMessage = WM_APP + 1;

// Loads the common controls of the visual style the manifest asks for.
void initialiseCommonControls();

// Runs the window's messages, Tab and Enter through the dialog manager, until the program
// quits; returns its exit code.
int runMessageLoop(HWND window);

// Handles the messages waiting for the window's thread, as the loop would, and returns
// without waiting for more. False once the program has been asked to quit.
bool handlePendingMessages(HWND window);

} // namespace ostrel::win32
