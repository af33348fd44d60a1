// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keys.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using namespace ostrel;
using layout::CloseAnswer;
using layout::CloseRequest;
using layout::KeyName;
using layout::KeyPress;
using layout::Kind;
using layout::WindowRole;

constexpr KeyPress enter{.key = KeyName::enter};
constexpr KeyPress heldEnter{.key = KeyName::enter, .repeated = true};
constexpr KeyPress controlEnter{.key = KeyName::enter, .control = true};
constexpr KeyPress shiftEnter{.key = KeyName::enter, .shift = true};
constexpr KeyPress escape{.key = KeyName::escape};

layout::Control control(Kind kind)
{
    return {.id = "c", .kind = kind, .action = Reset{ResetGroup::all}, .enterAction = Calculate{}};
}

struct EnterCase {
    Kind kind;
    KeyPress press;
    std::optional<Action> runs;
};

class Enter : public testing::TestWithParam<EnterCase> {};

TEST_P(Enter, RunsWhatTheControlSays)
{
    const EnterCase &c = GetParam();
    EXPECT_EQ(layout::enterAction(control(c.kind), c.press), c.runs);
}

// A button runs its click's action, the others their Enter action.
INSTANTIATE_TEST_SUITE_P(Controls, Enter,
                         testing::Values(EnterCase{Kind::button, enter, Reset{ResetGroup::all}},
                                         EnterCase{Kind::button, heldEnter, std::nullopt},
                                         EnterCase{Kind::button, controlEnter, std::nullopt},
                                         EnterCase{Kind::button, shiftEnter, std::nullopt},
                                         EnterCase{Kind::checkBox, enter, Calculate{}},
                                         EnterCase{Kind::checkBox, heldEnter, std::nullopt},
                                         EnterCase{Kind::checkBox, controlEnter, Calculate{}},
                                         EnterCase{Kind::radioButton, enter, Calculate{}},
                                         EnterCase{Kind::radioButton, heldEnter, std::nullopt},
                                         EnterCase{Kind::textBox, enter, Calculate{}},
                                         EnterCase{Kind::textBox, heldEnter, Calculate{}},
                                         EnterCase{Kind::textBox, controlEnter, Calculate{}},
                                         EnterCase{Kind::dropDown, heldEnter, Calculate{}},
                                         EnterCase{Kind::label, enter, std::nullopt},
                                         EnterCase{Kind::frame, enter, std::nullopt},
                                         EnterCase{Kind::button, escape, std::nullopt},
                                         EnterCase{Kind::textBox, KeyPress{.key = KeyName::letterC},
                                                   std::nullopt}));

TEST(Enter, RunsNothingOnAHiddenControl)
{
    layout::Control hidden = control(Kind::textBox);
    hidden.visible = false;
    EXPECT_EQ(layout::enterAction(hidden, enter), std::nullopt);
}

struct CopyCase {
    KeyPress press;
    bool copies;
};

class CopyKey : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyKey, IsCtrlCOrCtrlInsertAlone)
{
    const CopyCase &c = GetParam();
    EXPECT_EQ(layout::isCopyKey(c.press), c.copies);
    EXPECT_EQ(layout::copiesCaptionSelection(c.press, true), c.copies);
    EXPECT_FALSE(layout::copiesCaptionSelection(c.press, false));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CopyKey,
    testing::Values(CopyCase{{.key = KeyName::letterC, .control = true}, true},
                    CopyCase{{.key = KeyName::insert, .control = true}, true},
                    CopyCase{{.key = KeyName::letterC, .control = true, .repeated = true}, true},
                    CopyCase{{.key = KeyName::copy}, true},
                    CopyCase{{.key = KeyName::copy, .control = true}, false},
                    CopyCase{{.key = KeyName::letterC}, false},
                    CopyCase{{.key = KeyName::insert}, false},
                    CopyCase{{.key = KeyName::insert, .shift = true}, false},
                    CopyCase{{.key = KeyName::letterC, .control = true, .shift = true}, false},
                    CopyCase{{.key = KeyName::letterC, .control = true, .alt = true}, false},
                    CopyCase{{.key = KeyName::letterC, .control = true, .logo = true}, false},
                    CopyCase{{.key = KeyName::other, .control = true}, false},
                    CopyCase{{.key = KeyName::enter, .control = true}, false}));

TEST(CopyKey, AFieldsNewSelectionDropsTheCaptions)
{
    EXPECT_FALSE(layout::keepsCaptionSelection(true));
    EXPECT_TRUE(layout::keepsCaptionSelection(false));
}

struct CloseCase {
    CloseRequest request;
    WindowRole role;
    KeyPress press;
    CloseAnswer answer;
};

class Close : public testing::TestWithParam<CloseCase> {};

TEST_P(Close, AnswersByTheWindow)
{
    const CloseCase &c = GetParam();
    EXPECT_EQ(layout::answerTo(c.request, c.role, c.press), c.answer);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Close,
    testing::Values(
        CloseCase{CloseRequest::escape, WindowRole::main, escape, CloseAnswer::ignore},
        CloseCase{CloseRequest::closeButton, WindowRole::main, {}, CloseAnswer::close},
        CloseCase{CloseRequest::escape, WindowRole::modal, escape, CloseAnswer::closeDialog},
        CloseCase{CloseRequest::escape,
                  WindowRole::modal,
                  {.key = KeyName::escape, .repeated = true},
                  CloseAnswer::closeDialog},
        CloseCase{CloseRequest::escape,
                  WindowRole::modal,
                  {.key = KeyName::escape, .shift = true},
                  CloseAnswer::ignore},
        CloseCase{CloseRequest::escape, WindowRole::modal, enter, CloseAnswer::ignore},
        CloseCase{CloseRequest::closeButton, WindowRole::modal, {}, CloseAnswer::closeDialog}));

TEST(SelectableTextMenu, CopyThenSelectAll)
{
    ASSERT_EQ(layout::selectableTextMenu.size(), 2u);
    EXPECT_EQ(layout::selectableTextMenu[0].command, layout::TextCommand::copy);
    EXPECT_EQ(layout::selectableTextMenu[0].caption, u"复制(&C)");
    EXPECT_EQ(layout::selectableTextMenu[0].shortcut, u"Ctrl+C");
    EXPECT_EQ(layout::selectableTextMenu[1].command, layout::TextCommand::selectAll);
    EXPECT_EQ(layout::selectableTextMenu[1].caption, u"全选");
    EXPECT_TRUE(layout::selectableTextMenu[1].separatorBefore);
}

struct MenuCase {
    layout::TextCommand command;
    bool hasSelection;
    bool hasText;
    bool enabled;
};

class MenuItem : public testing::TestWithParam<MenuCase> {};

TEST_P(MenuItem, IsEnabledWhenItHasSomethingToDo)
{
    const MenuCase &c = GetParam();
    EXPECT_EQ(layout::isEnabled(c.command, c.hasSelection, c.hasText), c.enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Items, MenuItem,
    testing::Values(MenuCase{layout::TextCommand::copy, true, true, true},
                    MenuCase{layout::TextCommand::copy, false, true, false},
                    MenuCase{layout::TextCommand::selectAll, false, true, true},
                    MenuCase{layout::TextCommand::selectAll, false, false, false}));

} // namespace
