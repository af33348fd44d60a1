// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "painting.h"

#include "drawing.h"
#include "wide_text.h"
#include "win32_window.h"

#include <algorithm>
#include <string>

namespace ostrel::win32 {
namespace {

// Windows 10 (1607) and later know each window's resolution; older systems have one for the
// whole desktop. Looked up once, so that the program still starts on Windows 7.
using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
using AdjustForDpiFunction = BOOL(WINAPI *)(LPRECT, DWORD, BOOL, DWORD, UINT);

template<typename Function> Function user32Function(const char *name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    // Through the generic function pointer type, which every function pointer converts to.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

unsigned systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : baseDpi;
}

// The system colour that holds one of the desktop's colours.
int systemIndex(layout::SystemColour colour)
{
    switch (colour) {
    case layout::SystemColour::fieldText:
    case layout::SystemColour::windowText:
        return COLOR_WINDOWTEXT;
    case layout::SystemColour::fieldFace:
        return COLOR_WINDOW;
    case layout::SystemColour::buttonText:
        return COLOR_BTNTEXT;
    case layout::SystemColour::buttonFace:
        return COLOR_BTNFACE;
    case layout::SystemColour::highlightText:
        return COLOR_HIGHLIGHTTEXT;
    case layout::SystemColour::windowFace:
        break;
    }
    return COLOR_3DFACE;
}

COLORREF fromRgb(std::uint32_t rgb)
{
    constexpr unsigned byte = 0xFF;
    return RGB((rgb >> 16) & byte, (rgb >> 8) & byte, rgb & byte);
}

COLORREF colourOf(layout::Colour colour, layout::SystemColour systemColour)
{
    const auto resolved = layout::resolve(colour, systemColour);
    if (const auto *rgb = std::get_if<std::uint32_t>(&resolved))
        return fromRgb(*rgb);
    return GetSysColor(systemIndex(std::get<layout::SystemColour>(resolved)));
}

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

RECT rectOf(const layout::Rect &place)
{
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

} // namespace

unsigned dpiOf(HWND window)
{
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return dpi;
    }
    return systemDpi();
}

int scaled(int pixels, unsigned dpi)
{
    return MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(baseDpi));
}

int unscaled(int pixels, unsigned dpi)
{
    return MulDiv(pixels, static_cast<int>(baseDpi), static_cast<int>(dpi));
}

RECT windowRectFor(const RECT &client, DWORD style, DWORD exStyle, unsigned dpi)
{
    static const auto adjustForDpi =
        user32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
    RECT rect = client;
    if (adjustForDpi)
        adjustForDpi(&rect, style, FALSE, exStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

ControlColours coloursOf(const layout::Control &control)
{
    const layout::SystemColours system = layout::systemColoursOf(control.kind);
    return {colourOf(control.foreground, system.foreground),
            colourOf(control.background, system.background)};
}

COLORREF windowBackground(const layout::WindowLook &look)
{
    return fromRgb(look.background);
}

BrushCache::~BrushCache()
{
    for (const auto &[colour, brush] : m_brushes)
        DeleteObject(brush);
}

HBRUSH BrushCache::brush(COLORREF colour)
{
    auto [found, added] = m_brushes.try_emplace(colour, nullptr);
    if (added)
        found->second = CreateSolidBrush(colour);
    return found->second;
}

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

ControlFont::ControlFont(HWND control)
    : ControlFont(GetDC(control), control)
{
    m_owner = control;
}

ControlFont::~ControlFont()
{
    SelectObject(m_dc, m_previous);
    if (m_owner)
        ReleaseDC(m_owner, m_dc);
}

int ControlFont::lineHeight() const
{
    TEXTMETRICW metrics{};
    GetTextMetricsW(m_dc, &metrics);
    return std::max(1, static_cast<int>(metrics.tmHeight));
}

void FontCache::keepOnly(unsigned dpi)
{
    std::erase_if(m_fonts, [dpi](const auto &entry) {
        const bool other = std::get<unsigned>(entry.first) != dpi;
        if (other)
            DeleteObject(entry.second);
        return other;
    });
}

void paintLabel(const DRAWITEMSTRUCT &item, const layout::WindowDescription &window,
                const layout::Control &label, unsigned dpi)
{
    HDC dc = item.hDC;
    const ControlColours colours = coloursOf(label);
    HBRUSH face = CreateSolidBrush(colours.background);
    FillRect(dc, &item.rcItem, face);
    DeleteObject(face);

    const ControlFont font(dc, item.hwndItem);
    SetTextColor(dc, colours.foreground);
    SetBkMode(dc, TRANSPARENT);
    const auto lines = window.captionLinesBesideFields(label);
    if (lines.empty()) {
        const std::wstring text = toWide(windowText(item.hwndItem));
        const layout::Rect shown = window.visiblePart(label);
        RECT visible{scaled(shown.left, dpi), scaled(shown.top, dpi),
                     scaled(shown.left + shown.width, dpi), scaled(shown.top + shown.height, dpi)};
        const UINT align = label.align == layout::Align::right ? DT_RIGHT : DT_CENTER;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &visible,
                  align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        return;
    }
    const int height = font.lineHeight();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const layout::LineBand band = window.lineBand(label, i);
        const std::wstring line = toWide(lines[i]);
        const int top = layout::lineTop({scaled(band.top, dpi), scaled(band.height, dpi)}, height);
        TextOutW(dc, item.rcItem.left, item.rcItem.top + top, line.data(),
                 static_cast<int>(line.size()));
    }
}

void paintFrame(HWND frame, HDC dc, const layout::Control &control)
{
    const ControlColours colours = coloursOf(control);
    RECT area{};
    GetClientRect(frame, &area);
    HBRUSH face = CreateSolidBrush(colours.background);
    FillRect(dc, &area, face);

    const ControlFont font(dc, frame);
    const std::wstring caption = toWide(windowText(frame));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    const layout::FrameDrawing drawing = layout::frameDrawing(
        area.right, area.bottom, caption.empty() ? 0 : size.cx, font.lineHeight());
    RECT edge = rectOf(drawing.edge);
    DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        const RECT behind = rectOf(drawing.caption);
        FillRect(dc, &behind, face);
        SetTextColor(dc, colours.foreground);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, behind.left, behind.top, caption.c_str(), static_cast<int>(caption.size()));
    }
    DeleteObject(face);
}

} // namespace ostrel::win32
