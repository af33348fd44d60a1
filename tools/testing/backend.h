// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "window_table.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::testing {

// Receives each modal message box as it appears; the backend then closes it with OK.
using MessageSink = std::function<void(std::u16string_view title, std::u16string_view body)>;

// One control as a backend finds it on the screen.
struct ControlView {
    std::string_view id;
    layout::Kind kind = layout::Kind::label;
    std::string_view container; // the frame's id; empty: the window
    layout::Rect pixels;        // relative to the container
    std::u16string caption;     // the caption, or a text box's text
    std::u16string face;        // empty: the control shows no text of its own
    double points = 0;
    bool bold = false;
    layout::Colour foreground;
    layout::Colour background;
    int tabIndex = 0;
    bool shown = true;
    // In a modal window: whether a check box or radio button is checked, and whether the
    // control is greyed out.
    std::optional<bool> checked;
    bool greyed = false;
};

// What assistive technology is told of one control.
struct AccessibleView {
    std::string_view id;
    std::u16string name;
    std::u16string description;
    std::string labelledBy; // the id of the label that shows its caption; empty: none
    // A header or cell of a table of figures, as the control's role tells.
    layout::TablePart tablePart = layout::TablePart::none;
};

struct WindowView {
    std::u16string title;
    int width = 0;
    int height = 0;
    std::vector<ControlView> controls; // in creation order
    // A modal window tells which of its controls has the focus (empty: none).
    bool isDialog = false;
    std::string_view focus;
};

// What a user does to the window and what the scenario reads back, whatever plays it: the
// calculator behind a test double, or a real window.
class Backend {
public:
    virtual ~Backend() = default;

    // A greyed-out (disabled) field takes no input: typing, pasting or clicking into it does
    // nothing, and Tab passes over it.
    //
    // Moves the focus into a visible field as Tab would (no click) and types the text over
    // its whole content.
    virtual void type(Field field, std::u16string_view text) = 0;
    // Moves the focus into a visible field as Tab would, selects its whole content and pastes
    // the text from the clipboard over it.
    virtual void paste(Field field, std::u16string_view text) = 0;
    // A left click on a control, inside it and away from the end of a field's text.
    virtual void click(const layout::Control &control) = 0;
    // A left click at a pixel of the client area.
    virtual void clickAt(int x, int y) = 0;
    virtual void tab() = 0;
    // Presses Return on the control with the keyboard focus: an entry field starts the
    // calculation, a push button is pressed.
    virtual void enter() = 0;
    // Presses Escape: a modal window closes as its 取消 or 关闭 does.
    virtual void escape() = 0;
    // Opens a stock's board drop-down with the mouse and clicks the board's item in its list.
    virtual void chooseBoard(Stock stock, Board board) = 0;
    // Moves the focus into a stock's board drop-down as Tab would, types the text over its edit
    // part and presses Return.
    virtual void typeBoard(Stock stock, std::u16string_view text) = 0;

    // The modal window that is open in front of the main window (the fee settings, the
    // detail), or none. `click` reaches its controls as the main window's, and `typeInto` its
    // text boxes; while it is open the main window takes no input.
    virtual const layout::WindowDescription *openDialog() const = 0;
    // Moves the focus into a text box of the open modal window and types the text over its
    // whole content.
    virtual void typeInto(const layout::Control &textBox, std::u16string_view text) = 0;
    // Whether a check box or radio button of the open modal window is checked.
    virtual bool isChecked(const layout::Control &control) const = 0;
    // The text on the clipboard.
    virtual std::u16string clipboard() const = 0;
    // Writes a text into the settings store by key, as a hand-edited or damaged store holds it.
    virtual void storeText(std::string_view key, std::u16string_view text) = 0;
    // The calculator reads its settings from the store again, as when the program starts.
    virtual void reloadSettings() = 0;

    virtual std::u16string text(Field field) const = 0;
    virtual std::u16string result() const = 0;
    // What a stock's board drop-down shows in its edit part.
    virtual std::u16string boardText(Stock stock) const = 0;
    virtual Field keypadTarget() const = 0;
    // The control with the keyboard focus, or none.
    virtual const layout::Control *focus() const = 0;
    virtual std::size_t caret(Field field) const = 0;
    // The window in front: the modal window while one is open, else the main window.
    virtual WindowView describe() const = 0;
    // Every control of the window in front in the tree of accessible objects, in creation
    // order.
    virtual std::vector<AccessibleView> accessible() const = 0;

protected:
    Backend() = default;
    Backend(const Backend &) = default;
    Backend &operator=(const Backend &) = default;
};

} // namespace ostrel::testing
