// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "caret.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace form = ostrel::layout;

// A line whose characters end at `ends`, a click at `x`, and the characters before the caret.
struct CaretCase {
    const char *name;
    std::vector<int> ends;
    int x;
    std::size_t position;
};

class Caret : public testing::TestWithParam<CaretCase> {};

TEST_P(Caret, GoesToTheNearerSideOfTheCharacterClicked)
{
    EXPECT_EQ(form::caretPositionAt(GetParam().ends, GetParam().x), GetParam().position);
}

// Two characters 12 pixels wide (a Chinese character at 9 points) and a digit 6 wide.
INSTANTIATE_TEST_SUITE_P(Clicks, Caret,
                         testing::Values(CaretCase{"emptyLine", {}, 5, 0},
                                         CaretCase{"leftOfTheLine", {12, 24, 30}, -3, 0},
                                         CaretCase{"firstHalfOfTheFirst", {12, 24, 30}, 5, 0},
                                         // The middle itself is on the right half.
                                         CaretCase{"middleOfTheFirst", {12, 24, 30}, 6, 1},
                                         CaretCase{"secondHalfOfTheSecond", {12, 24, 30}, 20, 2},
                                         CaretCase{"firstHalfOfTheDigit", {12, 24, 30}, 26, 2},
                                         CaretCase{"pastTheEnd", {12, 24, 30}, 40, 3}),
                         [](const auto &tested) { return std::string(tested.param.name); });

} // namespace
