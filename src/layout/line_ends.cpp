// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line_ends.h"

namespace ostrel::layout {

std::u16string withWindowsLineEnds(std::u16string_view text)
{
    std::u16string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            converted += u'\r';
        converted += text[i];
    }
    return converted;
}

std::u16string withPlainLineEnds(std::u16string_view text)
{
    std::u16string converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue;
        converted += text[i];
    }
    return converted;
}

} // namespace ostrel::layout
