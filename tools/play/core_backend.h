#pragma once

#include "backend.h"
#include "core/form1.h"
#include "fake_window.h"

namespace ostrel::play {

// Plays a scenario against the core, with the test double standing in for the window and
// doing what the desktop does around each click: a click on a field or a button gives it the
// focus first, except the keypad keys, which never take the focus from the field being typed
// into.
class CoreBackend : public Backend {
public:
    explicit CoreBackend(MessageSink sink = {});

    void type(Field field, std::u16string_view text) override;
    void click(const form::Control &control) override;
    void clickAt(int x, int y) override;
    void tab() override;

    std::u16string text(Field field) const override { return m_window.text(field); }
    std::u16string result() const override { return m_window.result(); }
    int goText1() const override { return m_form.state().goText1; }
    std::string focus() const override { return m_window.focus(); }
    std::size_t caret(Field field) const override { return m_window.caret(field); }

    const Form1 &form() const { return m_form; }
    const FakeWindow &window() const { return m_window; }

private:
    FakeWindow m_window;
    Form1 m_form;
};

// Keypad keys are clicked without taking the focus.
bool takesFocusOnClick(const form::Control &control);

} // namespace ostrel::play
