// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry fields of the real Windows window under Wine as the user finds them and types
// into them: at start-up the old price's whole text is selected, so that the first key
// replaces its 0, and every caret stands where the core puts it, after the text; a field
// holds no line break and no tab, whether typed key by key, handed over at once by an input
// method or pasted, and the caret ends after what was kept.
#include "core_backend.h"
#include "main_window.h"
#include "support.h"
#include "win32_backend.h"
#include "window_table.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::test {
namespace {

// Puts the text on the clipboard as any program copies it.
void copyToClipboard(HWND owner, std::u16string_view text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(memory, nullptr);
    auto *copy = static_cast<char16_t *>(GlobalLock(memory));
    text.copy(copy, text.size());
    copy[text.size()] = u'\0';
    GlobalUnlock(memory);
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
    CloseClipboard();
}

class FieldsTest : public WindowTest {
protected:
    HWND field(Field which) const { return m_window.controls().field(which); }

    std::pair<DWORD, DWORD> selection(Field which) const
    {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(field(which), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    play::Win32Backend m_win32{m_window, {}};
    testing::CoreBackend m_core;
};

TEST_F(FieldsTest, StartUpSelectsTheFocusedFieldsTextAndPutsEveryCaretAfterItsText)
{
    const layout::Control &first = *layout::tabOrder().front();
    ASSERT_EQ(m_win32.focus(), &first);
    ASSERT_TRUE(first.field);
    EXPECT_EQ(selection(*first.field),
              (std::pair<DWORD, DWORD>{0, static_cast<DWORD>(first.text.size())}));
    for (const Field which : allFields) {
        EXPECT_EQ(m_win32.caret(which), m_core.caret(which)) << layout::fieldControl(which).id;
        EXPECT_EQ(m_win32.caret(which), layout::fieldControl(which).text.size())
            << layout::fieldControl(which).id;
    }
}

TEST_F(FieldsTest, TypingAtStartUpReplacesTheStartUpText)
{
    m_win32.press('1');
    m_win32.press('0');
    const Field first = *layout::tabOrder().front()->field;
    m_core.type(first, u"10");
    EXPECT_EQ(m_win32.text(first), u"10");
    EXPECT_EQ(m_win32.text(first), m_core.text(first));
    EXPECT_EQ(m_win32.caret(first), m_core.caret(first));
}

// A text reaching a field whose caret stands between "12" and "34".
enum class Way { keys, inputMethod, paste };

struct Case {
    Way way;
    std::u16string_view text;
    std::u16string_view shown;
    std::size_t caret;
};

void PrintTo(const Case &given, std::ostream *out)
{
    constexpr std::array ways{"keys", "input method", "paste"};
    *out << ways[static_cast<std::size_t>(given.way)] << " "
         << ::testing::PrintToString(given.text);
}

class InsertedText : public FieldsTest, public ::testing::WithParamInterface<Case> {};

TEST_P(InsertedText, KeepsOneLineWithTheCaretAfterIt)
{
    const Case &given = GetParam();
    HWND edit = field(Field::balance);
    m_win32.type(Field::balance, u"1234");
    SendMessageW(edit, EM_SETSEL, 2, 2);
    switch (given.way) {
    case Way::keys:
        for (const char16_t typed : given.text)
            SendMessageW(edit, WM_CHAR, typed, 1);
        break;
    case Way::inputMethod:
        SendMessageW(edit, EM_REPLACESEL, TRUE,
                     reinterpret_cast<LPARAM>(std::u16string(given.text).c_str()));
        break;
    case Way::paste:
        copyToClipboard(m_window.handle(), given.text);
        SendMessageW(edit, WM_PASTE, 0, 0);
        break;
    }
    EXPECT_EQ(m_win32.text(Field::balance), given.shown);
    EXPECT_EQ(selection(Field::balance),
              (std::pair<DWORD, DWORD>{static_cast<DWORD>(given.caret),
                                       static_cast<DWORD>(given.caret)}));
}

// Key by key, Ctrl+Enter's line feed and a tab that reached the field go nowhere and the
// rest is typed; at once, only what comes before the first of them is kept.
const std::vector<Case> cases{
    {Way::keys, u"5\n6", u"125634", 4},       {Way::keys, u"\t7\r", u"12734", 3},
    {Way::inputMethod, u"5\n6", u"12534", 3}, {Way::inputMethod, u"\t7", u"1234", 2},
    {Way::inputMethod, u"56", u"125634", 4},  {Way::paste, u"20000\r\n", u"122000034", 7},
    {Way::paste, u"7.3\t8", u"127.334", 5},   {Way::paste, u"\n1.5", u"1234", 2},
};

INSTANTIATE_TEST_SUITE_P(EveryWay, InsertedText, ::testing::ValuesIn(cases));

} // namespace
} // namespace ostrel::test
