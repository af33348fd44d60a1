// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

#include "drawing.h"
#include "own_colours.h"
#include "stacking.h"
#include "wide_text.h"
#include "window_table.h"

#include <commctrl.h>

#include <algorithm>

namespace ostrel::win32 {
namespace {

struct Creation {
    const wchar_t *windowClass;
    DWORD style;
    DWORD exStyle;
};

DWORD labelStyle(const layout::WindowDescription &window, const layout::Control &label)
{
    if (layout::isCaptionDrawnByWindow(window, label))
        return SS_OWNERDRAW;
    return SS_NOPREFIX | (window.captionWraps(label) ? SS_LEFT : SS_LEFTNOWORDWRAP);
}

Creation creationOf(const layout::WindowDescription &window, const layout::Control &control)
{
    switch (control.kind) {
    case layout::Kind::label:
        return {WC_STATICW, labelStyle(window, control), 0};
    case layout::Kind::textBox:
        return {WC_EDITW, WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case layout::Kind::frame:
        return {WC_BUTTONW, BS_GROUPBOX, 0};
    case layout::Kind::checkBox:
        return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case layout::Kind::radioButton:
        // Its group, for the arrow keys: stack. Tab reaches the checked one.
        return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case layout::Kind::dropDown:
        // Its edit part scrolls, so that a text wider than it can still be typed.
        return {WC_COMBOBOXW, WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case layout::Kind::button:
        break;
    }
    return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
}

bool isRadio(const layout::Control *control)
{
    return control && control->kind == layout::Kind::radioButton;
}

// The closed drop-down is as tall as its edit part and its borders: the edit part's height
// makes it `height`, once the borders' share is known. Windows and Wine each have their own,
// and Wine reports a height other than the one it was given.
void fitClosedHeight(HWND list, int height)
{
    const auto edit = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), edit);
    RECT place{};
    GetWindowRect(list, &place);
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 edit + height - (place.bottom - place.top));
}

} // namespace

Controls::Controls(HWND window, const layout::WindowDescription &description, Perform perform)
    : m_parent(window)
    , m_window(description)
    , m_perform(std::move(perform))
{
    m_handles.reserve(m_window.controls().size());
    m_selectable.resize(m_window.controls().size());
    for (const layout::Control &control : m_window.controls()) {
        HWND created = create(control, window);
        m_handles.push_back(created);
        bind(control, created);
        // A combo box shows no caption of its own: its item of that name.
        if (control.kind == layout::Kind::dropDown)
            setText(control, control.text);
    }
    stack();
}

HWND Controls::create(const layout::Control &control, HWND window)
{
    const Creation how = creationOf(m_window, control);
    const DWORD shown = control.visible ? WS_VISIBLE : 0;
    const int id = commandIdOf(control);
    // Every control clips its neighbours, so that the one above is drawn last.
    HWND created = CreateWindowExW(how.exStyle, how.windowClass, toWide(control.text).c_str(),
                                   WS_CHILD | WS_CLIPSIBLINGS | shown | how.style, 0, 0, 0, 0,
                                   window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control.kind == layout::Kind::textBox) {
        SendMessageW(created, EM_SETLIMITTEXT, layout::maxTextLength, 0);
        // The caret after the start-up text, where writing a text leaves it (Window::setText).
        const std::size_t end = control.text.size();
        SendMessageW(created, EM_SETSEL, end, static_cast<LPARAM>(end));
    }
    for (const std::u16string_view item : layout::itemsOf(control))
        SendMessageW(created, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
    return created;
}

void Controls::bind(const layout::Control &control, HWND handle)
{
    const layout::Control *label = m_window.labelledBy(control);
    answerScreenReaders(handle, control, label ? commandIdOf(*label) : 0);
    const bool isList = control.kind == layout::Kind::dropDown;
    const Action onClick = isList ? Action{NoAction{}} : control.action;
    // Enter runs what the description says for the control, or nothing.
    const auto onEnter = [this, &control](const layout::KeyPress &press) {
        if (const std::optional<Action> action = layout::enterAction(control, press))
            m_perform(*action);
    };
    if (control.kind == layout::Kind::textBox || isList) {
        // A drop-down's edit part is a field inside it, which a screen reader announces as the
        // drop-down. A click there only places the caret: what is typed is taken when the
        // typing is done, on Return, which closes the list first if it is open.
        HWND field = isList ? editPartOf(handle) : handle;
        if (isList)
            answerScreenReaders(field, control, 0);
        // Text selected in a field after a caption's is what the user means to copy next.
        reportFieldEvents(field, {[this, onClick] { m_perform(onClick); },
                                  [onEnter, handle, isList](const layout::KeyPress &press) {
                                      if (isList)
                                          SendMessageW(handle, CB_SHOWDROPDOWN, FALSE, 0);
                                      onEnter(press);
                                  },
                                  [this] {
                                      for (const auto &selectable : m_selectable) {
                                          if (selectable)
                                              selectable->clearSelection();
                                      }
                                  }});
    } else if (control.selectableText) {
        m_selectable[m_window.positionOf(control)] = std::make_unique<SelectableText>(handle);
    } else if (layout::isFrameDrawnByWindow(control)) {
        paintItself(handle, control);
    } else if (control.kind == layout::Kind::button || control.kind == layout::Kind::checkBox ||
               isRadio(&control)) {
        pressOnEnter(handle, onEnter);
        if (control.kind == layout::Kind::button && control.keepsFocusWhereItIs)
            pressWithoutFocus(handle);
    }
}

void Controls::stack()
{
    HWND above = HWND_TOP;
    for (const layout::Control *control : layout::stackingOrder(m_window)) {
        HWND handle = this->handle(*control);
        SetWindowPos(handle, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = handle;
    }
    // The radio buttons of a container are one group, as the dialog manager knows groups, so
    // that the arrow keys move among them alone.
    for (const layout::Control *control : layout::groupStarts(m_window)) {
        HWND handle = this->handle(*control);
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle, GWL_STYLE));
        SetWindowLongPtrW(handle, GWL_STYLE, static_cast<LONG_PTR>(style | WS_GROUP));
    }
}

void Controls::setText(const layout::Control &control, std::u16string_view text) const
{
    HWND target = handle(control);
    if (control.kind == layout::Kind::dropDown) {
        const LRESULT item = SendMessageW(target, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(toWide(text).c_str()));
        SendMessageW(target, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        return;
    }
    if (control.kind == layout::Kind::textBox) {
        const std::wstring shown = toWide(text.substr(0, layout::maxTextLength));
        SetWindowTextW(target, shown.c_str());
        SendMessageW(target, EM_SETSEL, shown.size(), static_cast<LPARAM>(shown.size()));
        return;
    }
    SetWindowTextW(target, toWide(text).c_str());
    if (layout::isCaptionDrawnByWindow(m_window, control))
        InvalidateRect(target, nullptr, TRUE);
    if (layout::isDescribedByItsCaption(control))
        NotifyWinEvent(EVENT_OBJECT_DESCRIPTIONCHANGE, target, OBJID_CLIENT, CHILDID_SELF);
}

void Controls::setEnabled(const layout::Control &control, bool enabled) const
{
    HWND target = handle(control);
    // A control greyed out while it has the focus passes the focus on, as Tab would: Windows
    // would leave it on a control that takes no keys. A disabled edit control keeps its text,
    // greyed; assistive technology reads its description for that state when it asks.
    if (!enabled && GetFocus() == target)
        SendMessageW(GetParent(target), WM_NEXTDLGCTL, 0, FALSE);
    EnableWindow(target, enabled ? TRUE : FALSE);
}

bool Controls::isChecked(const layout::Control &control) const
{
    return SendMessageW(handle(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Controls::setChecked(const layout::Control &control, bool checked)
{
    if (checked && isRadio(&control)) {
        for (const layout::Control &other : m_window.controls()) {
            if (isRadio(&other) && other.container == control.container && &other != &control)
                SendMessageW(handle(other), BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
    SendMessageW(handle(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND Controls::nextTabStop(HWND from, bool backwards) const
{
    const layout::ControlStates states{
        [this](const layout::Control &control) { return IsWindowEnabled(handle(control)) != 0; },
        [this](const layout::Control &control) { return isChecked(control); }};
    const layout::Control *next = m_window.nextTabStop(controlOf(from), states, backwards);
    return next ? handle(*next) : nullptr;
}

const layout::Control *Controls::controlOf(HWND handle) const
{
    auto found = std::find(m_handles.begin(), m_handles.end(), handle);
    // The edit part of a drop-down, a window inside it, is the drop-down's.
    if (found == m_handles.end())
        found = std::find(m_handles.begin(), m_handles.end(), GetAncestor(handle, GA_PARENT));
    if (!handle || found == m_handles.end())
        return nullptr;
    return &m_window.controls()[static_cast<std::size_t>(found - m_handles.begin())];
}

SelectableText *Controls::selectableText(const layout::Control &control) const
{
    return m_selectable[m_window.positionOf(control)].get();
}

bool Controls::copySelectedText(const layout::KeyPress &press) const
{
    return std::any_of(m_selectable.begin(), m_selectable.end(), [&press](const auto &selectable) {
        return selectable && layout::copiesCaptionSelection(press, selectable->hasSelection()) &&
               selectable->copy();
    });
}

layout::CloseAnswer Controls::answerClose(layout::CloseRequest request,
                                          const layout::KeyPress &press)
{
    const layout::WindowRole role =
        &m_window == &layout::mainWindow() ? layout::WindowRole::main : layout::WindowRole::modal;
    const layout::CloseAnswer answer = layout::answerTo(request, role, press);
    if (answer == layout::CloseAnswer::closeDialog)
        m_perform(CloseDialog{});
    return answer;
}

void Controls::place(unsigned dpi)
{
    m_dpi = dpi;
    for (const layout::Control &control : m_window.controls()) {
        HWND handle = this->handle(control);
        const layout::Rect place = m_window.clientPixels(control);
        const int height = scaled(place.height, dpi);
        // A drop-down's height is its list's too, dropped: a line for each item below its own.
        const auto lines = static_cast<int>(layout::itemsOf(control).size()) + 1;
        SetWindowPos(handle, nullptr, scaled(place.left, dpi), scaled(place.top, dpi),
                     scaled(place.width, dpi), height * lines, SWP_NOZORDER | SWP_NOACTIVATE);
        if (HFONT font = m_fonts.font(control.font, dpi))
            SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (control.kind == layout::Kind::dropDown)
            fitClosedHeight(handle, height);
    }
    m_fonts.keepOnly(dpi);
}

void Controls::command(WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDCANCEL: // Escape, as the dialog manager reports it: the keys held are held still
        if (answerClose(layout::CloseRequest::escape, keyPressOf(VK_ESCAPE, 0)) ==
            layout::CloseAnswer::close)
            SendMessageW(m_parent, WM_CLOSE, 0, 0);
        return;
    case IDOK: // Enter on a control that does not take it, which runs nothing
        return;
    default:
        break;
    }
    const int position = LOWORD(wParam) - firstCommandId;
    const auto all = m_window.controls();
    if (position < 0 || static_cast<std::size_t>(position) >= all.size())
        return;
    const layout::Control &control = all[static_cast<std::size_t>(position)];
    const WORD code = HIWORD(wParam);
    if (control.kind == layout::Kind::dropDown) {
        // Windows writes an item chosen into the edit part, over what was typed, only after
        // telling the choice. Typing is done when the focus moves on to another of the
        // window's controls, not to a message box or another program.
        HWND list = handle(control);
        const LRESULT chosen = SendMessageW(list, CB_GETCURSEL, 0, 0);
        if (code == CBN_SELENDOK && chosen != CB_ERR)
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
        if (code == CBN_SELENDOK || (code == CBN_KILLFOCUS && controlOf(GetFocus()) &&
                                     SendMessageW(editPartOf(list), EM_GETMODIFY, 0, 0)))
            m_perform(control.action);
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (control.kind) {
    case layout::Kind::radioButton:
        // Windows has checked it and unchecked the others of its group; those of its
        // container go too, wherever they stand.
        setChecked(control, true);
        m_perform(control.action);
        break;
    case layout::Kind::button:
    case layout::Kind::checkBox: // Windows has ticked or cleared it
        m_perform(control.action);
        break;
    case layout::Kind::label:
    case layout::Kind::textBox:
    case layout::Kind::frame:
    case layout::Kind::dropDown:
        break;
    }
}

std::optional<HBRUSH> Controls::colours(HDC dc, HWND handle)
{
    const layout::Control *control = controlOf(handle);
    if (!control || layout::usesSystemColours(*control))
        return std::nullopt;
    const ControlColours colours = coloursOf(*control);
    SetTextColor(dc, colours.foreground);
    SetBkColor(dc, colours.background);
    return m_brushes.brush(colours.background);
}

std::optional<LRESULT> Controls::answerCommonMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        command(wParam);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const auto brush =
                colours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(*brush);
        break;
    case WM_NEXTDLGCTL:
        // Tab and Shift+Tab, and a control greyed out with the focus, move the focus on in the
        // description's tab order; the dialog manager only gives it.
        if (LOWORD(lParam) == FALSE) {
            if (HWND next = nextTabStop(GetFocus(), wParam != 0))
                return DefDlgProcW(m_parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
            return 0;
        }
        break;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(m_brushes.brush(windowBackground(m_window.look())));
    case WM_DRAWITEM:
        if (draw(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam)))
            return TRUE;
        break;
    default:
        break;
    }
    return std::nullopt;
}

bool Controls::draw(const DRAWITEMSTRUCT &item)
{
    const layout::Control *control = controlOf(item.hwndItem);
    if (!control || !layout::isCaptionDrawnByWindow(m_window, *control))
        return false;
    paintLabel(item, m_window, *control, m_dpi);
    return true;
}

} // namespace ostrel::win32
