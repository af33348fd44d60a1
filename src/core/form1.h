#pragma once

#include "form/state.h"
#include "runtime/window.h"

#include <string_view>

namespace ostrel {

// The window's behaviour: its state and the handler of every control, bound to a window
// through the `Window` interface. Each handler runs to completion before the next event.
class Form1 {
public:
    explicit Form1(Window &window);

    // Start-up, once the controls exist with their start-up texts.
    void load();

    // A click on a control named as in the window table ("Command3(5)" for a keypad key).
    // Returns false when the control has no click handler, which leaves everything as it was.
    bool click(std::string_view control);

    void fieldClick(Field field);
    void keypadPress(int key);
    void resetAll();
    void resetOldStock();
    void resetNewStock();
    void startCalculation();
    void showInstructions();

    const form::State &state() const { return m_state; }

private:
    Window &m_window;
    form::State m_state;
};

} // namespace ostrel
