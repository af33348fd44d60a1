// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "detail.h"
#include "fee_schedule.h"
#include "settings_store.h"
#include "state.h"
#include "transfer.h"
#include "window.h"

#include <optional>

namespace ostrel::core {

// The calculator behind the window: its state and what every action does, driving the window
// only through the `Window` interface. Each action runs to completion before the next event.
class Calculator {
public:
    // The fee settings are read from `store` at start-up and written to it on 确定.
    Calculator(Window &window, SettingsStore &store);

    // Start-up, once the controls exist with their start-up texts: the keypad edits the old
    // price first, and the fee settings come from the store.
    void startUp();

    // Reads the fee settings from the store, as at start-up.
    void loadSettings();

    // What a click on a control runs, as the window table gives it; the actions of a modal
    // window reach it the same way. While a modal window is open the main window takes no
    // input.
    void perform(const Action &action);

    // The start-calculation button, and Enter in an entry field.
    void calculate();

    Field keypadTarget() const { return m_state.keypadTarget; }
    const Boards &boards() const { return m_state.boards; }
    const FeeSettings &feeSettings() const { return m_settings; }
    // The detail of the answer the result line shows; none before any answer and after a
    // reset.
    std::optional<Detail> detail() const;

private:
    bool isGreyed(Field field) const;
    void chooseBoard(Stock stock);
    void resetBoards(ResetGroup group);
    void openFeeSettings();
    void showDetail();
    void fillFeeSettings(const FeeSettings &settings);
    void showMinimumUsable();
    FeeSettings feeSettingsShown() const;
    void acceptFeeSettings();
    void closeDialog();
    void showFeeModel();

    Window &m_window;
    SettingsStore &m_store;
    State m_state;
    FeeSettings m_settings;
    std::optional<Answer> m_answer;      // the answer the result line shows
    std::optional<Detail> m_shownDetail; // the detail in the open detail window
    DialogWindow *m_dialog = nullptr;    // the modal window open in front, if any
};

} // namespace ostrel::core
