// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fonts.h"

#include "wide_text.h"

#include <algorithm>
#include <string>

namespace ostrel::win32 {
namespace {

int CALLBACK faceFound(const LOGFONTW *, const TEXTMETRICW *, DWORD, LPARAM found)
{
    *reinterpret_cast<bool *>(found) = true;
    return 0; // one is enough
}

bool isInstalled(const std::wstring &face)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &wanted, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The face a caption asks for when the system has it; otherwise the first installed one of
// the Chinese faces that draw the same style (Song or Hei), so that no caption shows as boxes.
std::wstring installedFace(std::u16string_view face)
{
    for (const std::u16string_view candidate : layout::fontFaces(face)) {
        std::wstring wide = toWide(candidate);
        if (isInstalled(wide))
            return wide;
    }
    return toWide(face); // the system's font linking is the last resort
}

} // namespace

FontCache::~FontCache()
{
    for (const auto &[key, font] : m_fonts)
        DeleteObject(font);
}

HFONT FontCache::font(const layout::Font &font, unsigned dpi)
{
    if (font.face.empty())
        return nullptr;
    const Key key{font.face, font.points, font.bold, dpi};
    if (const auto found = m_fonts.find(key); found != m_fonts.end())
        return found->second;
    LOGFONTW wanted{};
    // A negative height asks for the character height, as points are measured.
    wanted.lfHeight = -layout::fontPixels(font.points, static_cast<int>(dpi));
    wanted.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    wanted.lfCharSet = GB2312_CHARSET;
    wanted.lfOutPrecision = OUT_TT_PRECIS;
    wanted.lfQuality = CLEARTYPE_QUALITY;
    installedFace(font.face).copy(wanted.lfFaceName, LF_FACESIZE - 1);
    HFONT made = CreateFontIndirectW(&wanted);
    m_fonts.emplace(key, made);
    return made;
}

ControlFont::ControlFont(HDC dc, HWND control)
    : m_dc(dc)
    , m_previous(SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0))))
{
}

ControlFont::~ControlFont()
{
    SelectObject(m_dc, m_previous);
}

int ControlFont::lineHeight() const
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(m_dc, &metrics);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

void FontCache::keepOnly(unsigned dpi)
{
    for (auto it = m_fonts.begin(); it != m_fonts.end();) {
        if (std::get<unsigned>(it->first) == dpi) {
            ++it;
            continue;
        }
        DeleteObject(it->second);
        it = m_fonts.erase(it);
    }
}

} // namespace ostrel::win32
