// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "backend.h"
#include "calculator.h"
#include "fake_window.h"
#include "memory_store.h"

namespace ostrel::testing {

// Plays a scenario against the calculator, with the test double standing in for the window
// and doing what the desktop does around each click: a click on a field or a button gives it
// the focus first, except the keypad keys, which never take the focus from the field being
// typed into, and a click on a field puts its caret where the mouse fell, before the text.
class CoreBackend : public Backend {
public:
    explicit CoreBackend(MessageSink sink = {});

    void type(Field field, std::u16string_view text) override;
    void paste(Field field, std::u16string_view text) override;
    void click(const layout::Control &control) override;
    void clickAt(int x, int y) override;
    void tab() override;
    void enter() override;
    void escape() override;
    void chooseBoard(Stock stock, Board board) override;
    void typeBoard(Stock stock, std::u16string_view text) override;
    const layout::WindowDescription *openDialog() const override;
    void typeInto(const layout::Control &textBox, std::u16string_view text) override;
    bool isChecked(const layout::Control &control) const override;
    std::u16string clipboard() const override { return m_window.clipboard(); }
    void storeText(std::string_view key, std::u16string_view text) override;
    void reloadSettings() override { m_calculator.loadSettings(); }

    std::u16string text(Field field) const override { return m_window.text(field); }
    std::u16string result() const override { return m_window.result(); }
    std::u16string boardText(Stock stock) const override { return m_window.boardText(stock); }
    Field keypadTarget() const override { return m_calculator.keypadTarget(); }
    // While a modal window is open, no control of the main window has the focus.
    const layout::Control *focus() const override
    {
        return m_window.dialog() ? nullptr : m_window.focus();
    }
    std::size_t caret(Field field) const override { return m_window.caret(field); }
    // The window as the table creates it, with the texts the calculator has written since.
    WindowView describe() const override;
    // The names and descriptions of the accessibility table; the result line's description is
    // the caption it shows.
    std::vector<AccessibleView> accessible() const override;

    const core::Calculator &calculator() const { return m_calculator; }
    // For what only the keyboard does, such as Enter in an entry field.
    core::Calculator &calculator() { return m_calculator; }
    const FakeWindow &window() const { return m_window; }
    // For states no user can reach through the window, such as a filled hidden field.
    FakeWindow &window() { return m_window; }

    MemoryStore &store() { return m_store; }

private:
    bool isGreyed(const layout::Control &control) const;

    MemoryStore m_store;
    FakeWindow m_window;
    core::Calculator m_calculator;
};

} // namespace ostrel::testing
