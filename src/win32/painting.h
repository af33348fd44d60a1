// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window_description.h"

#include <windows.h>

#include <map>
#include <tuple>

// How the window draws on the screen it stands on: at its resolution, in the colours and fonts
// of the description, and what it paints itself.
namespace ostrel::win32 {

// The window follows the resolution of the screen it stands on (per-monitor DPI awareness,
// from its manifest): places and fonts are the table's at 96 dots per inch, scaled.
inline constexpr unsigned baseDpi = 96;

// The resolution the window is drawn at; the system's where Windows cannot tell per window.
unsigned dpiOf(HWND window);

// A length in pixels at 96 dots per inch, at `dpi`.
int scaled(int pixels, unsigned dpi);
// A length in pixels at `dpi`, at 96 dots per inch.
int unscaled(int pixels, unsigned dpi);

// The window rectangle whose client area is `client`, for a window of that style at `dpi`.
RECT windowRectFor(const RECT &client, DWORD style, DWORD exStyle, unsigned dpi);

struct ControlColours {
    COLORREF foreground;
    COLORREF background;
};

// The control's colours on this desktop: the table's fixed ones, and the system's own for
// the rest, as Windows draws that kind of control.
ControlColours coloursOf(const layout::Control &control);

// The colour of the window's own face.
COLORREF windowBackground(const layout::WindowLook &look);

// One brush per colour, made on first use and deleted with the cache.
class BrushCache {
public:
    BrushCache() = default;
    ~BrushCache();
    BrushCache(const BrushCache &) = delete;
    BrushCache &operator=(const BrushCache &) = delete;

    HBRUSH brush(COLORREF colour);

private:
    std::map<COLORREF, HBRUSH> m_brushes;
};

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
    // On the control's own device context, for measuring, released with the font.
    explicit ControlFont(HWND control);
    ~ControlFont();
    ControlFont(const ControlFont &) = delete;
    ControlFont &operator=(const ControlFont &) = delete;

    HDC dc() const { return m_dc; }

    // The height of a line of the font, at least a pixel.
    int lineHeight() const;

private:
    HWND m_owner = nullptr; // the control whose device context it took; none: the caller's
    HDC m_dc;
    HGDIOBJ m_previous;
};

// What the window draws itself, where Windows' own controls would draw it otherwise than the
// description says (layout::isCaptionDrawnByWindow, layout::frameDrawing).
// A caption beside a column of entry fields, each line level with its field, or a caption
// centred or right-aligned on one line in the part of its place that can be seen (the credit
// line reaches past the client area; a static control would wrap a right-aligned caption that
// is a little too wide).
void paintLabel(const DRAWITEMSTRUCT &item, const layout::WindowDescription &window,
                const layout::Control &label, unsigned dpi);

// A frame drawn the same everywhere: its face in its own colour, an etched edge and the
// caption on the edge's top line.
void paintFrame(HWND frame, HDC dc, const layout::Control &control);

} // namespace ostrel::win32
