// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <windows.h>

#include <map>
#include <tuple>

namespace ostrel::win32 {

// The fonts of the window's controls, made once per face, size and weight at one resolution
// and deleted with the cache.
class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache &) = delete;
    FontCache &operator=(const FontCache &) = delete;

    // The font for the table's font at `dpi`; none for a control without a caption.
    HFONT font(const layout::Font &font, unsigned dpi);
    // Deletes every font not made for `dpi`, once no control uses them any more.
    void keepOnly(unsigned dpi);

private:
    using Key = std::tuple<std::u16string_view, double, bool, unsigned>;
    std::map<Key, HFONT> m_fonts;
};

// Draws or measures in a control's font: selects it into a device context for as long as it
// lives.
class ControlFont {
public:
    ControlFont(HDC dc, HWND control);
    ~ControlFont();
    ControlFont(const ControlFont &) = delete;
    ControlFont &operator=(const ControlFont &) = delete;

    // The height of a line of the font, at least a pixel.
    int lineHeight() const;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

} // namespace ostrel::win32
