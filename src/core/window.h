// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "window_description.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ostrel {

// A modal window drawn from a description in front of the main window (the fee settings, the
// detail of a calculation). Its controls are named by their rows in the description. It lives
// until `close`, and only the calculator closes it: 取消, Escape and the title bar's close
// button reach the calculator as a CloseDialog action first.
class DialogWindow {
public:
    virtual ~DialogWindow() = default;

    // A text box's text.
    virtual std::u16string text(const layout::Control &control) const = 0;
    // A text box's text, or a label's caption.
    virtual void setText(const layout::Control &control, std::u16string_view text) = 0;
    // Whether a check box is ticked or a radio button checked.
    virtual bool isChecked(const layout::Control &control) const = 0;
    // Checking a radio button unchecks the others of its container.
    virtual void setChecked(const layout::Control &control, bool checked) = 0;
    // A control greyed out (disabled) or usable again; its text stays as it is.
    virtual void setEnabled(const layout::Control &control, bool enabled) = 0;
    // Gives a control the keyboard focus; a text box's whole text is selected, so that typing
    // replaces it.
    virtual void setFocus(const layout::Control &control) = 0;
    // A modal box in front of this window, as the main window's.
    virtual void messageBox(std::u16string_view title, std::u16string_view body) = 0;
    // Ends the window; the main window takes the activation back. Nothing of this window may
    // be used afterwards.
    virtual void close() = 0;

protected:
    DialogWindow() = default;
    DialogWindow(const DialogWindow &) = default;
    DialogWindow &operator=(const DialogWindow &) = default;
};

// What a modal window's clicks run, and Return, Escape and the close button.
using DialogActions = std::function<void(const Action &)>;

// Everything the calculator may do to the window, and nothing more. Texts are UTF-16, the
// unit in which the window counts characters and caret positions.
class Window {
public:
    virtual ~Window() = default;

    virtual std::u16string text(Field field) const = 0;
    virtual void setText(Field field, std::u16string_view text) = 0;
    // Caret position in characters; the text's length puts it after the last character.
    virtual void setCaret(Field field, std::size_t position) = 0;
    virtual void setFocus(Field field) = 0;
    // The caption of the result line.
    virtual void setResult(std::u16string_view caption) = 0;
    // A modal box with one OK button and no icon; returns once the user has closed it.
    virtual void messageBox(std::u16string_view title, std::u16string_view body) = 0;

    // An entry field greyed out (disabled) or usable again; its text stays as it is, and
    // assistive technology is told the field's description for that state
    // (`layout::accessibleDescription`).
    virtual void setEnabled(Field field, bool enabled) = 0;
    // The text a stock's board drop-down shows: the name of the board chosen, or what the user
    // has typed into its edit part since.
    virtual std::u16string boardText(Stock stock) const = 0;
    // Shows the board chosen in the stock's drop-down, its name in the edit part.
    virtual void setBoard(Stock stock, Board board) = 0;
    // The caption of the label that tells which fee model is in use.
    virtual void setFeeModelNote(std::u16string_view caption) = 0;
    // Puts plain text on the clipboard.
    virtual void copyText(std::u16string_view text) = 0;
    // Opens a modal window drawn from `description` and returns at once: until the calculator
    // closes it, the user can reach only it, and its actions go to `actions`. The window is
    // shown with the texts and checks that the calculator sets right after opening it.
    virtual DialogWindow &openDialog(const layout::WindowDescription &description,
                                     DialogActions actions) = 0;

protected:
    Window() = default;
    Window(const Window &) = default;
    Window &operator=(const Window &) = default;
};

} // namespace ostrel
