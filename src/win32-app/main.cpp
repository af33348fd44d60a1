// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// qz-ostrel.exe: the calculator's window on Windows.
#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    ostrel::win32::initialiseCommonControls();
    ostrel::win32::MainWindow window(instance);
    window.show(show);
    return ostrel::win32::runMessageLoop(window.handle());
}
