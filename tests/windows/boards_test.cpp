// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The board drop-downs of the real Windows window under Wine, beyond what the scenarios print:
// each stands at its described pixels at 96 and at 144 dots per inch, closed as tall as its
// place, in its font, and lists the boards; a click opens its list and a second closes it,
// nothing chosen; what is typed into its edit part is taken on Return, which starts no
// calculation, or when the focus moves on to another control; and an item chosen from the
// list outweighs what was typed.
#include "main_window.h"
#include "painting.h"
#include "support.h"
#include "wide_text.h"
#include "win32_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace ostrel::test {
namespace {

class BoardsTest : public WindowTest {
protected:
    HWND list(Stock stock) const { return m_window.controls().handle(layout::boardControl(stock)); }

    // Into the edit part as Tab would take the focus there, then Ctrl+A and the text, no Return.
    void typeOnly(Stock stock, std::u16string_view text)
    {
        HWND edit = win32::editPartOf(list(stock));
        SendMessageW(m_window.handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list(stock)), TRUE);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        const std::wstring typed = win32::toWide(text);
        SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
        win32::handlePendingMessages(m_window.handle());
    }

    // As Windows tells the window when it moves to a screen of that resolution.
    void moveToScreenOf(unsigned dpi)
    {
        RECT place{};
        GetWindowRect(m_window.handle(), &place);
        SendMessageW(m_window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&place));
        win32::handlePendingMessages(m_window.handle());
    }

    std::vector<std::u16string> boxes;
    play::Win32Backend m_win32{m_window, [this](std::u16string_view, std::u16string_view body) {
                                   boxes.emplace_back(body);
                               }};
};

struct Placing {
    Stock stock;
    unsigned dpi;
};

void PrintTo(const Placing &given, std::ostream *out)
{
    *out << layout::boardControl(given.stock).id << " at " << given.dpi << " dpi";
}

class StandsAtItsPlace : public BoardsTest, public ::testing::WithParamInterface<Placing> {};

TEST_P(StandsAtItsPlace, ClosedInItsFontWithTheBoardsListed)
{
    const Placing &given = GetParam();
    moveToScreenOf(given.dpi);
    const layout::Control &control = layout::boardControl(given.stock);
    HWND handle = list(given.stock);
    const layout::Rect pixels = layout::clientPixels(control);
    RECT place{};
    GetWindowRect(handle, &place);
    MapWindowPoints(nullptr, m_window.handle(), reinterpret_cast<POINT *>(&place), 2);
    EXPECT_EQ(place.left, win32::scaled(pixels.left, given.dpi));
    EXPECT_EQ(place.top, win32::scaled(pixels.top, given.dpi));
    EXPECT_EQ(place.right - place.left, win32::scaled(pixels.width, given.dpi));
    EXPECT_EQ(place.bottom - place.top, win32::scaled(pixels.height, given.dpi));

    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(handle, WM_GETFONT, 0, 0)),
                           sizeof(font), &font));
    EXPECT_EQ(-font.lfHeight, layout::fontPixels(control.font.points, static_cast<int>(given.dpi)));

    std::vector<std::u16string> items;
    const auto count = static_cast<WPARAM>(SendMessageW(handle, CB_GETCOUNT, 0, 0));
    for (WPARAM i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(handle, CB_GETLBTEXTLEN, i, 0)),
                          L'\0');
        SendMessageW(handle, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(win32::toU16(item));
    }
    const auto described = layout::itemsOf(control);
    EXPECT_EQ(items, std::vector<std::u16string>(described.begin(), described.end()));
    EXPECT_EQ(m_win32.boardText(given.stock), layout::boardName(Board::main));

    // A click on its button drops its list below it, as wide, every item in sight.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof(parts);
    ASSERT_TRUE(GetComboBoxInfo(handle, &parts));
    const LPARAM button = MAKELPARAM((parts.rcButton.left + parts.rcButton.right) / 2,
                                     (parts.rcButton.top + parts.rcButton.bottom) / 2);
    SendMessageW(handle, WM_LBUTTONDOWN, MK_LBUTTON, button);
    SendMessageW(handle, WM_LBUTTONUP, 0, button);
    ASSERT_TRUE(SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0));
    RECT closed{};
    RECT dropped{};
    RECT inside{};
    GetWindowRect(handle, &closed);
    GetWindowRect(parts.hwndList, &dropped);
    GetClientRect(parts.hwndList, &inside);
    EXPECT_EQ(dropped.top, closed.bottom);
    EXPECT_EQ(dropped.left, closed.left);
    EXPECT_GE(dropped.right, closed.right);
    EXPECT_GE(inside.bottom,
              static_cast<LONG>(count) * SendMessageW(parts.hwndList, LB_GETITEMHEIGHT, 0, 0));
    SendMessageW(handle, CB_SHOWDROPDOWN, FALSE, 0);

    // The player's click opens it and closes it again, nothing chosen, the focus on it.
    m_win32.click(control);
    EXPECT_EQ(SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(m_win32.focus(), &control);
    EXPECT_EQ(m_win32.boardText(given.stock), layout::boardName(Board::main));
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Windows, StandsAtItsPlace,
                         ::testing::Values(Placing{Stock::oldStock, 96},
                                           Placing{Stock::newStock, 96},
                                           Placing{Stock::oldStock, 144},
                                           Placing{Stock::newStock, 144}));

// What is typed is taken once the typing is done: on Return, which chooses the board and
// nothing else, or when Tab moves the focus on. A text that names no board is refused once.
struct Typing {
    std::u16string_view text;
    bool returnPressed;
    std::u16string_view shown;
    std::size_t refusals;
};

void PrintTo(const Typing &given, std::ostream *out)
{
    *out << ::testing::PrintToString(given.text) << (given.returnPressed ? " Return" : " Tab");
}

class TypingIsDone : public BoardsTest, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypingIsDone, OnReturnOrWhenTheFocusMovesOn)
{
    const Typing &given = GetParam();
    const std::u16string result = m_win32.result();
    typeOnly(Stock::newStock, given.text);
    EXPECT_EQ(m_win32.boardText(Stock::newStock), given.text);
    if (given.returnPressed)
        m_win32.enter();
    else
        m_win32.tab();
    EXPECT_EQ(m_win32.boardText(Stock::newStock), given.shown);
    EXPECT_EQ(boxes.size(), given.refusals);
    EXPECT_EQ(m_win32.result(), result);
}

INSTANTIATE_TEST_SUITE_P(Windows, TypingIsDone,
                         ::testing::Values(Typing{u"688001", true, u"科创板", 0},
                                           Typing{u"920001", false, u"北交所", 0},
                                           Typing{u"600000", true, u"主板/创业板", 0},
                                           Typing{u"abc", true, u"主板/创业板", 1},
                                           Typing{u"abc", false, u"主板/创业板", 1}));

// A board chosen from the list after typing is the board taken, whatever was typed.
TEST_F(BoardsTest, AnItemChosenOutweighsWhatWasTyped)
{
    typeOnly(Stock::oldStock, u"68");
    m_win32.chooseBoard(Stock::oldStock, Board::bse);
    EXPECT_EQ(m_win32.boardText(Stock::oldStock), layout::boardName(Board::bse));
    EXPECT_EQ(m_win32.focus(), &layout::boardControl(Stock::oldStock));
    m_win32.tab();
    EXPECT_EQ(m_win32.boardText(Stock::oldStock), layout::boardName(Board::bse));
    EXPECT_TRUE(boxes.empty());
}

} // namespace
} // namespace ostrel::test
