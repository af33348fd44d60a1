// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "line_ends.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace form = ostrel::layout;

// A text as the window keeps it, and as a clipboard with CR LF line ends holds it.
struct LineEndCase {
    const char *name;
    std::u16string plain;
    std::u16string windows;
};

class LineEnds : public testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, GoToTheClipboardAndBack)
{
    EXPECT_EQ(form::withWindowsLineEnds(GetParam().plain), GetParam().windows);
    EXPECT_EQ(form::withPlainLineEnds(GetParam().windows), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineEnds,
    testing::Values(LineEndCase{"empty", u"", u""}, LineEndCase{"oneLine", u"卖出", u"卖出"},
                    LineEndCase{"rows", u"卖出\t1900\n买入\t2500\n",
                                u"卖出\t1900\r\n买入\t2500\r\n"},
                    LineEndCase{"leadingBreak", u"\n余额", u"\r\n余额"},
                    LineEndCase{"blankLines", u"a\n\nb", u"a\r\n\r\nb"},
                    // A CR alone is no line end of either kind and stays as it is.
                    LineEndCase{"loneCr", u"a\rb", u"a\rb"}),
    [](const auto &tested) { return std::string(tested.param.name); });

// A CR LF already there is kept as one line end, not doubled.
TEST(LineEnds, KeepWindowsLineEndsAsTheyAre)
{
    EXPECT_EQ(form::withWindowsLineEnds(u"a\r\nb\n"), u"a\r\nb\r\n");
    EXPECT_EQ(form::withPlainLineEnds(u"a\r\r\nb"), u"a\r\nb");
}

} // namespace
