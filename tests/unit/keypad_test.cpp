#include "entry/keypad.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using ostrel::entry::backspaceKey;
using ostrel::entry::keyEdit;
using ostrel::entry::pointKey;
using ostrel::entry::zeroKey;

struct KeyCase {
    std::u16string before;
    int key;
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
    testing::Values(KeyCase{u"0", 0, true, u"0"}, KeyCase{u"0", 7, true, u"7"},
                    KeyCase{u"", 7, true, u"7"}, KeyCase{u"0.", 7, true, u"0.7"},
                    KeyCase{u"00", 7, true, u"007"}, KeyCase{u"10", 7, true, u"107"},
                    KeyCase{u"1", 5, false, u"15"}, KeyCase{u"12a", 3, false, u"12a3"},
                    KeyCase{u" 0", 4, false, u" 04"}));

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
        KeyCase{u"\U0001F600", backspaceKey, false, u"0"}, KeyCase{u"123", zeroKey, true, u"0"},
        KeyCase{u"", zeroKey, false, u"0"}, KeyCase{u"5", 13, true, std::nullopt},
        KeyCase{u"5", -1, true, std::nullopt}));

} // namespace
