// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "backend.h"
#include "window.h"
#include "window_table.h"

#include <array>
#include <string>
#include <vector>

namespace ostrel::testing {

// A test double of the window that behaves as the desktop window does where the calculator
// can tell: texts are cut to the text box limit, writing a text puts the caret after it, a
// message box is handed to the sink and closed with OK, and the focus is tracked by control.
class FakeWindow : public Window {
public:
    explicit FakeWindow(MessageSink sink = {});

    std::u16string text(Field field) const override;
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override;
    void setResult(std::u16string_view caption) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;

    std::size_t caret(Field field) const { return m_carets[indexOf(field)]; }
    const std::u16string &result() const { return m_result; }
    const layout::Control *focus() const { return m_focus; }
    void setFocusControl(const layout::Control *control) { m_focus = control; }

    struct Message {
        std::u16string title;
        std::u16string body;
    };
    // Every message box shown so far, in order.
    const std::vector<Message> &messages() const { return m_messages; }

private:
    std::array<std::u16string, fieldCount> m_texts;
    std::array<std::size_t, fieldCount> m_carets{};
    std::u16string m_result;
    const layout::Control *m_focus = nullptr;
    std::vector<Message> m_messages;
    MessageSink m_sink;
};

} // namespace ostrel::testing
