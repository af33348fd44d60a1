// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ostrel {

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

protected:
    Window() = default;
    Window(const Window &) = default;
    Window &operator=(const Window &) = default;
};

} // namespace ostrel
