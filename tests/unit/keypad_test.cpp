// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keypad.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using ostrel::Key;
using ostrel::keyAt;
using ostrel::core::keyEdit;

constexpr Key pointKey = Key::point;
constexpr Key backspaceKey = Key::backspace;
constexpr Key zeroKey = Key::clear;

struct KeyCase {
    std::u16string before;
    Key key;
    bool takesPoint;
    std::optional<std::u16string> after; // none: the text stays as it is
};

class KeyEdit : public testing::TestWithParam<KeyCase> {};

TEST_P(KeyEdit, MakesTheNewText)
{
    const KeyCase &c = GetParam();
    EXPECT_EQ(keyEdit(c.before, c.key, c.takesPoint), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Digits, KeyEdit,
    testing::Values(KeyCase{u"0", keyAt(0), true, u"0"}, KeyCase{u"0", keyAt(7), true, u"7"},
                    KeyCase{u"", keyAt(7), true, u"7"}, KeyCase{u"0.", keyAt(7), true, u"0.7"},
                    KeyCase{u"00", keyAt(7), true, u"007"}, KeyCase{u"10", keyAt(7), true, u"107"},
                    KeyCase{u"1", keyAt(5), false, u"15"},
                    KeyCase{u"12a", keyAt(3), false, u"12a3"},
                    KeyCase{u" 0", keyAt(4), false, u" 04"}));

INSTANTIATE_TEST_SUITE_P(Point, KeyEdit,
                         testing::Values(KeyCase{u"0", pointKey, true, u"0."},
                                         KeyCase{u"5.2", pointKey, true, u"5.2."},
                                         KeyCase{u"", pointKey, true, u"."},
                                         KeyCase{u"5", pointKey, false, std::nullopt},
                                         KeyCase{u"0", pointKey, false, std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    BackspaceAndZero, KeyEdit,
    testing::Values(
        KeyCase{u"5.2", backspaceKey, true, u"5."}, KeyCase{u"5.", backspaceKey, true, u"5"},
        KeyCase{u"12", backspaceKey, false, u"1"}, KeyCase{u"5", backspaceKey, false, u"0"},
        KeyCase{u"0", backspaceKey, false, u"0"}, KeyCase{u"", backspaceKey, false, u"0"},
        KeyCase{u"12a3", backspaceKey, false, u"12a"},
        // A character outside the basic plane goes whole, never half of it.
        KeyCase{u"1\U0001F600", backspaceKey, false, u"1"},
        KeyCase{u"\U0001F600", backspaceKey, false, u"0"},
        // A lone half of a pair is a character of its own.
        KeyCase{u"12\xDC00", backspaceKey, false, u"12"},
        KeyCase{u"12\xD800", backspaceKey, false, u"12"},
        KeyCase{u"1\xD800"
                u"5",
                backspaceKey, false, u"1\xD800"},
        // The highest and lowest halves of each kind close a pair as well.
        KeyCase{u"1\xDBFF\xDFFF", backspaceKey, false, u"1"},
        KeyCase{u"1\xD800\xDC00", backspaceKey, false, u"1"}, KeyCase{u"123", zeroKey, true, u"0"},
        KeyCase{u"", zeroKey, false, u"0"}));

} // namespace
