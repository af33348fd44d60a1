// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fake_window.h"

#include <algorithm>

namespace ostrel::testing {

FakeWindow::FakeWindow(MessageSink sink)
    : m_result(layout::resultLine().text)
    , m_focus(layout::tabOrder().front())
    , m_sink(std::move(sink))
{
    // The controls as the window table creates them.
    for (const Field field : allFields)
        setText(field, layout::fieldControl(field).text);
}

std::u16string FakeWindow::text(Field field) const
{
    return m_texts[indexOf(field)];
}

void FakeWindow::setText(Field field, std::u16string_view text)
{
    m_texts[indexOf(field)] = std::u16string(text.substr(0, layout::maxTextLength));
    m_carets[indexOf(field)] = m_texts[indexOf(field)].size();
}

void FakeWindow::setCaret(Field field, std::size_t position)
{
    m_carets[indexOf(field)] = std::min(position, m_texts[indexOf(field)].size());
}

void FakeWindow::setFocus(Field field)
{
    m_focus = &layout::fieldControl(field);
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

} // namespace ostrel::testing
