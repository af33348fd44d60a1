// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "utf16.h"

namespace ostrel::numbers {

std::u16string withoutLastCharacter(std::u16string_view text)
{
    if (text.empty())
        return {};
    std::size_t cut = text.size() - 1;
    const auto isLow = [](char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; };
    const auto isHigh = [](char16_t c) { return c >= 0xD800 && c <= 0xDBFF; };
    if (cut > 0 && isLow(text[cut]) && isHigh(text[cut - 1]))
        --cut;
    return std::u16string(text.substr(0, cut));
}

std::u16string_view oneLineOf(std::u16string_view text)
{
    return text.substr(0, text.find_first_of(u"\r\n\t"));
}

std::u16string fromAscii(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}

std::string toAscii(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char16_t c : text)
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
}

} // namespace ostrel::numbers
