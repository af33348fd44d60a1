// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader finds of the real Windows window through Active Accessibility, beyond
// the names and descriptions the golden scenario prints: the window's own objects for the
// rest (role, state), the hidden field out of sight, and the result line's description
// following what it shows, with the change announced.
#include "accessibility.h"
#include "main_window.h"
#include "message_loop.h"
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

HINSTANCE preparedInstance()
{
    win32::initialiseCommonControls();
    return GetModuleHandleW(nullptr);
}

class AccessibleTest : public ::testing::Test {
protected:
    AccessibleTest()
    {
        m_window.show(SW_SHOWNORMAL);
        win32::handlePendingMessages(m_window.handle());
    }

    HWND handle(const layout::Control &control) const
    {
        return m_window.controls().handle(control);
    }

    win32::MainWindow m_window{preparedInstance()};
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

} // namespace
} // namespace ostrel::test
