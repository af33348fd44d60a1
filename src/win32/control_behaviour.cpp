// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "control_behaviour.h"

#include "painting.h"
#include "utf16.h"
#include "wide_text.h"
#include "win32_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

namespace ostrel::win32 {
namespace {

// WM_KEYDOWN's flag of a key already down: the keyboard's repeat of a held key.
constexpr LPARAM keyWasDown = LPARAM{1} << 30;

bool asksForEnter(LPARAM dialogMessage)
{
    const auto *message = reinterpret_cast<const MSG *>(dialogMessage);
    return message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
}

bool isInside(HWND control, LPARAM point)
{
    RECT client{};
    GetClientRect(control, &client);
    const POINT at{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return PtInRect(&client, at) != FALSE;
}

// What a one-line field keeps of a text that reaches it at once: the calculator's one line.
std::wstring keptOf(std::wstring_view text)
{
    return toWide(numbers::oneLineOf(toU16(text)));
}

// A character the field never holds (a line break or a tab) goes nowhere: Enter is handled
// as a key, Tab moves the focus, and a one-line field would only beep.
bool isKept(WPARAM character)
{
    const auto typed = static_cast<char16_t>(character);
    return !numbers::oneLineOf({&typed, 1}).empty();
}

// Pastes the clipboard's text over the selection, as the field's own paste does, but through
// EM_REPLACESEL, which keeps only its first line.
void pasteOneLine(HWND field)
{
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT))
        return;
    if (const auto pasted = clipboardText(field))
        SendMessageW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(toWide(*pasted).c_str()));
}

// Enter while the control has the focus goes to `enter`, not to the dialog manager's default
// button; none for every other message.
std::optional<LRESULT> takeEnter(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                 const std::function<void(const layout::KeyPress &)> &enter)
{
    if (message == WM_GETDLGCODE && asksForEnter(lParam))
        return DefSubclassProc(control, message, wParam, lParam) | DLGC_WANTMESSAGE;
    if (message != WM_KEYDOWN || wParam != VK_RETURN)
        return std::nullopt;
    enter(keyPressOf(wParam, lParam));
    return 0;
}

// Held for as long as it runs, as the control it serves may be destroyed meanwhile (a dialog
// closed by Enter), and until the control is destroyed.
using HeldHandler = std::shared_ptr<const MessageHandler>;

LRESULT CALLBACK subclassProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data)
{
    auto *held = reinterpret_cast<HeldHandler *>(data);
    if (message != WM_NCDESTROY) {
        const HeldHandler running = *held;
        return (*running)(control, message, wParam, lParam);
    }
    RemoveWindowSubclass(control, subclassProcedure, id);
    delete held;
    return DefSubclassProc(control, message, wParam, lParam);
}

// The notification every push button sends its parent when it is clicked.
void sendClicked(HWND button)
{
    const auto id = static_cast<WORD>(GetDlgCtrlID(button));
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
    bool operator==(const Selection &) const = default;
};

// Asked of the field's own procedure, past this subclass.
Selection selectionOf(HWND field)
{
    Selection selection;
    DefSubclassProc(field, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
                    reinterpret_cast<LPARAM>(&selection.end));
    return selection;
}

// The messages by which the user selects text in a field: the mouse, the keys, and the
// dialog manager's selecting of the whole text when Tab moves the focus in.
bool maySelect(UINT message)
{
    constexpr UINT selecting[]{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_MOUSEMOVE,
                               WM_KEYDOWN,     WM_CHAR,          EM_SETSEL};
    return std::ranges::find(selecting, message) != std::end(selecting);
}

LRESULT fieldMessage(const FieldEvents &events, HWND field, UINT message, WPARAM wParam,
                     LPARAM lParam)
{
    if (const auto taken = takeEnter(field, message, wParam, lParam, events.enter))
        return *taken;
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        if (!isKept(wParam))
            return 0;
        break;
    case EM_REPLACESEL:
        // Typed at once by an input method, or pasted: the caret ends after what is kept.
        if (lParam) {
            const std::wstring kept = keptOf(reinterpret_cast<const wchar_t *>(lParam));
            return DefSubclassProc(field, message, wParam, reinterpret_cast<LPARAM>(kept.c_str()));
        }
        break;
    case WM_PASTE:
        pasteOneLine(field);
        return 0;
    case WM_LBUTTONUP: {
        const LRESULT placed = DefSubclassProc(field, message, wParam, lParam);
        if (isInside(field, lParam))
            events.clicked();
        return placed;
    }
    // The field's sunken border, all there is of it outside its text (whatever part the hit
    // test names it: Wine says nowhere), is part of its place in the window, where a click
    // chooses the field as a click on its text does; Windows would let it pass unnoticed.
    case WM_NCLBUTTONDOWN:
        SetFocus(field);
        return 0;
    case WM_NCLBUTTONUP:
        events.clicked();
        return 0;
    default:
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT fieldProcedure(const FieldEvents &events, HWND field, UINT message, WPARAM wParam,
                       LPARAM lParam)
{
    if (!maySelect(message))
        return fieldMessage(events, field, message, wParam, lParam);
    const Selection before = selectionOf(field);
    const LRESULT result = fieldMessage(events, field, message, wParam, lParam);
    const Selection after = selectionOf(field);
    if (!layout::keepsCaptionSelection(after.start != after.end) && after != before &&
        events.textSelected)
        events.textSelected();
    return result;
}

LRESULT enterProcedure(const std::function<void(const layout::KeyPress &)> &enter, HWND button,
                       UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto taken = takeEnter(button, message, wParam, lParam, enter);
    return taken ? *taken : DefSubclassProc(button, message, wParam, lParam);
}

// The button's own mouse handling, less the focus it takes on the press.
LRESULT keyProcedure(HWND key, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetCapture(key);
        SendMessageW(key, BM_SETSTATE, TRUE, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == key)
            SendMessageW(key, BM_SETSTATE, isInside(key, lParam), 0);
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() == key) {
            ReleaseCapture();
            if (isInside(key, lParam))
                sendClicked(key);
        }
        return 0;
    case WM_CAPTURECHANGED:
        SendMessageW(key, BM_SETSTATE, FALSE, 0);
        return 0;
    default:
        break;
    }
    return DefSubclassProc(key, message, wParam, lParam);
}

LRESULT frameProcedure(const layout::Control &control, HWND frame, UINT message, WPARAM wParam,
                       LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(frame, &paint);
        paintFrame(frame, dc, control);
        EndPaint(frame, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return TRUE; // painted with the face
    default:
        break;
    }
    return DefSubclassProc(frame, message, wParam, lParam);
}

} // namespace

void subclass(HWND control, MessageHandler handler)
{
    auto *held = new HeldHandler(std::make_shared<const MessageHandler>(std::move(handler)));
    // The handler's address tells apart the subclasses of one control.
    SetWindowSubclass(control, subclassProcedure, reinterpret_cast<UINT_PTR>(held),
                      reinterpret_cast<DWORD_PTR>(held));
}

void reportFieldEvents(HWND field, FieldEvents events)
{
    subclass(field, std::bind_front(fieldProcedure, std::move(events)));
}

layout::KeyPress keyPressOf(WPARAM key, LPARAM flags)
{
    const auto isDown = [](int modifier) { return GetKeyState(modifier) < 0; };
    layout::KeyPress press;
    // The virtual-key code of a letter is its capital.
    constexpr std::pair<WPARAM, layout::KeyName> names[]{{VK_RETURN, layout::KeyName::enter},
                                                         {VK_ESCAPE, layout::KeyName::escape},
                                                         {'C', layout::KeyName::letterC},
                                                         {VK_INSERT, layout::KeyName::insert}};
    for (const auto &[code, name] : names) {
        if (code == key)
            press.key = name;
    }
    press.control = isDown(VK_CONTROL);
    press.shift = isDown(VK_SHIFT);
    press.alt = isDown(VK_MENU);
    press.logo = isDown(VK_LWIN) || isDown(VK_RWIN);
    press.repeated = (flags & keyWasDown) != 0;
    return press;
}

void pressOnEnter(HWND button, std::function<void(const layout::KeyPress &)> enter)
{
    subclass(button, std::bind_front(enterProcedure, std::move(enter)));
}

void pressWithoutFocus(HWND key)
{
    subclass(key, keyProcedure);
}

void paintItself(HWND frame, const layout::Control &control)
{
    subclass(frame, std::bind_front(frameProcedure, std::cref(control)));
}

} // namespace ostrel::win32
