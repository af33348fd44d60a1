// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support.h"

#include "main_window.h"
#include "win32_window.h"

#include <array>

namespace ostrel::test {
namespace {

constexpr std::size_t keyCount = 256;
constexpr BYTE keyDown = 0x80; // the key state's bit of a key held down

} // namespace

HINSTANCE preparedInstance()
{
    win32::initialiseCommonControls();
    return GetModuleHandleW(nullptr);
}

std::string_view idOf(const layout::Control *control)
{
    return control ? control->id : "none";
}

std::u16string clipboardText()
{
    return win32::clipboardText(nullptr).value_or(u"");
}

void pressWith(play::Win32Backend &backend, WORD modifier, WORD key)
{
    std::array<BYTE, keyCount> keys{};
    GetKeyboardState(keys.data());
    std::array<BYTE, keyCount> before = keys;
    keys[modifier] = keyDown;
    SetKeyboardState(keys.data());
    backend.press(key);
    SetKeyboardState(before.data());
}

WindowTest::WindowTest(std::wstring_view settingsKey)
    : m_window(preparedInstance(), play::freshSettings(settingsKey))
{
    m_window.show(SW_SHOWNORMAL);
    win32::handlePendingMessages(m_window.handle());
}

} // namespace ostrel::test
