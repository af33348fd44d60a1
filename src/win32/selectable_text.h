// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace ostrel::win32 {

// A caption (a static control) whose text the mouse selects, as in a field, without the
// caption ever taking the keyboard focus: the focus stays in the field being typed into. A
// drag selects from where the button went down to where the mouse is, a double click selects
// the whole text, a click drops the selection, and a new text comes unselected. Its context
// menu offers 复制 (once something is selected) and 全选. Unselected, it looks exactly as the
// static control draws it; the selected part is drawn in the desktop's highlight colours.
class SelectableText {
public:
    // Subclasses `label`, which must be destroyed first.
    explicit SelectableText(HWND label);
    SelectableText(const SelectableText &) = delete;
    SelectableText &operator=(const SelectableText &) = delete;

    bool hasSelection() const { return m_anchor != m_caret; }
    std::u16string selectedText() const;
    // Puts the selected text on the clipboard; false when nothing is selected.
    bool copy() const;
    void selectAll();
    void clearSelection();

    // The menu's items, by their command ids.
    enum MenuItem : UINT { copyItem = 1, selectAllItem };

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void select(std::size_t anchor, std::size_t caret);
    std::size_t positionAt(LPARAM point) const;
    void paint(HDC dc) const;
    void showMenu(LPARAM screenPoint);

    HWND m_label;
    std::size_t m_anchor = 0;
    std::size_t m_caret = 0;
    bool m_dragging = false;
};

} // namespace ostrel::win32
