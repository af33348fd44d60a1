// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dpi.h"

namespace ostrel::win32 {
namespace {

// Windows 10 (1607) and later know each window's resolution; older systems have one for the
// whole desktop. Looked up once, so that the program still starts on Windows 7.
using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);

template<typename Function> Function user32Function(const char *name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through the generic function pointer type, which every function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

unsigned systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : baseDpi;
}

} // namespace

unsigned dpiOf(HWND window)
{
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    return systemDpi();
}

int scaled(int pixels, unsigned dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(baseDpi));
}

int unscaled(int pixels, unsigned dpi)
{
    return MulDiv(pixels, static_cast<int>(baseDpi), static_cast<int>(dpi));
}

RECT windowRectFor(const RECT &client, DWORD style, DWORD exStyle, unsigned dpi)
{
    static const auto adjustForDpi =
        user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect = client;
    if (adjustForDpi)
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

} // namespace ostrel::win32
