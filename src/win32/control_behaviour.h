// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "keys.h"
#include "window_description.h"

#include <windows.h>

#include <functional>

// What the window's controls do beyond Windows' own controls, added to each by subclassing.
namespace ostrel::win32 {

// What a subclass does with a control's message before the control's own procedure; it hands
// on what it leaves to the control with DefSubclassProc.
using MessageHandler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Puts `handler` before the control's own procedure until the control is destroyed.
void subclass(HWND control, MessageHandler handler);

// What an entry field reports: a completed left click, after the field has put the caret
// where the mouse fell, so that whatever the click runs has the last word on the caret;
// Enter; and text newly selected in it, by the mouse, the keys or Tab.
struct FieldEvents {
    std::function<void()> clicked;
    std::function<void(const layout::KeyPress &)> enter;
    std::function<void()> textSelected;
};

void reportFieldEvents(HWND field, FieldEvents events);

// A key that went down (WM_KEYDOWN's key and flags), in the terms the layout's rules for keys
// ask about: the modifier keys held down with it, and whether the keyboard repeats a held key.
layout::KeyPress keyPressOf(WPARAM key, LPARAM flags);

// Enter on the button, check box or radio button while it has the focus goes to `enter`
// instead of to the dialog manager.
void pressOnEnter(HWND button, std::function<void(const layout::KeyPress &)> enter);

// A key of the on-screen keypad: a mouse click presses it without taking the focus from the
// field being typed into. Tab still reaches it.
void pressWithoutFocus(HWND key);

// A frame that paints itself (paintFrame) instead of as the system's group box.
void paintItself(HWND frame, const layout::Control &control);

// What a screen reader is told of the window's controls, the Windows way (Microsoft Active
// Accessibility): each control answers with Windows' own accessible object for it, which
// knows its role, state and place, named and described as the accessibility table says.
//
// COM on the window's thread for as long as it lives: a screen reader's requests for the
// controls' accessible objects are answered through it.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment &) = delete;
    ComApartment &operator=(const ComApartment &) = delete;

private:
    bool m_joined;
};

// The control answers WM_GETOBJECT for its client area with Windows' own accessible object,
// named and described by the window description, or by its caption as above. A field's labelled-by
// relation leads to the label with `labelCommandId` (0: none). `control` is the description's,
// which outlives every window.
//
// Windows' Dynamic Annotation (IAccPropServices) would name and describe the standard object
// without this proxy, but carries no labelled-by relation, and Wine answers every one of its
// calls with E_NOTIMPL, so the window could not be tested under Wine.
void answerScreenReaders(HWND handle, const layout::Control &control, int labelCommandId);

} // namespace ostrel::win32
