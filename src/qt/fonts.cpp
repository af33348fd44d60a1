// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "qt_text.h"

#include <cmath>

namespace ostrel::gui {
namespace {

constexpr double pixelsPerInch = 96.0;
constexpr double pointsPerInch = 72.0;

struct Fallbacks {
    std::u16string_view face;
    std::initializer_list<const char *> families;
};

// Serif (Song) and sans (Hei) faces for simplified Chinese: the Windows faces first, then the
// Debian packages the build installs, then the common faces of other desktops.
const Fallbacks fallbacks[] = {
    {u"宋体",
     {"SimSun", "NSimSun", "AR PL UMing CN", "Noto Serif CJK SC", "Source Han Serif SC",
      "Songti SC", "STSong"}},
    {u"黑体",
     {"SimHei", "WenQuanYi Zen Hei", "Noto Sans CJK SC", "Source Han Sans SC", "Heiti SC",
      "STHeiti"}},
};

} // namespace

QStringList fontFamilies(std::u16string_view face)
{
    if (face.empty())
        return {};
    QStringList families{toQString(face)};
    for (const Fallbacks &entry : fallbacks) {
        if (entry.face == face) {
            for (const char *family : entry.families)
                families << QString::fromLatin1(family);
        }
    }
    return families;
}

int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * pixelsPerInch / pointsPerInch));
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
