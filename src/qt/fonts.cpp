// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "qt_text.h"

#include <QStringList>

namespace ostrel::gui {

QFont controlFont(const layout::Font &font)
{
    QFont qfont;
    if (font.face.empty())
        return qfont;
    QStringList families;
    for (const std::u16string_view family : layout::fontFaces(font.face))
        families << toQString(family);
    qfont.setFamilies(families);
    qfont.setPixelSize(layout::fontPixels(font.points));
    qfont.setBold(font.bold);
    return qfont;
}

} // namespace ostrel::gui
