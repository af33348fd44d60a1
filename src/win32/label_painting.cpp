// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "label_painting.h"

#include "dpi.h"
#include "wide_text.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::win32 {
namespace {

struct Row {
    int top = 0;
    int height = 0;
};

// The bands of the entry fields that share the label's frame, in the label's coordinates at
// 96 dots per inch, top to bottom.
std::vector<Row> fieldRowsBeside(const layout::Control &label)
{
    const layout::Rect place = layout::toPixels(label.twips);
    std::vector<Row> rows;
    for (const layout::Control &control : layout::controls()) {
        if (control.kind != layout::Kind::textBox || control.container != label.container)
            continue;
        const layout::Rect field = layout::toPixels(control.twips);
        rows.push_back({field.top - place.top, field.height});
    }
    std::sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.top < b.top; });
    rows.erase(std::unique(rows.begin(), rows.end(),
                           [](const Row &a, const Row &b) { return a.top == b.top; }),
               rows.end());
    return rows;
}

bool isBesideFields(const layout::Control &label)
{
    const layout::Control *frame = layout::containerOf(label);
    return frame && frame->kind == layout::Kind::frame && !fieldRowsBeside(label).empty();
}

std::wstring_view trimmed(std::wstring_view text)
{
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

// The caption broken into lines that fit `width`: at the last blank that fits, or, where
// none does (Chinese has no blanks between words), after the last character that fits.
std::vector<std::wstring_view> wrapped(HDC dc, std::wstring_view text, int width)
{
    std::vector<std::wstring_view> lines;
    text = trimmed(text);
    while (!text.empty()) {
        int fits = 0;
        SIZE size{};
        GetTextExtentExPointW(dc, text.data(), static_cast<int>(text.size()), width, &fits, nullptr,
                              &size);
        auto cut = static_cast<std::size_t>(std::max(fits, 1));
        if (cut < text.size()) {
            const auto blank = text.substr(0, cut + 1).find_last_of(L' ');
            if (blank != std::wstring_view::npos && blank > 0)
                cut = blank;
        }
        lines.push_back(trimmed(text.substr(0, cut)));
        text = trimmed(text.substr(std::min(cut, text.size())));
    }
    return lines;
}

void paintBesideFields(HDC dc, const RECT &area, const std::wstring &caption,
                       const layout::Control &label, unsigned dpi)
{
    const std::vector<Row> rows = fieldRowsBeside(label);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int pitch = rows.size() > 1 ? rows[1].top - rows[0].top : rows.front().height;
    const auto lines = wrapped(dc, caption, area.right - area.left);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // Lines past the last field row keep the rows' pitch.
        const std::size_t row = std::min(i, rows.size() - 1);
        const int beyond = static_cast<int>(i - row);
        const int rowTop = scaled(rows[row].top + pitch * beyond, dpi);
        const int top = rowTop + (scaled(rows[row].height, dpi) - metrics.tmHeight) / 2;
        TextOutW(dc, area.left, area.top + top, lines[i].data(), static_cast<int>(lines[i].size()));
    }
}

// The part of the label's place inside the client area, in the label's coordinates.
RECT visiblePart(HWND label)
{
    RECT place{};
    GetWindowRect(label, &place);
    HWND parent = GetParent(label);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&place), 2);
    RECT client{};
    GetClientRect(parent, &client);
    RECT visible{};
    IntersectRect(&visible, &place, &client);
    OffsetRect(&visible, -place.left, -place.top);
    return visible;
}

std::u16string windowCaption(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return toU16(text);
}

} // namespace

bool isDrawnByWindow(const layout::Control &label)
{
    return label.kind == layout::Kind::label &&
           (label.align == layout::Align::centre || isBesideFields(label));
}

void paintLabel(const DRAWITEMSTRUCT &item, const layout::Control &label, ControlColours colours,
                unsigned dpi)
{
    HDC dc = item.hDC;
    HBRUSH face = CreateSolidBrush(colours.background);
    FillRect(dc, &item.rcItem, face);
    DeleteObject(face);

    const std::wstring caption = toWide(windowCaption(item.hwndItem));

    const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
    const HGDIOBJ previousFont = SelectObject(dc, font);
    SetTextColor(dc, colours.foreground);
    SetBkMode(dc, TRANSPARENT);
    if (label.align == layout::Align::centre) {
        RECT visible = visiblePart(item.hwndItem);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &visible,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        paintBesideFields(dc, item.rcItem, caption, label, dpi);
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

    const std::u16string caption = windowCaption(frame);
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
