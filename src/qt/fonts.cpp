// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "qt_text.h"

namespace ostrel::gui {

QStringList fontFamilies(std::u16string_view face)
{
    QStringList families;
    for (const std::u16string_view family : layout::fontFaces(face))
        families << toQString(family);
    return families;
}

int pointsToPixels(double points)
{
    return layout::fontPixels(points);
}

QFont controlFont(const layout::Font &font)
{
    QFont qfont;
    if (font.face.empty())
        return qfont; // a control without a caption keeps the desktop's font
    qfont.setFamilies(fontFamilies(font.face));
    qfont.setPixelSize(pointsToPixels(font.points));
    qfont.setBold(font.bold);
    return qfont;
}

} // namespace ostrel::gui
