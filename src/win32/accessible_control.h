// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <windows.h>

namespace ostrel::layout {
struct Control;
}

// What a screen reader is told of the window's controls, the Windows way (Microsoft Active
// Accessibility): each control answers with Windows' own accessible object for it, which
// knows its role, state and place, named and described as the accessibility table says.
namespace ostrel::win32 {

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
