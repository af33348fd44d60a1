// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <string>
#include <string_view>

// The core speaks UTF-16 as QString does, so texts cross over unit for unit: a lone surrogate
// or a tab in a field survives the round trip unchanged.
namespace ostrel::gui {

inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline QString toQString(std::string_view ascii)
{
    return QString::fromLatin1(ascii.data(), static_cast<qsizetype>(ascii.size()));
}

inline std::u16string toU16(const QString &text)
{
    return text.toStdU16String();
}

} // namespace ostrel::gui
