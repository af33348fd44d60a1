// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "state.h"
#include "window.h"

namespace ostrel::core {

// The calculator behind the window: its state and what every action does, driving the window
// only through the `Window` interface. Each action runs to completion before the next event.
class Calculator {
public:
    explicit Calculator(Window &window);

    // Start-up, once the controls exist with their start-up texts: the keypad edits the old
    // price first.
    void startUp();

    // What a click on a control runs, as the window table gives it.
    void perform(const Action &action);

    // The start-calculation button, and Enter in an entry field.
    void calculate();

    Field keypadTarget() const { return m_state.keypadTarget; }

private:
    Window &m_window;
    State m_state;
};

} // namespace ostrel::core
