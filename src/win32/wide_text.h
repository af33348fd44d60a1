// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Windows counts text in UTF-16 units as the calculator does, so its texts pass unchanged.
namespace ostrel::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

inline std::wstring toWide(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

inline std::u16string toU16(std::wstring_view text)
{
    return {text.begin(), text.end()};
}

} // namespace ostrel::win32
