#include "fake_window.h"

#include <algorithm>

namespace ostrel::play {

FakeWindow::FakeWindow(MessageSink sink)
    : m_sink(std::move(sink))
{
    // The controls as the window description creates them.
    for (const Field field : allFields) {
        const form::Control *control = form::findControl(fieldName(field));
        setText(field, control->text);
    }
    m_result = form::findControl("xsall")->text;
    m_focus = form::tabOrder().front()->qualifiedName();
}

std::u16string FakeWindow::text(Field field) const
{
    return m_texts[index(field)];
}

void FakeWindow::setText(Field field, std::u16string_view text)
{
    m_texts[index(field)] = std::u16string(text.substr(0, form::maxTextLength));
    m_carets[index(field)] = m_texts[index(field)].size();
}

void FakeWindow::setCaret(Field field, std::size_t position)
{
    m_carets[index(field)] = std::min(position, m_texts[index(field)].size());
}

void FakeWindow::setFocus(Field field)
{
    m_focus = std::string(fieldName(field));
}

void FakeWindow::setResult(std::u16string_view caption)
{
    m_result = caption;
}

void FakeWindow::messageBox(std::u16string_view title, std::u16string_view body)
{
    m_messages.push_back({std::u16string(title), std::u16string(body)});
    if (m_sink)
        m_sink(title, body);
}

} // namespace ostrel::play
