#pragma once

#include "form/layout.h"
#include "runtime/window.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace ostrel::play {

// Receives each modal message box as it appears; the backend then closes it with OK.
using MessageSink = std::function<void(std::u16string_view title, std::u16string_view body)>;

// What a user does to the window and what the scenario reads back, whatever plays it:
// the core behind a test double, or the real Qt window.
class Backend {
public:
    virtual ~Backend() = default;

    // Moves the focus into a visible field as Tab would (no click) and types the text over
    // its whole content.
    virtual void type(Field field, std::u16string_view text) = 0;
    // A left click on a control, inside it and away from the end of a field's text.
    virtual void click(const form::Control &control) = 0;
    // A left click at a pixel of the client area.
    virtual void clickAt(int x, int y) = 0;
    virtual void tab() = 0;

    virtual std::u16string text(Field field) const = 0;
    virtual std::u16string result() const = 0;
    virtual int goText1() const = 0;
    // The qualified name of the control with the keyboard focus, or "none".
    virtual std::string focus() const = 0;
    virtual std::size_t caret(Field field) const = 0;

protected:
    Backend() = default;
    Backend(const Backend &) = default;
    Backend &operator=(const Backend &) = default;
};

} // namespace ostrel::play
