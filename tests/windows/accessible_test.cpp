// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds of the real Windows window through Active Accessibility, beyond
// the names and descriptions the golden scenario prints: the window's own objects for the
// rest (role, state), the hidden field out of sight, the result line's and the fee model's
// descriptions following what they show, with each change announced, and the modal windows'
// controls named, described and labelled as their tables say, the figures of the detail
// named by themselves.
#include "accessibility.h"
#include "fee_windows.h"
#include "main_window.h"
#include "support.h"
#include "win32_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace ostrel::test {
namespace {

VARIANT self()
{
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

// The control's accessible object as a screen reader gets it.
IAccessible *objectOf(HWND handle)
{
    IAccessible *object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(handle, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&object))))
        return nullptr;
    return object;
}

long stateOf(IAccessible &object)
{
    VARIANT state{};
    if (FAILED(object.get_accState(self(), &state)) || state.vt != VT_I4)
        return -1;
    return state.lVal;
}

long roleOf(IAccessible &object)
{
    VARIANT role{};
    if (FAILED(object.get_accRole(self(), &role)) || role.vt != VT_I4)
        return -1;
    return role.lVal;
}

class AccessibleTest : public WindowTest {
protected:
    HWND handle(const layout::Control &control) const
    {
        return m_window.controls().handle(control);
    }
};

// The hidden field is out of sight for a screen reader, as for the eye; every other control
// is in sight.
TEST_F(AccessibleTest, OnlyTheHiddenFieldIsInvisible)
{
    for (const layout::Control &control : layout::controls()) {
        IAccessible *object = objectOf(handle(control));
        ASSERT_NE(object, nullptr) << control.id;
        const long state = stateOf(*object);
        object->Release();
        ASSERT_NE(state, -1) << control.id;
        EXPECT_EQ((state & STATE_SYSTEM_INVISIBLE) != 0, !control.visible) << control.id;
    }
}

// Beyond the name and description, the control's object is Windows' own: an entry field is
// editable text whose value is the text it holds, and the one with the focus says so.
TEST_F(AccessibleTest, EverythingElseIsWindowsOwn)
{
    play::Win32Backend backend(m_window, [](std::u16string_view, std::u16string_view) {});
    backend.type(Field::newPrice, u"8.25");
    IAccessible *object = objectOf(m_window.controls().field(Field::newPrice));
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(roleOf(*object), ROLE_SYSTEM_TEXT);
    EXPECT_NE(stateOf(*object) & STATE_SYSTEM_FOCUSED, 0);
    BSTR value = nullptr;
    ASSERT_EQ(object->get_accValue(self(), &value), S_OK);
    EXPECT_EQ(std::wstring(value, SysStringLen(value)), L"8.25");
    SysFreeString(value);
    object->Release();
}

// The description changes that Windows announced, for the hook.
std::vector<HWND> describedAnew;

void CALLBACK descriptionChanged(HWINEVENTHOOK, DWORD, HWND handle, LONG object, LONG child, DWORD,
                                 DWORD)
{
    if (object == OBJID_CLIENT && child == CHILDID_SELF)
        describedAnew.push_back(handle);
}

// The result line's description is what it shows, and every new caption is announced.
TEST_F(AccessibleTest, ResultLineIsDescribedByItsCaptionAndAnnouncesIt)
{
    const HWND line = m_window.controls().resultLine();
    const std::u16string before = play::accessibleText(line).description;
    EXPECT_EQ(before, win32::windowText(line));

    describedAnew.clear();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, descriptionChanged,
        GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    play::Win32Backend backend(m_window, [](std::u16string_view, std::u16string_view) {});
    const std::pair<Field, std::u16string_view> inputs[] = {{Field::oldPrice, u"10"},
                                                            {Field::sharesHeld, u"5000"},
                                                            {Field::newPrice, u"8"},
                                                            {Field::balance, u"2000"},
                                                            {Field::moneyToSpend, u"20000"}};
    for (const auto &[field, text] : inputs)
        backend.type(field, text);
    backend.click(*layout::controlFor(Calculate{}));
    win32::handlePendingMessages(m_window.handle());
    UnhookWinEvent(hook);

    const play::AccessibleText after = play::accessibleText(line);
    EXPECT_NE(after.description, before);
    EXPECT_EQ(after.description, backend.result());
    EXPECT_EQ(after.name, layout::accessibleName(layout::resultLine()));
    EXPECT_EQ(std::count(describedAnew.begin(), describedAnew.end(), line), 1);
}

// The fee model's note is described by what it shows, and a change of model is announced.
TEST_F(AccessibleTest, FeeModelNoteIsDescribedByItsCaptionAndAnnouncesIt)
{
    const layout::Control &noteControl = *layout::mainWindow().feeModelNote();
    const HWND note = handle(noteControl);
    const std::u16string before = play::accessibleText(note).description;
    EXPECT_EQ(before, win32::windowText(note));
    EXPECT_FALSE(before.empty());

    describedAnew.clear();
    HWINEVENTHOOK hook = SetWinEventHook(
        EVENT_OBJECT_DESCRIPTIONCHANGE, EVENT_OBJECT_DESCRIPTIONCHANGE, nullptr, descriptionChanged,
        GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    play::Win32Backend backend(m_window, [](std::u16string_view, std::u16string_view) {});
    backend.click(*layout::controlFor(OpenFeeSettings{}));
    backend.click(*layout::feeSettingsWindow().controlFor(ChooseFeeModel{FeeModel::itemised}));
    backend.click(*layout::feeSettingsWindow().controlFor(AcceptSettings{}));
    win32::handlePendingMessages(m_window.handle());
    UnhookWinEvent(hook);

    const play::AccessibleText after = play::accessibleText(note);
    EXPECT_NE(after.description, before);
    EXPECT_EQ(after.description, win32::windowText(note));
    EXPECT_EQ(after.name, layout::accessibleName(noteControl));
    EXPECT_EQ(std::count(describedAnew.begin(), describedAnew.end(), note), 1);
}

// The fee settings' controls as a screen reader finds them: named and described as the table
// says, each rate labelled by its caption, the choices as radio buttons and the waiver as a
// check box, checked as they show.
TEST_F(AccessibleTest, FeeSettingsAreNamedDescribedAndLabelledAsTheirTable)
{
    play::Win32Backend backend(m_window, [](std::u16string_view, std::u16string_view) {});
    backend.click(*layout::controlFor(OpenFeeSettings{}));
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    ASSERT_NE(dialog, nullptr);
    const layout::WindowDescription &settings = layout::feeSettingsWindow();
    for (const layout::Control &control : settings.controls()) {
        HWND handle = dialog->controls().handle(control);
        const play::AccessibleText told = play::accessibleText(handle);
        EXPECT_EQ(told.name, layout::accessibleName(control)) << control.id;
        EXPECT_EQ(told.description, layout::accessibleDescription(control)) << control.id;
        const layout::Control *label = settings.labelledBy(control);
        EXPECT_EQ(told.labelledBy, label ? dialog->controls().handle(*label) : nullptr)
            << control.id;

        IAccessible *object = objectOf(handle);
        ASSERT_NE(object, nullptr) << control.id;
        const long role = roleOf(*object);
        const long state = stateOf(*object);
        object->Release();
        if (control.kind == layout::Kind::radioButton) {
            EXPECT_EQ(role, ROLE_SYSTEM_RADIOBUTTON) << control.id;
        }
        if (control.kind == layout::Kind::checkBox) {
            EXPECT_EQ(role, ROLE_SYSTEM_CHECKBUTTON) << control.id;
        }
        if (control.kind == layout::Kind::radioButton || control.kind == layout::Kind::checkBox) {
            EXPECT_EQ((state & STATE_SYSTEM_CHECKED) != 0, backend.isChecked(control))
                << control.id;
        }
    }
}

// Each figure of the detail is named by its row and column and described by itself, as a
// table's cell reads.
TEST_F(AccessibleTest, TheDetailsFiguresReadAsCells)
{
    play::Win32Backend backend(m_window, [](std::u16string_view, std::u16string_view) {});
    const std::pair<Field, std::u16string_view> inputs[] = {{Field::oldPrice, u"10"},
                                                            {Field::sharesHeld, u"5000"},
                                                            {Field::newPrice, u"8"},
                                                            {Field::balance, u"2000"},
                                                            {Field::moneyToSpend, u"20000"}};
    for (const auto &[field, text] : inputs)
        backend.type(field, text);
    backend.click(*layout::controlFor(Calculate{}));
    backend.click(*layout::controlFor(ShowDetail{}));
    const win32::Win32Dialog *dialog = m_window.window().dialog();
    ASSERT_NE(dialog, nullptr);
    int figures = 0;
    for (const layout::Control &control : layout::detailWindow().controls()) {
        if (!control.detailItem)
            continue;
        HWND handle = dialog->controls().handle(control);
        // Named by its row and column, described by the figure it shows.
        EXPECT_EQ(play::accessibleText(handle).name, layout::accessibleName(control)) << control.id;
        EXPECT_EQ(play::accessibleText(handle).description, win32::windowText(handle))
            << control.id;
        figures += win32::windowText(handle).empty() ? 0 : 1;
    }
    EXPECT_GT(figures, 0);
}

} // namespace
} // namespace ostrel::test
