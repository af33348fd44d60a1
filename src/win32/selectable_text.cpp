// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "selectable_text.h"

#include "caret.h"
#include "control_behaviour.h"
#include "keys.h"
#include "painting.h"
#include "wide_text.h"
#include "win32_window.h"

#include <commctrl.h>
#include <usp10.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace ostrel::win32 {
namespace {

// A context menu asked for from the keyboard comes without a place.
constexpr LPARAM noPlace = -1;

struct Line {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The lines the static control breaks its caption into when it draws it (DrawText with
// DT_WORDBREAK), found the same way: as many characters as fit, then back to the last place
// the script allows a break (Uniscribe's soft breaks: between Chinese characters, not inside
// a number nor before a closing mark), and a single blank at a break dropped. A word with no
// such place within the width keeps its line whole, to be cut off at the edge.
std::vector<Line> linesOf(HDC dc, std::wstring_view text, int width)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::wstring_view rest = text.substr(start);
        int fitting = 0;
        SIZE size{};
        GetTextExtentExPointW(dc, rest.data(), static_cast<int>(rest.size()), width, &fitting,
                              nullptr, &size);
        const auto fits = static_cast<std::size_t>(std::max(fitting, 0));
        if (fits >= rest.size()) {
            lines.push_back({start, rest.size()});
            break;
        }
        std::vector<SCRIPT_LOGATTR> breaks(rest.size());
        SCRIPT_ANALYSIS analysis{};
        analysis.eScript = SCRIPT_UNDEFINED;
        ScriptBreak(rest.data(), static_cast<int>(rest.size()), &analysis, breaks.data());
        // The longest start of the rest that fits and ends where a break is allowed.
        std::size_t length = fits;
        while (length > 0 && !breaks[length].fSoftBreak)
            --length;
        if (length == 0) {
            // No break within the width: the whole word, up to the next blank.
            length = std::min(rest.find(L' ', fits), rest.size());
        }
        lines.push_back({start, length});
        start += length;
        if (start < text.size() && text[start] == L' ')
            ++start;
    }
    return lines;
}

// Where each character of the line ends, from the line's left edge.
std::vector<int> characterEnds(HDC dc, std::wstring_view line)
{
    std::vector<int> ends(line.size());
    int fits = 0;
    SIZE size{};
    if (!line.empty())
        GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), 0, &fits, ends.data(),
                              &size);
    return ends;
}

int widthOf(HDC dc, std::wstring_view text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

SelectableText::SelectableText(HWND label)
    : m_label(label)
{
    subclass(label, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return handle(message, wParam, lParam);
    });
}

std::u16string SelectableText::selectedText() const
{
    const auto [from, to] = std::minmax(m_anchor, m_caret);
    const std::u16string text = windowText(m_label);
    return text.substr(std::min(from, text.size()), to - from);
}

bool SelectableText::copy() const
{
    return hasSelection() && putOnClipboard(m_label, selectedText());
}

void SelectableText::selectAll()
{
    select(0, windowText(m_label).size());
}

void SelectableText::clearSelection()
{
    m_dragging = false;
    select(m_caret, m_caret);
}

void SelectableText::select(std::size_t anchor, std::size_t caret)
{
    if (anchor == m_anchor && caret == m_caret)
        return;
    const bool showsChange = hasSelection() || anchor != caret;
    m_anchor = anchor;
    m_caret = caret;
    if (showsChange)
        InvalidateRect(m_label, nullptr, FALSE);
}

std::size_t SelectableText::positionAt(LPARAM point) const
{
    const std::wstring text = toWide(windowText(m_label));
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (at.y < 0)
        return 0;
    RECT area{};
    GetClientRect(m_label, &area);
    const ControlFont font(m_label);
    const std::vector<Line> lines = linesOf(font.dc(), text, area.right - area.left);
    const auto row = static_cast<std::size_t>(at.y / font.lineHeight());
    if (row >= lines.size())
        return text.size();
    const Line &line = lines[row];
    const std::vector<int> ends =
        characterEnds(font.dc(), std::wstring_view(text).substr(line.start, line.length));
    return line.start + layout::caretPositionAt(ends, at.x);
}

void SelectableText::paint(HDC dc) const
{
    RECT area{};
    GetClientRect(m_label, &area);
    // The colours the window gives its captions, as the static control asks for them.
    const auto face = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(m_label), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(m_label)));
    FillRect(dc, &area, face ? face : GetSysColorBrush(COLOR_3DFACE));
    const ControlFont font(dc, m_label);

    const std::wstring text = toWide(windowText(m_label));
    const std::wstring_view whole = text;
    const int height = font.lineHeight();
    const auto [from, to] = std::minmax(m_anchor, m_caret);
    int top = area.top;
    for (const Line &line : linesOf(dc, text, area.right - area.left)) {
        const std::wstring_view shown = whole.substr(line.start, line.length);
        ExtTextOutW(dc, area.left, top, ETO_CLIPPED, &area, shown.data(),
                    static_cast<UINT>(shown.size()), nullptr);
        // The selected part of the line over it, in the highlight's colours.
        const std::size_t begin = std::clamp(from, line.start, line.start + line.length);
        const std::size_t end = std::clamp(to, line.start, line.start + line.length);
        if (begin < end) {
            const std::wstring_view selected = whole.substr(begin, end - begin);
            const int left = area.left + widthOf(dc, whole.substr(line.start, begin - line.start));
            RECT band{left, top, left + widthOf(dc, selected), top + height};
            IntersectRect(&band, &band, &area);
            const COLORREF foreground = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            const COLORREF background = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            ExtTextOutW(dc, left, top, ETO_CLIPPED | ETO_OPAQUE, &band, selected.data(),
                        static_cast<UINT>(selected.size()), nullptr);
            SetTextColor(dc, foreground);
            SetBkColor(dc, background);
        }
        top += height;
    }
}

void SelectableText::showMenu(LPARAM screenPoint)
{
    POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    if (screenPoint == noPlace) {
        at = {};
        ClientToScreen(m_label, &at);
    }
    HMENU menu = CreatePopupMenu();
    const bool hasText = GetWindowTextLengthW(m_label) > 0;
    for (const layout::TextMenuItem &item : layout::selectableTextMenu) {
        if (item.separatorBefore)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        // The key beside the text after a tab, where Windows' menus show it.
        std::u16string text{item.caption};
        if (!item.shortcut.empty())
            text.append(u"\t").append(item.shortcut);
        const bool enabled = layout::isEnabled(item.command, hasSelection(), hasText);
        AppendMenuW(menu, static_cast<UINT>(MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED)),
                    item.command == layout::TextCommand::copy ? copyItem : selectAllItem,
                    toWide(text).c_str());
    }
    // The menu's own loop, which leaves the keyboard focus where it is.
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, m_label, nullptr));
    DestroyMenu(menu);
    switch (chosen) {
    case copyItem:
        copy();
        break;
    case selectAllItem:
        selectAll();
        break;
    default:
        break;
    }
}

LRESULT SelectableText::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT; // a plain caption lets the mouse through to the window
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_IBEAM));
        return TRUE;
    case WM_LBUTTONDOWN: {
        // No SetFocus: the keyboard stays in the field being typed into.
        const std::size_t at = positionAt(lParam);
        select(at, at);
        m_dragging = true;
        SetCapture(m_label);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_dragging && GetCapture() == m_label)
            select(m_anchor, positionAt(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (m_dragging && GetCapture() == m_label)
            ReleaseCapture();
        m_dragging = false;
        return 0;
    case WM_CAPTURECHANGED:
        m_dragging = false;
        return 0;
    case WM_LBUTTONDBLCLK:
        selectAll();
        return 0;
    case WM_CONTEXTMENU:
        showMenu(lParam);
        return 0;
    case WM_PAINT: {
        if (!hasSelection())
            break; // as the static control draws itself
        PAINTSTRUCT painting{};
        HDC dc = BeginPaint(m_label, &painting);
        paint(dc);
        EndPaint(m_label, &painting);
        return 0;
    }
    case WM_SETTEXT:
        // A new answer comes unselected.
        m_dragging = false;
        m_anchor = 0;
        m_caret = 0;
        break;
    default:
        break;
    }
    return DefSubclassProc(m_label, message, wParam, lParam);
}

} // namespace ostrel::win32
