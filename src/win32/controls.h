// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "colours.h"
#include "control_behaviour.h"
#include "fonts.h"
#include "selectable_text.h"
#include "window_table.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ostrel::win32 {

// Every control of the window, built from the window table as Windows' own controls (labels
// as static controls, fields as edit controls, frames as group boxes, push buttons), each
// bound once to the action its click runs. All are children of the window itself, frames'
// controls too, so that Tab can go from a frame's field to one of the window's and back.
// The command id a control is created with: its place in the table, past the ids Windows
// keeps for its own dialog buttons.
inline constexpr int firstCommandId = 1000;
inline int commandIdOf(const layout::Control &control)
{
    return firstCommandId + static_cast<int>(layout::positionOf(control));
}

class Controls {
public:
    struct Bindings {
        std::function<void(const Action &)> perform; // a click's action
        std::function<void()> calculate;             // Enter in an entry field
    };

    // Creates the controls in table order with their captions, stacks them so that Tab visits
    // them in the table's tab order and a later control covers an earlier one, and binds
    // each to its action. Places and fonts come with `place`.
    Controls(HWND window, Bindings bindings);
    Controls(const Controls &) = delete;
    Controls &operator=(const Controls &) = delete;
    ~Controls() = default;

    HWND handle(const layout::Control &control) const
    {
        return m_handles[layout::positionOf(control)];
    }
    HWND field(Field field) const { return handle(layout::fieldControl(field)); }
    HWND resultLine() const { return handle(layout::resultLine()); }
    // The table's control that `handle` is, or none.
    const layout::Control *controlOf(HWND handle) const;

    // The text selected in a caption the user can select from, or none.
    SelectableText *selectableText(const layout::Control &control) const;
    // Puts the text the user selected in a caption on the clipboard; false when none is.
    bool copySelectedText() const;

    // Every control at its place and in its font at the window's resolution.
    void place(unsigned dpi);

    // What the window procedure hands on: a button's command, the colours Windows asks for
    // before drawing a control (none: the system's own), and a caption the window draws.
    void command(WPARAM wParam) const;
    std::optional<HBRUSH> colours(HDC dc, HWND control);
    HBRUSH windowBrush();
    bool draw(const DRAWITEMSTRUCT &item);

private:
    HWND create(const layout::Control &control, HWND window);
    void bind(const layout::Control &control, HWND handle);
    void stack();

    Bindings m_bindings;
    std::vector<HWND> m_handles; // in the table's order
    std::vector<std::unique_ptr<FieldEvents>> m_fieldEvents;
    // By the control's place in the table; none for the controls that show no selectable text.
    std::vector<std::unique_ptr<SelectableText>> m_selectable;
    FontCache m_fonts;
    BrushCache m_brushes;
    unsigned m_dpi = 0;
};

} // namespace ostrel::win32
