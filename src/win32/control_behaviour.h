// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

#include <functional>

namespace ostrel::layout {
struct Control;
}

// What the window's controls do beyond Windows' own controls, added to each by subclassing.
namespace ostrel::win32 {

// What an entry field reports: a completed left click, after the field has put the caret
// where the mouse fell, so that whatever the click runs has the last word on the caret;
// Enter; and text newly selected in it, by the mouse, the keys or Tab.
struct FieldEvents {
    std::function<void()> clicked;
    std::function<void()> enter;
    std::function<void()> textSelected;
};

// `events` must outlive the field.
void reportFieldEvents(HWND field, FieldEvents &events);

// Enter on the button while it has the focus runs `enter`, which must outlive the button.
void pressOnEnter(HWND button, std::function<void()> &enter);

// A key of the on-screen keypad: a mouse click presses it without taking the focus from the
// field being typed into. Tab still reaches it.
void pressWithoutFocus(HWND key);

// A frame that paints itself (paintFrame) instead of as the system's group box.
void paintItself(HWND frame, const layout::Control &control);

} // namespace ostrel::win32
