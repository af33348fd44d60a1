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
    m_enabled.fill(true);
}

void FakeWindow::setEnabled(Field field, bool enabled)
{
    m_enabled[indexOf(field)] = enabled;
    if (!enabled && m_focus == &layout::fieldControl(field))
        focusNext();
}

void FakeWindow::focusNext()
{
    // Tab passes over a greyed-out field.
    m_focus = layout::mainWindow().nextTabStop(
        m_focus, {[this](const layout::Control &control) {
                      return !control.field || isEnabled(*control.field);
                  },
                  [](const layout::Control &) { return false; }});
}

DialogWindow &FakeWindow::openDialog(const layout::WindowDescription &description,
                                     DialogActions actions)
{
    m_dialog = std::make_unique<FakeDialog>(description, std::move(actions), *this);
    return *m_dialog;
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

FakeDialog::FakeDialog(const layout::WindowDescription &description, DialogActions actions,
                       FakeWindow &owner)
    : m_description(description)
    , m_actions(std::move(actions))
    , m_owner(owner)
{
    for (const layout::Control &control : description.controls())
        m_texts[&control] = control.text;
    if (!description.tabOrder().empty())
        m_focus = description.tabOrder().front();
}

std::u16string FakeDialog::text(const layout::Control &control) const
{
    return m_texts.at(&control);
}

void FakeDialog::setText(const layout::Control &control, std::u16string_view text)
{
    // Only a text box holds a limited number of characters; a caption shows any length.
    const bool limited = control.kind == layout::Kind::textBox;
    m_texts[&control] = std::u16string(limited ? text.substr(0, layout::maxTextLength) : text);
}

bool FakeDialog::isChecked(const layout::Control &control) const
{
    const auto found = m_checks.find(&control);
    return found != m_checks.end() && found->second;
}

void FakeDialog::setChecked(const layout::Control &control, bool checked)
{
    if (checked && control.kind == layout::Kind::radioButton) {
        for (const layout::Control &other : m_description.controls()) {
            if (other.kind == layout::Kind::radioButton && other.container == control.container)
                m_checks[&other] = false;
        }
    }
    m_checks[&control] = checked;
}

void FakeDialog::setEnabled(const layout::Control &control, bool enabled)
{
    if (enabled) {
        m_greyed.erase(&control);
        return;
    }
    m_greyed.insert(&control);
    if (m_focus == &control)
        focusNext();
}

void FakeDialog::focusNext()
{
    m_focus = m_description.nextTabStop(
        m_focus, {[this](const layout::Control &control) { return isEnabled(control); },
                  [this](const layout::Control &control) { return isChecked(control); }});
}

void FakeDialog::messageBox(std::u16string_view title, std::u16string_view body)
{
    m_owner.messageBox(title, body);
}

void FakeDialog::click(const layout::Control &control)
{
    if (!isEnabled(control))
        return;
    if (control.takesFocusOnClick())
        m_focus = &control;
    if (control.kind == layout::Kind::checkBox)
        setChecked(control, !isChecked(control));
    else if (control.kind == layout::Kind::radioButton)
        setChecked(control, true);
    m_actions(control.action);
}

void FakeWindow::messageBox(std::u16string_view title, std::u16string_view body)
{
    m_messages.push_back({std::u16string(title), std::u16string(body)});
    if (m_sink)
        m_sink(title, body);
}

} // namespace ostrel::testing
