// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

namespace {

namespace form = ostrel::layout;

TEST(Layout, TabOrderSkipsTheHiddenFieldAndFollowsTabIndex)
{
    std::vector<std::string> names;
    for (const form::Control *control : form::tabOrder())
        names.emplace_back(control->id);
    std::vector<std::string> expected = {"oldprice", "buy6",        "newprice", "savemoney",
                                         "buymoney", "souxufei",    "Command1", "Command2",
                                         "C44",      "Command4(0)", "Command5"};
    for (int key = 0; key <= 12; ++key)
        expected.push_back("Command3(" + std::to_string(key) + ")");
    EXPECT_EQ(names, expected);
}

struct HitCase {
    int x, y;
    const char *control; // nullptr: the bare window
};

class HitTest : public testing::TestWithParam<HitCase> {};

TEST_P(HitTest, TopmostControlReceivesTheClick)
{
    const form::Control *hit = form::controlAt(GetParam().x, GetParam().y);
    if (!GetParam().control) {
        EXPECT_EQ(hit, nullptr);
        return;
    }
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->id, GetParam().control);
}

INSTANTIATE_TEST_SUITE_P(
    Points, HitTest,
    testing::Values(HitCase{480, 110, "Command5"}, // drawn over Frame2
                    HitCase{470, 95, "Command5"}, HitCase{276, 140, "Frame2"},
                    HitCase{210, 100, "Command4(0)"}, // covers the right part of Label1
                    HitCase{195, 100, "Label1"}, HitCase{120, 100, "oldprice"},
                    HitCase{120, 125, "buy6"}, HitCase{380, 130, "Frame2"}, // hidden ybuy
                    HitCase{0, 370, "BYNARO"}, HitCase{533, 379, nullptr},
                    HitCase{20, 300, "Command3(0)"}, HitCase{500, 300, "Command3(12)"},
                    HitCase{10, 280, "Frame3"}, HitCase{300, 180, "xsall"}, HitCase{0, 0, nullptr},
                    HitCase{534, 10, nullptr}, HitCase{-1, 10, nullptr}));

TEST(Layout, PixelsAreTwipsOverFifteen)
{
    EXPECT_EQ(form::clientPixels(*form::findControl("Command5")).top, 93);
    EXPECT_EQ(form::clientPixels(*form::findControl("buy6")).left, 16 + 88);
    EXPECT_EQ(form::clientPixels(*form::findControl("Command3(11)")).left, 7 + 315);
    EXPECT_EQ(form::clientPixels(*form::findControl("BYNARO")).left, -7);
    // Where the window first opens, when the desktop lets it choose.
    EXPECT_EQ(form::twipsToPixels(form::window().storedLeftTwips), 227);
    EXPECT_EQ(form::twipsToPixels(form::window().storedTopTwips), 174);
}

TEST(Layout, CaptionsKeepTheirBlanks)
{
    EXPECT_EQ(form::findControl("L1")->text,
              u"* 当前股价：" + std::u16string(15, u' ') + u"* 持股总数：");
    EXPECT_EQ(form::findControl("Label3")->text, u"* 当前股价：" + std::u16string(18, u' '));
    EXPECT_EQ(form::findControl("Label1")->text, u"元" + std::u16string(8, u' ') + u"股");
    EXPECT_EQ(form::window().caption, u"QZ Ostrel v1.2   ");
}

// Every action a user can run has exactly one control, and each field is one text box.
TEST(Layout, EachActionAndFieldBelongsToOneControl)
{
    using namespace ostrel;
    std::vector<Action> actions = {Calculate{}, Reset{ResetGroup::all}, Reset{ResetGroup::oldStock},
                                   Reset{ResetGroup::newStock}, ShowInstructions{}};
    for (int key = 0; key < keyCount; ++key)
        actions.push_back(PressKey{keyAt(key)});
    for (const Field field : allFields) {
        if (field != Field::plannedShares)
            actions.push_back(SelectField{field});
        EXPECT_EQ(form::fieldControl(field).field, field);
        EXPECT_EQ(form::fieldControl(field).kind, form::Kind::textBox);
    }
    for (const Action &action : actions) {
        const auto count =
            std::count_if(form::controls().begin(), form::controls().end(),
                          [&](const auto &control) { return control.action == action; });
        EXPECT_EQ(count, 1) << action.index();
    }
    EXPECT_FALSE(form::fieldControl(Field::plannedShares).visible);
    EXPECT_TRUE(std::holds_alternative<NoAction>(form::fieldControl(Field::plannedShares).action));
}

// Only the answer can be selected and copied: a caption that takes no focus and runs nothing
// when clicked, so that selecting in it moves no focus and changes no field.
TEST(Layout, OnlyTheResultLineIsSelectable)
{
    std::vector<std::string> selectable;
    for (const form::Control &control : form::controls()) {
        if (control.selectableText)
            selectable.emplace_back(control.id);
    }
    EXPECT_EQ(selectable, std::vector<std::string>{std::string(form::resultLine().id)});
    const form::Control &line = form::resultLine();
    EXPECT_EQ(line.kind, form::Kind::label);
    EXPECT_FALSE(line.takesFocus());
    EXPECT_TRUE(std::holds_alternative<ostrel::NoAction>(line.action));
}

// Return on the control with the focus: a field starts the calculation, a push button runs
// what its click runs, and a caption, a frame or the hidden field let it pass.
TEST(Layout, EnterCalculatesInAFieldAndPressesAButton)
{
    using namespace ostrel;
    for (const form::Control &control : form::controls()) {
        if (control.kind == form::Kind::button) {
            EXPECT_EQ(control.actionOnEnter(), control.action) << control.id;
        }
    }
    for (const Field field : allFields) {
        if (field != Field::plannedShares) {
            EXPECT_EQ(form::fieldControl(field).actionOnEnter(), Action{Calculate{}});
        }
    }
    EXPECT_EQ(form::findControl("Command2")->actionOnEnter(), Action{Reset{ResetGroup::all}});
    EXPECT_EQ(form::findControl("Command3(11)")->actionOnEnter(), Action{PressKey{Key::backspace}});
    EXPECT_EQ(form::findControl("Label1")->actionOnEnter(), Action{NoAction{}});
    EXPECT_EQ(form::findControl("Frame2")->actionOnEnter(), Action{NoAction{}});
    EXPECT_EQ(form::fieldControl(Field::plannedShares).actionOnEnter(), Action{NoAction{}});
}

} // namespace
