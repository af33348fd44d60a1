// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Copying the answer on the real Windows window under Wine: the result line is selected with
// the mouse and copied with the copy key wherever the keyboard focus is, or from its context
// menu (复制, 全选), while neither the click on it nor the menu moves the focus or changes a
// field.
#include "main_window.h"
#include "support.h"
#include "win32_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrel::test {
namespace {

void emptyClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

LPARAM at(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

// An item of a context menu as the user sees it.
struct MenuItem {
    std::u16string text;
    bool enabled = false;
    bool operator==(const MenuItem &) const = default;
};

void PrintTo(const MenuItem &item, std::ostream *out)
{
    *out << ::testing::PrintToString(item.text) << (item.enabled ? " (on)" : " (off)");
}

// A key the user presses in the open menu: WM_CHAR for an underlined letter or Enter, WM_KEYDOWN
// for an arrow key.
struct MenuKey {
    UINT message = WM_CHAR;
    WPARAM key = 0;
};

// The context menu open on the screen while a right click waits in the menu's own loop: what
// it offers, and the keys by which the user then chooses an item.
struct OpenMenu {
    std::vector<MenuKey> keys;
    std::vector<MenuItem> items;
    bool seen = false;
};
OpenMenu *openMenu = nullptr;

BOOL CALLBACK findMenu(HWND candidate, LPARAM found)
{
    constexpr std::wstring_view menuClass = L"#32768";
    wchar_t name[16]{};
    GetClassNameW(candidate, name, static_cast<int>(std::size(name)));
    if (name != menuClass || !IsWindowVisible(candidate))
        return TRUE;
    *reinterpret_cast<HWND *>(found) = candidate;
    return FALSE;
}

void CALLBACK chooseFromMenu(HWND, UINT, UINT_PTR, DWORD)
{
    HWND popup = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findMenu, reinterpret_cast<LPARAM>(&popup));
    if (!openMenu || openMenu->seen || !popup)
        return;
    openMenu->seen = true;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            continue;
        const int length = GetMenuStringW(menu, static_cast<UINT>(i), nullptr, 0, MF_BYPOSITION);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetMenuStringW(menu, static_cast<UINT>(i), text.data(), length + 1, MF_BYPOSITION)));
        openMenu->items.push_back(
            {std::u16string(text.begin(), text.end()), (state & (MF_GRAYED | MF_DISABLED)) == 0});
    }
    for (const MenuKey &key : openMenu->keys)
        PostMessageW(popup, key.message, key.key, 1);
}

// How the user selects the answer.
enum class Selecting { drag, doubleClick };

// Where the keyboard focus is when the copy key is pressed.
enum class FocusIn { field, fieldWithSelectedText, button };

class CopyTest : public WindowTest {
protected:
    CopyTest()
    {
        emptyClipboard();
        const std::array<std::pair<Field, std::u16string_view>, 5> inputs{
            {{Field::oldPrice, u"10"},
             {Field::sharesHeld, u"5000"},
             {Field::newPrice, u"8"},
             {Field::balance, u"2000"},
             {Field::moneyToSpend, u"20000"}}};
        for (const auto &[where, text] : inputs)
            m_win32.type(where, text);
        m_win32.press(VK_RETURN);
    }

    HWND line() const { return m_window.controls().resultLine(); }
    HWND field(Field which) const { return m_window.controls().field(which); }
    win32::SelectableText &selection() const
    {
        return *m_window.controls().selectableText(layout::resultLine());
    }

    std::vector<std::u16string> fieldTexts() const
    {
        std::vector<std::u16string> texts;
        for (const Field which : allFields)
            texts.push_back(m_win32.text(which));
        return texts;
    }

    void mouse(HWND target, UINT message, WPARAM buttons, POINT point)
    {
        SendMessageW(target, message, buttons, at(point));
        win32::handlePendingMessages(m_window.handle());
    }

    // A drag with the left button from the start of the answer's first line to `fraction` of
    // the way across it, or (1) past the end of its last line.
    void dragAcrossTheAnswer(double fraction = 1)
    {
        RECT area{};
        GetClientRect(line(), &area);
        const POINT end = fraction < 1 ? POINT{static_cast<LONG>(area.right * fraction), 1}
                                       : POINT{area.right - 1, area.bottom - 1};
        mouse(line(), WM_LBUTTONDOWN, MK_LBUTTON, {0, 1});
        mouse(line(), WM_MOUSEMOVE, MK_LBUTTON, {area.right / 3, 1});
        mouse(line(), WM_MOUSEMOVE, MK_LBUTTON, end);
        mouse(line(), WM_LBUTTONUP, 0, end);
    }

    void doubleClickTheAnswer()
    {
        const POINT middle{4, 4};
        mouse(line(), WM_LBUTTONDOWN, MK_LBUTTON, middle);
        mouse(line(), WM_LBUTTONUP, 0, middle);
        mouse(line(), WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
        mouse(line(), WM_LBUTTONUP, 0, middle);
    }

    void pressWithControl(WORD key) { pressWith(m_win32, VK_CONTROL, key); }

    // A right click on the answer; the context menu it opens is read and an item chosen with
    // `keys`. Returns the items the menu offered.
    std::vector<MenuItem> chooseInContextMenu(std::vector<MenuKey> keys)
    {
        OpenMenu menu{std::move(keys), {}, false};
        openMenu = &menu;
        constexpr UINT pollMs = 20;
        const UINT_PTR timer = SetTimer(nullptr, 0, pollMs, chooseFromMenu);
        const POINT middle{8, 8};
        mouse(line(), WM_RBUTTONDOWN, MK_RBUTTON, middle);
        mouse(line(), WM_RBUTTONUP, 0, middle);
        KillTimer(nullptr, timer);
        openMenu = nullptr;
        return menu.items;
    }

    static std::u16string copyText() { return u"复制(&C)\tCtrl+C"; }
    static std::u16string allText() { return u"全选"; }
    // 复制 by its underlined letter; 全选, which has none, as the last item: Up, then Enter.
    static std::vector<MenuKey> chooseCopy() { return {{WM_CHAR, L'C'}}; }
    static std::vector<MenuKey> chooseSelectAll()
    {
        return {{WM_KEYDOWN, VK_UP}, {WM_CHAR, L'\r'}};
    }

    play::Win32Backend m_win32{m_window, {}};
};

TEST_F(CopyTest, TheAnswerIsThere)
{
    EXPECT_EQ(m_win32.result().rfind(u"请卖出", 0), 0u);
}

struct CopyCase {
    Selecting selecting;
    FocusIn focusIn;
    bool copiesTheAnswer;
    std::string_view name;
};

void PrintTo(const CopyCase &given, std::ostream *out)
{
    *out << given.name;
}

class CopyKey : public CopyTest, public ::testing::WithParamInterface<CopyCase> {};

// Every way of selecting the answer, with the focus anywhere: the copy key copies the whole
// line unless text selected in a field since is what the user means to copy.
TEST_P(CopyKey, CopiesTheSelectedAnswer)
{
    const CopyCase &given = GetParam();
    const layout::Control &focusControl = given.focusIn == FocusIn::button
                                              ? *layout::controlFor(Calculate{})
                                              : layout::fieldControl(Field::balance);
    HWND focus = m_window.controls().handle(focusControl);
    SendMessageW(m_window.handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    const std::size_t end = m_win32.text(Field::balance).size();
    SendMessageW(field(Field::balance), EM_SETSEL, end, static_cast<LPARAM>(end));
    win32::handlePendingMessages(m_window.handle());
    ASSERT_EQ(GetFocus(), focus);
    const std::vector<std::u16string> textsBefore = fieldTexts();
    const std::u16string answer = m_win32.result();

    if (given.selecting == Selecting::doubleClick)
        doubleClickTheAnswer();
    else
        dragAcrossTheAnswer();
    EXPECT_EQ(selection().selectedText(), answer);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(fieldTexts(), textsBefore);
    EXPECT_EQ(m_win32.result(), answer);

    if (given.focusIn == FocusIn::fieldWithSelectedText) {
        // Shift+Home selects the field's text from the caret at its end.
        pressWith(m_win32, VK_SHIFT, VK_HOME);
        EXPECT_FALSE(selection().hasSelection());
    }
    pressWithControl('C');

    EXPECT_EQ(clipboardText(), given.copiesTheAnswer ? answer : m_win32.text(Field::balance));
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(fieldTexts(), textsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, CopyKey,
    ::testing::Values(CopyCase{Selecting::drag, FocusIn::field, true, "dragFocusInAField"},
                      CopyCase{Selecting::drag, FocusIn::button, true, "dragFocusOnAButton"},
                      CopyCase{Selecting::doubleClick, FocusIn::field, true, "doubleClick"},
                      CopyCase{Selecting::drag, FocusIn::fieldWithSelectedText, false,
                               "dragThenTextSelectedInAField"}),
    [](const auto &param) { return std::string(param.param.name); });

// With nothing selected in the result line, the copy key in a field copies the field's own
// selection, as it always has.
TEST_F(CopyTest, FieldCopiesItsOwnTextWhenTheAnswerIsNotSelected)
{
    m_win32.type(Field::oldPrice, m_win32.text(Field::oldPrice));
    SendMessageW(field(Field::oldPrice), EM_SETSEL, 0, -1);
    pressWithControl('C');
    EXPECT_EQ(clipboardText(), u"10");
}

// A click on the result line takes no focus, changes no field and leaves no selection behind;
// a new answer comes unselected.
TEST_F(CopyTest, ClickOnTheAnswerMovesNoFocus)
{
    m_win32.type(Field::balance, m_win32.text(Field::balance));
    HWND focus = GetFocus();
    const std::vector<std::u16string> textsBefore = fieldTexts();
    dragAcrossTheAnswer();
    ASSERT_TRUE(selection().hasSelection());
    m_win32.click(layout::resultLine());
    EXPECT_FALSE(selection().hasSelection());
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(fieldTexts(), textsBefore);

    dragAcrossTheAnswer();
    m_win32.click(*layout::controlFor(Calculate{}));
    EXPECT_FALSE(selection().hasSelection());
}

struct MenuCase {
    FocusIn focusIn;
    bool dragFirst;
    std::string_view name;
};

void PrintTo(const MenuCase &given, std::ostream *out)
{
    *out << given.name;
}

class ContextMenu : public CopyTest, public ::testing::WithParamInterface<MenuCase> {};

// The answer's context menu offers 复制 and 全选: 复制 only once something is selected, 全选
// then 复制 puts the whole line on the clipboard, and a drag then 复制 just the part dragged
// across. Neither the menu nor its items move the keyboard focus or change a field.
TEST_P(ContextMenu, CopiesTheAnswer)
{
    const MenuCase &given = GetParam();
    const layout::Control &focusControl = given.focusIn == FocusIn::button
                                              ? *layout::controlFor(Calculate{})
                                              : layout::fieldControl(Field::balance);
    HWND focus = m_window.controls().handle(focusControl);
    SendMessageW(m_window.handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    win32::handlePendingMessages(m_window.handle());
    const std::vector<std::u16string> textsBefore = fieldTexts();
    const std::u16string answer = m_win32.result();

    std::u16string expected = answer;
    if (given.dragFirst) {
        dragAcrossTheAnswer(0.5);
        expected = selection().selectedText();
        EXPECT_FALSE(expected.empty());
        EXPECT_LT(expected.size(), answer.size());
        EXPECT_EQ(answer.rfind(expected, 0), 0u);
    } else {
        EXPECT_EQ(chooseInContextMenu(chooseSelectAll()),
                  (std::vector<MenuItem>{{copyText(), false}, {allText(), true}}));
        EXPECT_EQ(GetFocus(), focus);
        EXPECT_EQ(selection().selectedText(), answer);
    }

    EXPECT_EQ(chooseInContextMenu(chooseCopy()),
              (std::vector<MenuItem>{{copyText(), true}, {allText(), true}}));
    EXPECT_EQ(clipboardText(), expected);
    EXPECT_EQ(GetFocus(), focus);
    EXPECT_EQ(fieldTexts(), textsBefore);
    EXPECT_EQ(m_win32.result(), answer);
}

INSTANTIATE_TEST_SUITE_P(EveryFocus, ContextMenu,
                         ::testing::Values(MenuCase{FocusIn::field, false, "focusInAField"},
                                           MenuCase{FocusIn::button, false, "focusOnAButton"},
                                           MenuCase{FocusIn::field, true,
                                                    "partOfTheAnswerDraggedAcross"}),
                         [](const auto &param) { return std::string(param.param.name); });

} // namespace
} // namespace ostrel::test
