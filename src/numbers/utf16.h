// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text services on UTF-16 field texts. A character is one UTF-16 unit, as the text box
// counts it, except that a surrogate pair is never split by `withoutLastCharacter`.
namespace ostrel::numbers {

inline std::size_t length(std::u16string_view text)
{
    return text.size();
}

// The text less its last character; a surrogate pair goes as one character, so that no
// half of a character is ever left behind in a field.
std::u16string withoutLastCharacter(std::u16string_view text);

// What a one-line field keeps of a text typed or pasted into it: everything before the first
// line break (CR or LF) or tab. A number copied from a spreadsheet cell or a terminal brings a
// line break with it; kept invisibly in the field, it would make a plain 20000 "not a number".
std::u16string_view oneLineOf(std::u16string_view text);

// ASCII-only conversion for digits and signs produced by the core.
std::u16string fromAscii(std::string_view ascii);
std::string toAscii(std::u16string_view text);

} // namespace ostrel::numbers
