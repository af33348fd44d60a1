// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core_backend.h"

#include "accessibility.h"
#include "utf16.h"

#include <algorithm>

namespace ostrel::testing {

CoreBackend::CoreBackend(MessageSink sink)
    : m_window(std::move(sink))
    , m_calculator(m_window)
{
    m_calculator.startUp();
}

void CoreBackend::type(Field field, std::u16string_view text)
{
    m_window.setFocus(field);
    m_window.setText(field, numbers::oneLineOf(text));
}

void CoreBackend::paste(Field field, std::u16string_view text)
{
    // The window's fields keep one line of whatever reaches them, typed or pasted alike.
    type(field, text);
}

void CoreBackend::click(const layout::Control &control)
{
    if (control.takesFocusOnClick())
        m_window.setFocusControl(&control);
    if (control.field && control.visible)
        m_window.setCaret(*control.field, 0);
    m_calculator.perform(control.action);
}

void CoreBackend::clickAt(int x, int y)
{
    if (const layout::Control *control = layout::controlAt(x, y))
        click(*control);
}

void CoreBackend::tab()
{
    const auto order = layout::tabOrder();
    const auto current = std::find(order.begin(), order.end(), m_window.focus());
    const auto next =
        (current == order.end() || current + 1 == order.end()) ? order.begin() : current + 1;
    m_window.setFocusControl(*next);
}

void CoreBackend::enter()
{
    if (const layout::Control *focus = m_window.focus())
        m_calculator.perform(focus->actionOnEnter());
}

WindowView CoreBackend::describe() const
{
    const layout::WindowLook &look = layout::window();
    WindowView view{std::u16string(look.caption),
                    layout::twipsToPixels(look.clientWidthTwips),
                    layout::twipsToPixels(look.clientHeightTwips),
                    {}};
    for (const layout::Control &control : layout::controls()) {
        std::u16string caption(control.text);
        if (control.field)
            caption = m_window.text(*control.field);
        else if (control.isResultLine)
            caption = m_window.result();
        const layout::Control *frame = layout::containerOf(control);
        view.controls.push_back({control.id, control.kind, frame ? frame->id : std::string_view(),
                                 layout::toPixels(control.twips), caption,
                                 std::u16string(control.font.face), control.font.points,
                                 control.font.bold, control.foreground, control.background,
                                 control.tabIndex, control.visible});
    }
    return view;
}

} // namespace ostrel::testing

namespace ostrel::testing {

std::vector<AccessibleView> CoreBackend::accessible() const
{
    std::vector<AccessibleView> views;
    for (const layout::Control &control : layout::controls()) {
        if (!layout::isInAccessibleTree(control))
            continue;
        const layout::Control *caption = layout::labelledBy(control);
        views.push_back({control.id, layout::accessibleName(control),
                         control.isResultLine
                             ? m_window.result()
                             : std::u16string(layout::accessibleDescription(control)),
                         caption ? std::string(caption->id) : std::string()});
    }
    return views;
}

} // namespace ostrel::testing
