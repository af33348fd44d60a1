// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "backend.h"
#include "window.h"
#include "window_table.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ostrel::testing {

class FakeWindow;

// A test double of a modal window: texts and checks by control, as the platform keeps them.
class FakeDialog : public DialogWindow {
public:
    // Its message boxes are the owner's.
    FakeDialog(const layout::WindowDescription &description, DialogActions actions,
               FakeWindow &owner);

    std::u16string text(const layout::Control &control) const override;
    void setText(const layout::Control &control, std::u16string_view text) override;
    bool isChecked(const layout::Control &control) const override;
    void setChecked(const layout::Control &control, bool checked) override;
    // A control greyed out while it has the focus passes the focus on, as Tab would.
    void setEnabled(const layout::Control &control, bool enabled) override;
    void setFocus(const layout::Control &control) override { m_focus = &control; }
    void messageBox(std::u16string_view title, std::u16string_view body) override;
    void close() override { m_open = false; }

    bool isEnabled(const layout::Control &control) const { return !m_greyed.contains(&control); }
    const layout::Control *focus() const { return m_focus; }
    // The focus to the next control in the tab order that takes it, as Tab moves it.
    void focusNext();

    const layout::WindowDescription &description() const { return m_description; }
    bool isOpen() const { return m_open; }
    // A click as the platform handles it: a check box toggles and a radio button checks
    // itself first, then the control's action runs.
    void click(const layout::Control &control);

private:
    const layout::WindowDescription &m_description;
    DialogActions m_actions;
    FakeWindow &m_owner;
    std::map<const layout::Control *, std::u16string> m_texts;
    std::map<const layout::Control *, bool> m_checks;
    std::set<const layout::Control *> m_greyed;
    const layout::Control *m_focus = nullptr;
    bool m_open = true;
};

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
    // A field greyed out while it has the focus passes the focus on, as Tab would.
    void setEnabled(Field field, bool enabled) override;
    std::u16string boardText(Stock stock) const override
    {
        return m_boardTexts[static_cast<std::size_t>(stock)];
    }
    void setBoard(Stock stock, Board board) override
    {
        setBoardText(stock, layout::boardName(board));
    }
    // What typing into the drop-down's edit part leaves there.
    void setBoardText(Stock stock, std::u16string_view text)
    {
        m_boardTexts[static_cast<std::size_t>(stock)] = text;
    }
    void setFeeModelNote(std::u16string_view caption) override { m_feeModelNote = caption; }
    void copyText(std::u16string_view text) override { m_clipboard = text; }
    DialogWindow &openDialog(const layout::WindowDescription &description,
                             DialogActions actions) override;

    bool isEnabled(Field field) const { return m_enabled[indexOf(field)]; }
    const std::u16string &feeModelNote() const { return m_feeModelNote; }
    const std::u16string &clipboard() const { return m_clipboard; }
    // The modal window in front, or none.
    FakeDialog *dialog() { return m_dialog && m_dialog->isOpen() ? m_dialog.get() : nullptr; }
    const FakeDialog *dialog() const
    {
        return m_dialog && m_dialog->isOpen() ? m_dialog.get() : nullptr;
    }

    std::size_t caret(Field field) const { return m_carets[indexOf(field)]; }
    const std::u16string &result() const { return m_result; }
    const layout::Control *focus() const { return m_focus; }
    void setFocusControl(const layout::Control *control) { m_focus = control; }
    // The focus to the next control in the tab order, as Tab moves it.
    void focusNext();

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
    std::array<bool, fieldCount> m_enabled{};
    std::u16string m_feeModelNote;
    std::u16string m_clipboard;
    // What the drop-downs show before the calculator sets them: their text in the window's
    // description, as on the screen.
    std::array<std::u16string, 2> m_boardTexts{
        std::u16string(layout::boardControl(Stock::oldStock).text),
        std::u16string(layout::boardControl(Stock::newStock).text)};
    std::unique_ptr<FakeDialog> m_dialog;
};

} // namespace ostrel::testing
