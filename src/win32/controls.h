// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "control_behaviour.h"
#include "keys.h"
#include "painting.h"
#include "selectable_text.h"
#include "window_description.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace ostrel::win32 {

// The command id a control is created with: its place in the description, past the ids
// Windows keeps for its own dialog buttons.
inline constexpr int firstCommandId = 1000;

// The edit part of a drop-down, a window of its own inside it.
inline HWND editPartOf(HWND dropDown)
{
    return FindWindowExW(dropDown, nullptr, L"Edit", nullptr);
}

// Every control of a window, built from its description as Windows' own controls (labels as
// static controls, fields as edit controls, frames as group boxes, push buttons, check boxes,
// radio buttons, drop-down lists as combo boxes), each bound once to the actions its click and
// Enter run. All are children of the window itself, frames' controls too, so that Tab can go
// from a frame's field to one of the window's and back.
class Controls {
public:
    // Runs a click's or a key's action.
    using Perform = std::function<void(const Action &)>;

    // Creates the controls in the description's order with their captions, stacks them in the
    // tab order and so that a later control covers an earlier one, and binds each to its
    // actions. Places and fonts come with `place`.
    Controls(HWND window, const layout::WindowDescription &description, Perform perform);
    Controls(const Controls &) = delete;
    Controls &operator=(const Controls &) = delete;

    const layout::WindowDescription &description() const { return m_window; }
    HWND handle(const layout::Control &control) const
    {
        return m_handles[m_window.positionOf(control)];
    }
    int commandIdOf(const layout::Control &control) const
    {
        return firstCommandId + static_cast<int>(m_window.positionOf(control));
    }
    // The window must have the field, or a result line.
    HWND field(Field field) const { return handle(*m_window.fieldControl(field)); }
    HWND resultLine() const { return handle(*m_window.resultLine()); }
    // The table's control that `handle` is, or none.
    const layout::Control *controlOf(HWND handle) const;
    // Where Tab (`backwards`: Shift+Tab) moves the focus from `from` (none: from before the
    // first control), in the description's tab order; none when no control can take it.
    HWND nextTabStop(HWND from, bool backwards = false) const;

    // A text box's text as typing would leave it (cut to what it holds, the caret after the
    // last character), a drop-down's item of that name, or a label's caption; a caption that a
    // screen reader follows by its description announces the change.
    void setText(const layout::Control &control, std::u16string_view text) const;
    // Greys a control out or takes it in again; greyed, it passes the focus on.
    void setEnabled(const layout::Control &control, bool enabled) const;
    // Whether a check box is ticked or a radio button checked. Checking a radio button
    // unchecks the others of its container.
    bool isChecked(const layout::Control &control) const;
    void setChecked(const layout::Control &control, bool checked);

    // The text selected in a caption the user can select from, or none.
    SelectableText *selectableText(const layout::Control &control) const;
    // Puts the text the user selected in a caption on the clipboard, if `press` copies it;
    // false when it does not or none is selected.
    bool copySelectedText(const layout::KeyPress &press) const;

    // Escape or the close button, answered as for every window: a modal window runs its
    // CloseDialog action here. Returns the answer, for the window to close itself when told to.
    layout::CloseAnswer answerClose(layout::CloseRequest request,
                                    const layout::KeyPress &press = {});

    // Every control at its place and in its font at the window's resolution.
    void place(unsigned dpi);

    // The messages that every window of controls answers alike: its controls' commands and
    // Escape and Enter as the dialog manager reports them, Tab, the colours of its controls and
    // of its face, and the captions it draws itself. None for any other message, and where
    // Windows' own answer stands.
    std::optional<LRESULT> answerCommonMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // A control's command, or Escape or Enter as the dialog manager reports them.
    void command(WPARAM wParam);
    // The colours Windows asks for before drawing a control (none: the system's own), and a
    // caption the window draws (false: Windows draws it).
    std::optional<HBRUSH> colours(HDC dc, HWND control);
    bool draw(const DRAWITEMSTRUCT &item);
    HWND create(const layout::Control &control, HWND window);
    void bind(const layout::Control &control, HWND handle);
    // Stacks the controls and starts the dialog manager's groups, as layout::stackingOrder
    // and layout::groupStarts say.
    void stack();

    HWND m_parent;
    const layout::WindowDescription &m_window;
    Perform m_perform;
    std::vector<HWND> m_handles; // in the description's order
    // By the control's place in the description; none for the controls that show no
    // selectable text.
    std::vector<std::unique_ptr<SelectableText>> m_selectable;
    FontCache m_fonts;
    BrushCache m_brushes;
    unsigned m_dpi = 0;
};

} // namespace ostrel::win32
