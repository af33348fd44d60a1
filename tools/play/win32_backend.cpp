// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "win32_backend.h"

#include "controls.h"
#include "line_ends.h"
#include "main_window.h"
#include "painting.h"
#include "utf8.h"
#include "wide_text.h"
#include "win32_window.h"
#include "window_table.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <ostream>
#include <utility>

namespace ostrel::play {
namespace {

// How often the player looks for a message box while an action runs, in milliseconds.
constexpr UINT messageBoxPollMs = 5;
// Where a click on a field falls: inside its text, away from its end.
constexpr int fieldClickX = 3;
// The id Windows gives the text of a message box.
constexpr int messageTextId = 0xFFFF;
constexpr wchar_t dialogClass[] = L"#32770";

// The backend whose action is running; the message box timer has no other way to it.
Win32Backend *running = nullptr;

void CALLBACK pollMessageBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (running)
        running->answerMessageBox();
}

LPARAM pointParameter(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

POINT centreOf(const RECT &place)
{
    return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

// A drop-down's button, in its client area, and its list.
COMBOBOXINFO partsOf(HWND dropDown)
{
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    GetComboBoxInfo(dropDown, &parts);
    return parts;
}

// A message box is owned by the main window or by the modal window in front of it.
struct BoxSearch {
    HWND owner;
    HWND dialog; // none while no modal window is open
    HWND found = nullptr;
};

BOOL CALLBACK findBox(HWND candidate, LPARAM data)
{
    auto &search = *reinterpret_cast<BoxSearch *>(data);
    wchar_t name[sizeof(dialogClass) / sizeof(wchar_t) + 1]{};
    GetClassNameW(candidate, name, static_cast<int>(std::size(name)));
    const HWND owner = GetWindow(candidate, GW_OWNER);
    if (std::wstring_view(name) != dialogClass || !IsWindowVisible(candidate) ||
        (owner != search.owner && (!search.dialog || owner != search.dialog)))
        return TRUE;
    search.found = candidate;
    return FALSE;
}

// The control of the window a click at a client pixel reaches: the topmost shown one there
// that does not let clicks through (captions and frames do), or else the window itself.
HWND hitTest(HWND window, POINT client)
{
    POINT screen = client;
    ClientToScreen(window, &screen);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place{};
        GetWindowRect(child, &place);
        if (!IsWindowVisible(child) || !PtInRect(&place, screen))
            continue;
        // A greyed-out control takes no click: Windows hands it to the window.
        if (!IsWindowEnabled(child))
            return window;
        if (SendMessageW(child, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTTRANSPARENT)
            return child;
    }
    return window;
}

layout::Kind kindOf(HWND control)
{
    wchar_t name[16]{};
    GetClassNameW(control, name, static_cast<int>(std::size(name)));
    if (CompareStringOrdinal(name, -1, WC_EDITW, -1, TRUE) == CSTR_EQUAL)
        return layout::Kind::textBox;
    if (CompareStringOrdinal(name, -1, WC_COMBOBOXW, -1, TRUE) == CSTR_EQUAL)
        return layout::Kind::dropDown;
    if (CompareStringOrdinal(name, -1, WC_BUTTONW, -1, TRUE) == CSTR_EQUAL) {
        switch (static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)) & BS_TYPEMASK) {
        case BS_GROUPBOX:
            return layout::Kind::frame;
        case BS_AUTOCHECKBOX:
            return layout::Kind::checkBox;
        case BS_AUTORADIOBUTTON:
            return layout::Kind::radioButton;
        default:
            return layout::Kind::button;
        }
    }
    return layout::Kind::label;
}

// The place of a control in the window's client area, in pixels at 96 dots per inch.
layout::Rect clientPlace(HWND window, HWND control, unsigned dpi)
{
    RECT place{};
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&place), 2);
    return {win32::unscaled(place.left, dpi), win32::unscaled(place.top, dpi),
            win32::unscaled(place.right - place.left, dpi),
            win32::unscaled(place.bottom - place.top, dpi)};
}

// The face the control asks for, by the name its font was made with, in points at the
// window's resolution; none for a control that keeps the system's font.
void readFont(HWND control, unsigned dpi, testing::ControlView &seen)
{
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    LOGFONTW made{};
    if (!font || !GetObjectW(font, sizeof(made), &made))
        return;
    constexpr double pointsPerInch = 72.0;
    seen.face = win32::toU16(made.lfFaceName);
    seen.points = -made.lfHeight * pointsPerInch / dpi;
    seen.bold = made.lfWeight >= FW_BOLD;
}

// A text a screen reader was handed, freed once copied.
std::u16string takeText(BSTR text)
{
    std::u16string copied;
    if (text) {
        copied = win32::toU16({text, SysStringLen(text)});
        SysFreeString(text);
    }
    return copied;
}

// The registry's name of a value, from a store's key in UTF-8.
std::wstring valueName(std::string_view key)
{
    return win32::toWide(fromUtf8(key));
}

} // namespace

std::wstring freshSettings(std::wstring_view key)
{
    std::wstring path(key);
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return path;
}

namespace {

layout::TablePart tablePartOf(LONG role)
{
    switch (role) {
    case ROLE_SYSTEM_COLUMNHEADER:
        return layout::TablePart::columnHeader;
    case ROLE_SYSTEM_ROWHEADER:
        return layout::TablePart::rowHeader;
    case ROLE_SYSTEM_CELL:
        return layout::TablePart::cell;
    default:
        return layout::TablePart::none;
    }
}

} // namespace

AccessibleText accessibleText(HWND control)
{
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))) ||
        !object)
        return {};
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    AccessibleText told;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(self, &text)))
        told.name = takeText(text);
    text = nullptr;
    if (SUCCEEDED(object->get_accDescription(self, &text)))
        told.description = takeText(text);
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(self, &role)) && role.vt == VT_I4)
        told.tablePart = tablePartOf(role.lVal);
    VARIANT state{};
    if (SUCCEEDED(object->get_accState(self, &state)) && state.vt == VT_I4)
        told.invisible = (state.lVal & STATE_SYSTEM_INVISIBLE) != 0;
    constexpr LONG labelledByRelation = 0x1003; // as screen readers ask for it
    VARIANT label{};
    if (object->accNavigate(labelledByRelation, self, &label) == S_OK) {
        IAccessible *labelObject = nullptr;
        if (label.vt == VT_DISPATCH && label.pdispVal &&
            SUCCEEDED(label.pdispVal->QueryInterface(__uuidof(IAccessible),
                                                     reinterpret_cast<void **>(&labelObject)))) {
            WindowFromAccessibleObject(labelObject, &told.labelledBy);
            labelObject->Release();
        }
        VariantClear(&label);
    }
    object->Release();
    return told;
}

Win32Backend::Win32Backend(win32::MainWindow &window, MessageSink sink)
    : m_window(window)
    , m_sink(std::move(sink))
{
}

Win32Backend::~Win32Backend()
{
    if (running == this)
        running = nullptr;
}

void Win32Backend::type(Field field, std::u16string_view text)
{
    HWND edit = m_window.controls().field(field);
    // Tab never reaches a greyed-out field.
    if (IsWindowEnabled(edit))
        typeOver(edit, edit, text);
}

void Win32Backend::typeOver(HWND control, HWND edit, std::u16string_view text)
{
    const std::wstring typed = win32::toWide(text);
    perform([&] {
        SendMessageW(GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
    });
}

void Win32Backend::paste(Field field, std::u16string_view text)
{
    HWND edit = m_window.controls().field(field);
    if (!IsWindowEnabled(edit))
        return;
    const std::wstring pasted = win32::toWide(text);
    // The text on the clipboard as Unicode, as any program copies it.
    if (OpenClipboard(m_window.handle())) {
        EmptyClipboard();
        const std::size_t bytes = (pasted.size() + 1) * sizeof(wchar_t);
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
            std::copy_n(pasted.c_str(), pasted.size() + 1,
                        static_cast<wchar_t *>(GlobalLock(memory)));
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_UNICODETEXT, memory))
                GlobalFree(memory);
        }
        CloseClipboard();
    }
    perform([&] {
        SendMessageW(m_window.handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        SendMessageW(edit, WM_PASTE, 0, 0);
    });
}

const win32::Controls &Win32Backend::activeControls() const
{
    if (const win32::Win32Dialog *dialog = m_window.window().dialog())
        return dialog->controls();
    return m_window.controls();
}

void Win32Backend::click(const layout::Control &control)
{
    HWND handle = activeControls().handle(control);
    HWND window = GetParent(handle);
    RECT inside{};
    GetClientRect(handle, &inside);
    POINT point = centreOf(inside);
    if (control.kind == layout::Kind::textBox)
        point.x = fieldClickX;
    // A click on a drop-down falls on its button.
    if (control.kind == layout::Kind::dropDown)
        point = centreOf(partsOf(handle).rcButton);
    POINT screen = point;
    ClientToScreen(handle, &screen);
    // Captions and frames let a click through to the window under them, whatever lies
    // inside them, and Windows hands a click on a greyed-out control to the window.
    if (!IsWindowEnabled(handle) ||
        SendMessageW(handle, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) == HTTRANSPARENT) {
        MapWindowPoints(handle, window, &point, 1);
        handle = window;
    }
    clickOn(handle, point);
}

void Win32Backend::clickAt(int x, int y)
{
    const unsigned dpi = win32::dpiOf(m_window.handle());
    HWND window = m_window.handle();
    POINT point{win32::scaled(x, dpi), win32::scaled(y, dpi)};
    HWND target = hitTest(window, point);
    MapWindowPoints(window, target, &point, 1);
    clickOn(target, point);
}

void Win32Backend::clickOn(HWND target, POINT local, bool leaveListOpen)
{
    // Outside a control's client area, on its border, the mouse sends the non-client messages
    // with the part hit and the point on the screen, as Windows does.
    POINT screen = local;
    ClientToScreen(target, &screen);
    const LRESULT part = SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
    const bool isControl = GetAncestor(target, GA_ROOT) != target;
    perform([&] {
        if (part != HTCLIENT && part != HTTRANSPARENT && isControl) {
            SendMessageW(target, WM_NCLBUTTONDOWN, static_cast<WPARAM>(part),
                         MAKELPARAM(screen.x, screen.y));
            SendMessageW(target, WM_NCLBUTTONUP, static_cast<WPARAM>(part),
                         MAKELPARAM(screen.x, screen.y));
            return;
        }
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, pointParameter(local));
        SendMessageW(target, WM_LBUTTONUP, 0, pointParameter(local));
    });
    // A click on a drop-down's button opens its list, which a click on the button again closes,
    // the drop-down keeping its choice and the focus.
    if (!leaveListOpen && kindOf(target) == layout::Kind::dropDown &&
        SendMessageW(target, CB_GETDROPPEDSTATE, 0, 0))
        clickOn(target, local);
}

void Win32Backend::tab()
{
    press(VK_TAB);
}

void Win32Backend::enter()
{
    press(VK_RETURN);
}

void Win32Backend::escape()
{
    press(VK_ESCAPE);
}

void Win32Backend::press(WORD key, bool extended)
{
    HWND focus = GetFocus();
    HWND target = focus ? focus : m_window.handle();
    // A key press as the keyboard posts it: repeat count 1 (and the flag of the keys beside
    // the main block), then the release.
    constexpr LPARAM pressed = 1;
    constexpr LPARAM released = 0xC0000001;
    constexpr LPARAM extendedKey = 0x01000000;
    const LPARAM flags = extended ? extendedKey : 0;
    perform([&] {
        PostMessageW(target, WM_KEYDOWN, key, pressed | flags);
        PostMessageW(target, WM_KEYUP, key, released | flags);
        win32::handlePendingMessages(m_window.handle());
    });
}

const layout::WindowDescription *Win32Backend::openDialog() const
{
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    return dialog ? &dialog->description() : nullptr;
}

void Win32Backend::typeInto(const layout::Control &textBox, std::u16string_view text)
{
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    HWND edit = dialog ? dialog->controls().handle(textBox) : nullptr;
    // A greyed box takes no input, as in the main window.
    if (edit && IsWindowEnabled(edit))
        typeOver(edit, edit, text);
}

void Win32Backend::chooseBoard(Stock stock, Board board)
{
    HWND list = m_window.controls().handle(layout::boardControl(stock));
    const COMBOBOXINFO parts = partsOf(list);
    clickOn(list, centreOf(parts.rcButton), true);
    const std::wstring name = win32::toWide(layout::boardName(board));
    const LRESULT item = SendMessageW(parts.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(name.c_str()));
    RECT place{};
    SendMessageW(parts.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(item),
                 reinterpret_cast<LPARAM>(&place));
    clickOn(parts.hwndList, centreOf(place));
}

void Win32Backend::typeBoard(Stock stock, std::u16string_view text)
{
    HWND list = m_window.controls().handle(layout::boardControl(stock));
    typeOver(list, win32::editPartOf(list), text);
    press(VK_RETURN);
}

bool Win32Backend::isChecked(const layout::Control &control) const
{
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    return dialog && dialog->controls().isChecked(control);
}

std::u16string Win32Backend::clipboard() const
{
    return layout::withPlainLineEnds(win32::clipboardText(m_window.handle()).value_or(u""));
}

void Win32Backend::storeText(std::string_view key, std::u16string_view text)
{
    HKEY settings = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, m_window.settings().key().c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &settings,
                        nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring data = win32::toWide(text);
    RegSetValueExW(settings, valueName(key).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE *>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(settings);
}

void Win32Backend::reloadSettings()
{
    perform([&] { m_window.calculator().loadSettings(); });
}

std::u16string Win32Backend::text(Field field) const
{
    return win32::windowText(m_window.controls().field(field));
}

std::u16string Win32Backend::result() const
{
    return win32::windowText(m_window.controls().resultLine());
}

std::u16string Win32Backend::boardText(Stock stock) const
{
    return win32::windowText(m_window.controls().handle(layout::boardControl(stock)));
}

Field Win32Backend::keypadTarget() const
{
    return m_window.calculator().keypadTarget();
}

const layout::Control *Win32Backend::focus() const
{
    return m_window.controls().controlOf(GetFocus());
}

std::size_t Win32Backend::caret(Field field) const
{
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(m_window.controls().field(field), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return end;
}

namespace {

// The window in front as its controls show it. The main window's tab indices are read off
// Tab's path; a modal window's order is what `tab` shows, and it tells its choices, its greyed
// controls and its focus.
testing::WindowView describeWindow(HWND window, const win32::Controls &controls, bool isDialog)
{
    const layout::WindowDescription &description = controls.description();
    const unsigned dpi = win32::dpiOf(window);
    RECT client{};
    GetClientRect(window, &client);
    testing::WindowView view{win32::windowText(window),
                             win32::unscaled(client.right, dpi),
                             win32::unscaled(client.bottom, dpi),
                             {},
                             isDialog,
                             {}};
    // Tab's path through the controls from the first: each takes the tab index of the
    // control the table puts at that step of the path.
    std::vector<int> tabIndexOf(description.controls().size(), 0);
    if (!isDialog) {
        HWND step = controls.handle(*description.tabOrder().front());
        for (const layout::Control *expected : description.tabOrder()) {
            if (const layout::Control *reached = controls.controlOf(step))
                tabIndexOf[description.positionOf(*reached)] = expected->tabIndex;
            step = GetNextDlgTabItem(window, step, FALSE);
        }
    }
    for (const layout::Control &control : description.controls()) {
        HWND handle = controls.handle(control);
        testing::ControlView seen;
        seen.id = control.id;
        seen.kind = kindOf(handle);
        seen.pixels = clientPlace(window, handle, dpi);
        if (const layout::Control *frame = description.containerOf(control)) {
            seen.container = frame->id;
            const layout::Rect outer = clientPlace(window, controls.handle(*frame), dpi);
            seen.pixels.left -= outer.left;
            seen.pixels.top -= outer.top;
        }
        seen.caption = win32::windowText(handle);
        readFont(handle, dpi, seen);
        seen.foreground = control.foreground;
        seen.background = control.background;
        seen.tabIndex = control.takesFocus() && !isDialog
                            ? tabIndexOf[description.positionOf(control)]
                            : control.tabIndex;
        seen.shown = (GetWindowLongPtrW(handle, GWL_STYLE) & WS_VISIBLE) != 0;
        if (isDialog) {
            if (seen.kind == layout::Kind::checkBox || seen.kind == layout::Kind::radioButton)
                seen.checked = SendMessageW(handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
            seen.greyed = IsWindowEnabled(handle) == FALSE;
        }
        view.controls.push_back(std::move(seen));
    }
    if (isDialog) {
        if (const layout::Control *focus = controls.controlOf(GetFocus()))
            view.focus = focus->id;
    }
    return view;
}

} // namespace

testing::WindowView Win32Backend::describe() const
{
    if (const win32::Win32Dialog *dialog = m_window.window().dialog())
        return describeWindow(dialog->handle(), dialog->controls(), true);
    return describeWindow(m_window.handle(), m_window.controls(), false);
}

std::vector<testing::AccessibleView> Win32Backend::accessible() const
{
    // As a screen reader asks: each control's accessible object, then its name and
    // description.
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    const win32::Controls &controls = dialog ? dialog->controls() : m_window.controls();
    std::vector<testing::AccessibleView> views;
    for (const layout::Control &control : controls.description().controls()) {
        const AccessibleText told = accessibleText(controls.handle(control));
        if (told.invisible)
            continue;
        const layout::Control *label =
            told.labelledBy ? controls.controlOf(told.labelledBy) : nullptr;
        views.push_back({control.id, told.name, told.description,
                         label ? std::string(label->id) : std::string(), told.tablePart});
    }
    return views;
}

void Win32Backend::perform(const std::function<void()> &action)
{
    Win32Backend *outer = std::exchange(running, this);
    m_answered = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, messageBoxPollMs, pollMessageBox);
    action();
    KillTimer(nullptr, timer);
    win32::handlePendingMessages(m_window.handle());
    running = outer;
}

void Win32Backend::answerMessageBox()
{
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    BoxSearch search{m_window.handle(), dialog ? dialog->handle() : nullptr};
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found || search.found == m_answered)
        return;
    m_answered = search.found;
    m_sink(win32::windowText(search.found),
           win32::windowText(GetDlgItem(search.found, messageTextId)));
    SendMessageW(GetDlgItem(search.found, IDOK), BM_CLICK, 0, 0);
}

Win32Stage::Win32Stage()
{
    win32::initialiseCommonControls();
}

int Win32Stage::play(std::istream &in, std::ostream &out, std::ostream &err)
{
    win32::MainWindow window(GetModuleHandleW(nullptr), freshSettings());
    window.show(SW_SHOWNORMAL);
    win32::handlePendingMessages(window.handle());
    Win32Backend backend(window, messagePrinter(out));
    return playScenario(in, backend, out, err);
}

} // namespace ostrel::play
