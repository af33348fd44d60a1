// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Plain text as a clipboard that ends each line with CR LF holds it (Windows'), and back.
namespace ostrel::layout {

// Each LF not already after a CR gets one.
std::u16string withWindowsLineEnds(std::u16string_view text);
// Each CR LF becomes a lone LF; a CR alone stays.
std::u16string withPlainLineEnds(std::u16string_view text);

} // namespace ostrel::layout
