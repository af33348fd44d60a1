// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace ostrel::play {

// UTF-8 to UTF-16; every byte that does not start a well-formed sequence becomes U+FFFD,
// so any bytes at all make some text, as a desktop text box would show them.
std::u16string fromUtf8(std::string_view bytes);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string toUtf8(std::u16string_view text);

} // namespace ostrel::play
