// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_painting.h"

#include "dpi.h"
#include "wide_text.h"
#include "win32_window.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::win32 {

std::optional<DrawnCaption> drawnCaption(const layout::WindowDescription &window,
                                         const layout::Control &label)
{
    if (label.kind != layout::Kind::label)
        return std::nullopt;
    DrawnCaption drawn;
    const auto lines = window.captionLinesBesideFields(label);
    for (std::size_t i = 0; i < lines.size(); ++i)
        drawn.lines.push_back({toWide(lines[i]), window.lineBand(label, i)});
    drawn.align = label.align;
    drawn.visible = window.visiblePart(label);
    if (drawn.lines.empty() && drawn.align == layout::Align::left)
        return std::nullopt;
    return drawn;
}

void paintLabel(const DRAWITEMSTRUCT &item, const DrawnCaption &caption, ControlColours colours,
                unsigned dpi)
{
    HDC dc = item.hDC;
    HBRUSH face = CreateSolidBrush(colours.background);
    FillRect(dc, &item.rcItem, face);
    DeleteObject(face);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetTextColor(dc, colours.foreground);
    SetBkMode(dc, TRANSPARENT);
    if (caption.lines.empty()) {
        const std::wstring text = toWide(windowText(item.hwndItem));
        RECT visible{scaled(caption.visible.left, dpi), scaled(caption.visible.top, dpi),
                     scaled(caption.visible.left + caption.visible.width, dpi),
                     scaled(caption.visible.top + caption.visible.height, dpi)};
        const UINT align = caption.align == layout::Align::right ? DT_RIGHT : DT_CENTER;
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &visible,
                  align | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        for (const DrawnCaption::Line &line : caption.lines) {
            const int top =
                scaled(line.band.top, dpi) + (scaled(line.band.height, dpi) - metrics.tmHeight) / 2;
            TextOutW(dc, item.rcItem.left, item.rcItem.top + top, line.text.data(),
                     static_cast<int>(line.text.size()));
        }
    }
    SelectObject(dc, previousFont);
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

    const std::u16string caption = windowText(frame);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(frame, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    // The border runs through the middle of the caption, which starts as far in as the border
    // is down.
    const int inset = metrics.tmHeight / 2;
    RECT border = area;
    border.top += caption.empty() ? 0 : inset;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        const std::wstring text = toWide(caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        RECT behind{inset, 0, inset + size.cx, size.cy};
        FillRect(dc, &behind, face);
        SetTextColor(dc, colours.foreground);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, inset, 0, text.c_str(), static_cast<int>(text.size()));
    }
    SelectObject(dc, previousFont);
    DeleteObject(face);
}

} // namespace ostrel::win32
