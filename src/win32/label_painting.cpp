// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_painting.h"

#include "colours.h"
#include "dpi.h"
#include "drawing.h"
#include "fonts.h"
#include "wide_text.h"
#include "win32_window.h"

#include <string>

namespace ostrel::win32 {
namespace {

RECT rectOf(const layout::Rect &place)
{
    return {place.left, place.top, place.left + place.width, place.top + place.height};
}

} // namespace

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

bool isFrameDrawnByWindow(const layout::Control &frame)
{
    return frame.kind == layout::Kind::frame && !usesSystemColours(frame);
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
