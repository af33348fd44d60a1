#pragma once

#include "backend.h"
#include "form/layout.h"
#include "runtime/window.h"

#include <array>
#include <string>
#include <vector>

namespace ostrel::play {

// A test double of the window that behaves as the desktop window does where the handlers can
// tell: texts are cut to the text box limit, writing a text puts the caret after it, a message
// box is handed to the sink and closed with OK, and the focus is tracked by control name.
class FakeWindow : public Window {
public:
    explicit FakeWindow(MessageSink sink = {});

    std::u16string text(Field field) const override;
    void setText(Field field, std::u16string_view text) override;
    void setCaret(Field field, std::size_t position) override;
    void setFocus(Field field) override;
    void setResult(std::u16string_view caption) override;
    void messageBox(std::u16string_view title, std::u16string_view body) override;

    std::size_t caret(Field field) const { return m_carets[index(field)]; }
    const std::u16string &result() const { return m_result; }
    const std::string &focus() const { return m_focus; }
    void setFocusControl(std::string name) { m_focus = std::move(name); }

    struct Message {
        std::u16string title;
        std::u16string body;
    };
    // Every message box shown so far, in order.
    const std::vector<Message> &messages() const { return m_messages; }

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    std::array<std::u16string, std::size(allFields)> m_texts;
    std::array<std::size_t, std::size(allFields)> m_carets{};
    std::u16string m_result;
    std::string m_focus;
    std::vector<Message> m_messages;
    MessageSink m_sink;
};

} // namespace ostrel::play
