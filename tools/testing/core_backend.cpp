// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core_backend.h"

#include "accessibility.h"
#include "keys.h"
#include "utf16.h"

#include <algorithm>

namespace ostrel::testing {

CoreBackend::CoreBackend(MessageSink sink)
    : m_window(std::move(sink))
    , m_calculator(m_window, m_store)
{
    m_calculator.startUp();
}

bool CoreBackend::isGreyed(const layout::Control &control) const
{
    return control.field && !m_window.isEnabled(*control.field);
}

void CoreBackend::type(Field field, std::u16string_view text)
{
    if (!m_window.isEnabled(field))
        return;
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
    if (FakeDialog *dialog = m_window.dialog()) {
        dialog->click(control);
        return;
    }
    if (isGreyed(control))
        return;
    if (control.takesFocusOnClick())
        m_window.setFocusControl(&control);
    if (control.field && control.visible)
        m_window.setCaret(*control.field, 0);
    m_calculator.perform(control.action);
}

void CoreBackend::chooseBoard(Stock stock, Board board)
{
    // Choosing an item gives the drop-down the focus, as a click does.
    m_window.setFocusControl(&layout::boardControl(stock));
    m_window.setBoardText(stock, layout::boardName(board));
    m_calculator.perform(ChooseBoard{stock});
}

void CoreBackend::typeBoard(Stock stock, std::u16string_view text)
{
    const layout::Control &list = layout::boardControl(stock);
    m_window.setFocusControl(&list);
    m_window.setBoardText(stock, numbers::oneLineOf(text));
    m_calculator.perform(list.actionOnEnter());
}

void CoreBackend::clickAt(int x, int y)
{
    if (const layout::Control *control = layout::controlAt(x, y))
        click(*control);
}

void CoreBackend::tab()
{
    if (FakeDialog *dialog = m_window.dialog())
        dialog->focusNext();
    else
        m_window.focusNext();
}

void CoreBackend::enter()
{
    const FakeDialog *dialog = m_window.dialog();
    if (const layout::Control *focus = dialog ? dialog->focus() : m_window.focus())
        m_calculator.perform(focus->actionOnEnter());
}

void CoreBackend::escape()
{
    const layout::WindowRole role =
        m_window.dialog() ? layout::WindowRole::modal : layout::WindowRole::main;
    const layout::KeyPress escape{layout::KeyName::escape};
    if (layout::answerTo(layout::CloseRequest::escape, role, escape) ==
        layout::CloseAnswer::closeDialog)
        m_calculator.perform(CloseDialog{});
}

const layout::WindowDescription *CoreBackend::openDialog() const
{
    const FakeDialog *dialog = m_window.dialog();
    return dialog ? &dialog->description() : nullptr;
}

void CoreBackend::typeInto(const layout::Control &textBox, std::u16string_view text)
{
    // A greyed box takes no input; any other takes the focus, as `type` gives it.
    FakeDialog *dialog = m_window.dialog();
    if (!dialog || !dialog->isEnabled(textBox))
        return;
    dialog->setFocus(textBox);
    dialog->setText(textBox, numbers::oneLineOf(text));
}

bool CoreBackend::isChecked(const layout::Control &control) const
{
    const FakeDialog *dialog = m_window.dialog();
    return dialog && dialog->isChecked(control);
}

void CoreBackend::storeText(std::string_view key, std::u16string_view text)
{
    m_store.setText(key, text);
}

namespace {

ControlView viewOf(const layout::WindowDescription &window, const layout::Control &control,
                   std::u16string caption)
{
    const layout::Control *frame = window.containerOf(control);
    return {control.id,
            control.kind,
            frame ? frame->id : std::string_view(),
            layout::toPixels(control.twips),
            std::move(caption),
            std::u16string(control.font.face),
            control.font.points,
            control.font.bold,
            control.foreground,
            control.background,
            control.tabIndex,
            control.visible,
            {},
            false};
}

WindowView describeDialog(const FakeDialog &dialog)
{
    const layout::WindowDescription &window = dialog.description();
    const layout::WindowLook &look = window.look();
    WindowView view{std::u16string(look.caption),
                    window.clientWidthPixels(),
                    window.clientHeightPixels(),
                    {},
                    true,
                    {}};
    for (const layout::Control &control : window.controls()) {
        ControlView seen = viewOf(window, control, dialog.text(control));
        if (control.kind == layout::Kind::checkBox || control.kind == layout::Kind::radioButton)
            seen.checked = dialog.isChecked(control);
        seen.greyed = !dialog.isEnabled(control);
        view.controls.push_back(std::move(seen));
    }
    if (const layout::Control *focus = dialog.focus())
        view.focus = focus->id;
    return view;
}

} // namespace

WindowView CoreBackend::describe() const
{
    if (const FakeDialog *dialog = m_window.dialog())
        return describeDialog(*dialog);
    const layout::WindowLook &look = layout::window();
    WindowView view{std::u16string(look.caption),
                    layout::twipsToPixels(look.clientWidthTwips),
                    layout::twipsToPixels(look.clientHeightTwips),
                    {},
                    false,
                    {}};
    for (const layout::Control &control : layout::controls()) {
        std::u16string caption(control.text);
        if (control.field)
            caption = m_window.text(*control.field);
        else if (control.isResultLine)
            caption = m_window.result();
        else if (control.isFeeModelNote)
            caption = m_window.feeModelNote();
        else if (control.board)
            caption = m_window.boardText(*control.board);
        view.controls.push_back(viewOf(layout::mainWindow(), control, std::move(caption)));
    }
    return view;
}

} // namespace ostrel::testing

namespace ostrel::testing {

std::vector<AccessibleView> CoreBackend::accessible() const
{
    std::vector<AccessibleView> views;
    if (const FakeDialog *dialog = m_window.dialog()) {
        const layout::WindowDescription &window = dialog->description();
        for (const layout::Control &control : window.controls()) {
            if (!layout::isInAccessibleTree(control))
                continue;
            const layout::Control *caption = window.labelledBy(control);
            views.push_back(
                {control.id, layout::accessibleName(control),
                 layout::isDescribedByItsCaption(control)
                     ? dialog->text(control)
                     : std::u16string(
                           layout::accessibleDescription(control, !dialog->isEnabled(control))),
                 caption ? std::string(caption->id) : std::string(), control.tablePart});
        }
        return views;
    }
    for (const layout::Control &control : layout::controls()) {
        if (!layout::isInAccessibleTree(control))
            continue;
        const layout::Control *caption = layout::labelledBy(control);
        views.push_back({control.id, layout::accessibleName(control),
                         control.isResultLine     ? m_window.result()
                         : control.isFeeModelNote ? m_window.feeModelNote()
                                                  : std::u16string(layout::accessibleDescription(
                                                        control, isGreyed(control))),
                         caption ? std::string(caption->id) : std::string(), control.tablePart});
    }
    return views;
}

} // namespace ostrel::testing
