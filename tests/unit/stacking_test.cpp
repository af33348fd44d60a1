// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "stacking.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

namespace form = ostrel::layout;
using form::Kind;

// A window of up to six controls, named a to f in table order; each row gives their kinds, the
// frame (by its letter) that holds each radio button, and the tab indexes.
struct StackCase {
    const char *name;
    std::vector<Kind> kinds;
    std::vector<std::uint16_t> containers; // the index of each control's frame; 0xFFFF: none
    std::vector<int> tabIndexes;
    std::string stack;  // the letters from top to bottom of the stack
    std::string groups; // the letters that start a group
};

constexpr std::uint16_t none = form::ControlRef::noneIndex;

class Stacking : public testing::TestWithParam<StackCase> {};

std::string lettersOf(const std::vector<const form::Control *> &controls)
{
    std::string letters;
    for (const form::Control *control : controls)
        letters += control->id;
    return letters;
}

TEST_P(Stacking, PutsTheFocusFirstAndGroupsTheRadioButtons)
{
    const StackCase &given = GetParam();
    static constexpr std::string_view ids[] = {"a", "b", "c", "d", "e", "f"};
    std::vector<form::Control> controls;
    for (std::size_t i = 0; i < given.kinds.size(); ++i) {
        controls.push_back({.id = ids[i],
                            .kind = given.kinds[i],
                            .container = {given.containers[i]},
                            .tabIndex = given.tabIndexes[i]});
    }
    const form::WindowDescription window({u"窗口", 3000, 2000, 0xFFFFFF, 0, 0}, controls);
    EXPECT_EQ(lettersOf(form::stackingOrder(window)), given.stack);
    EXPECT_EQ(lettersOf(form::groupStarts(window)), given.groups);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Stacking,
    testing::Values(
        // The controls that take the focus in tab order, then the rest, the last on top.
        StackCase{"tabOrderFirst",
                  {Kind::label, Kind::textBox, Kind::frame, Kind::button, Kind::label},
                  {none, none, none, none, none},
                  {0, 2, 0, 1, 0},
                  "dbeca",
                  ""},
        // Two radio buttons of one frame are one group; the control after them starts the next.
        StackCase{"oneGroup",
                  {Kind::frame, Kind::radioButton, Kind::radioButton, Kind::button},
                  {none, 0, 0, none},
                  {0, 1, 2, 3},
                  "bcda",
                  "bd"},
        // Radio buttons of two frames are two groups, even next to each other in the stack.
        StackCase{"twoFrames",
                  {Kind::frame, Kind::frame, Kind::radioButton, Kind::radioButton,
                   Kind::radioButton, Kind::radioButton},
                  {none, none, 0, 0, 1, 1},
                  {0, 0, 1, 2, 3, 4},
                  "cdefba",
                  "ceb"},
        // A radio button alone still starts a group, and a check box after it the next.
        StackCase{"alone",
                  {Kind::checkBox, Kind::radioButton, Kind::checkBox},
                  {none, none, none},
                  {1, 2, 3},
                  "abc",
                  "bc"}),
    [](const auto &tested) { return std::string(tested.param.name); });

} // namespace
