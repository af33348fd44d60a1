#include "core_backend.h"

#include <algorithm>

namespace ostrel::play {

bool takesFocusOnClick(const form::Control &control)
{
    return control.takesFocus() && control.name != "Command3";
}

CoreBackend::CoreBackend(MessageSink sink)
    : m_window(std::move(sink))
    , m_form(m_window)
{
    m_form.load();
}

void CoreBackend::type(Field field, std::u16string_view text)
{
    m_window.setFocus(field);
    m_window.setText(field, text);
}

void CoreBackend::click(const form::Control &control)
{
    if (takesFocusOnClick(control))
        m_window.setFocusControl(control.qualifiedName());
    m_form.click(control.qualifiedName());
}

void CoreBackend::clickAt(int x, int y)
{
    if (const form::Control *control = form::controlAt(x, y))
        click(*control);
}

void CoreBackend::tab()
{
    const auto order = form::tabOrder();
    const auto current = std::find_if(order.begin(), order.end(), [&](const form::Control *c) {
        return c->qualifiedName() == m_window.focus();
    });
    const auto next =
        (current == order.end() || current + 1 == order.end()) ? order.begin() : current + 1;
    m_window.setFocusControl((*next)->qualifiedName());
}

} // namespace ostrel::play
