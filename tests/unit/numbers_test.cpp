// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"
#include "utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace ostrel::numbers;

struct NumberCase {
    std::u16string text;
    bool isNumber;
    mpq_class leading; // value of the number at the start of the text
};

class NumberText : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberText, JudgedAndParsedExactly)
{
    const NumberCase &c = GetParam();
    EXPECT_EQ(isNumber(c.text), c.isNumber);
    EXPECT_EQ(leadingNumber(c.text), c.leading);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, NumberText,
    testing::Values(NumberCase{u"5", true, 5}, NumberCase{u"5.", true, 5},
                    NumberCase{u".5", true, mpq_class(1, 2)},
                    NumberCase{u"-0.5", true, mpq_class(-1, 2)}, NumberCase{u"+3", true, 3},
                    NumberCase{u" 12 ", true, 12}, NumberCase{u"007", true, 7},
                    NumberCase{u"1.07", true, mpq_class(107, 100)},
                    NumberCase{u"0.07", true, mpq_class(7, 100)}, NumberCase{u"", false, 0},
                    NumberCase{u" ", false, 0}, NumberCase{u".", false, 0},
                    NumberCase{u"-", false, 0}, NumberCase{u"+.", false, 0},
                    NumberCase{u"1,000", false, 1}, NumberCase{u"1e5", false, 1},
                    NumberCase{u"５", false, 0}, NumberCase{u"12a", false, 12},
                    NumberCase{u"5.2.", false, mpq_class(26, 5)}, NumberCase{u"- 5", false, 0},
                    NumberCase{u"1 2", false, 1}, NumberCase{u"abc", false, 0},
                    NumberCase{u"  -.25x", false, mpq_class(-1, 4)}, NumberCase{u"\t5", false, 0},
                    NumberCase{u"５5", false, 0}));

TEST(NumberText, HugeTextsStayExact)
{
    const std::u16string digits(100000, u'9');
    EXPECT_TRUE(isNumber(digits));
    EXPECT_EQ(leadingNumber(digits) + 1, mpq_class(mpz_class("1" + std::string(100000, '0'))));
    const std::u16string tiny = u"0." + std::u16string(99999, u'0') + u"1";
    EXPECT_TRUE(isNumber(tiny));
    EXPECT_GT(leadingNumber(tiny), 0);
    EXPECT_EQ(floorOf(leadingNumber(tiny)), 0);
}

struct RoundCase {
    mpq_class value;
    long nearest;
    long floor;
};

class Rounding : public testing::TestWithParam<RoundCase> {};

TEST_P(Rounding, HalvesGoToEvenAndFloorGoesDown)
{
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().nearest);
    EXPECT_EQ(floorOf(GetParam().value), GetParam().floor);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Rounding,
    testing::Values(RoundCase{mpq_class(5, 2), 2, 2}, RoundCase{mpq_class(7, 2), 4, 3},
                    RoundCase{mpq_class(-5, 2), -2, -3}, RoundCase{mpq_class(-7, 2), -4, -4},
                    RoundCase{mpq_class(123, 10), 12, 12}, RoundCase{mpq_class(124, 10), 12, 12},
                    RoundCase{mpq_class(126, 10), 13, 12}, RoundCase{mpq_class(-1, 10), 0, -1},
                    RoundCase{mpq_class(-1, 2), 0, -1}, RoundCase{mpq_class(0), 0, 0},
                    RoundCase{mpq_class(32767), 32767, 32767}));

TEST(IntegerText, SignAndNoBlanks)
{
    EXPECT_EQ(integerText(mpz_class(-17)), u"-17");
    EXPECT_EQ(integerText(mpz_class(0)), u"0");
    EXPECT_EQ(integerText(mpz_class("123456789012345678901234567890")),
              u"123456789012345678901234567890");
}

} // namespace

namespace {

// A field's text may reach the services as a view into a longer text; what lies beyond the
// view's ends is none of its characters.
TEST(NumberText, AViewIsJudgedOnItsOwnCharacters)
{
    using namespace ostrel::numbers;
    const std::u16string_view blanksBeforeASign = std::u16string_view(u"  -7").substr(0, 2);
    EXPECT_FALSE(isNumber(blanksBeforeASign));
    EXPECT_EQ(leadingNumber(blanksBeforeASign), 0);
    const std::u16string_view emptyAfterABlank = std::u16string_view(u"1 ").substr(2);
    EXPECT_FALSE(isNumber(emptyAfterABlank));
    const std::u16string_view signBeforeTheView = std::u16string_view(u"-5").substr(1);
    EXPECT_EQ(leadingNumber(signBeforeTheView), 5);
    const std::u16string_view blanksBeforeABlank = std::u16string_view(u"   7").substr(0, 2);
    EXPECT_FALSE(isNumber(blanksBeforeABlank));
    EXPECT_EQ(leadingNumber(blanksBeforeABlank), 0);
    const std::u16string_view digitsBeforeADigit = std::u16string_view(u"123").substr(0, 2);
    EXPECT_TRUE(isNumber(digitsBeforeADigit));
    EXPECT_EQ(leadingNumber(digitsBeforeADigit), 12);
    const std::u16string_view fractionBeforeADigit = std::u16string_view(u"1.57").substr(0, 3);
    EXPECT_TRUE(isNumber(fractionBeforeADigit));
    EXPECT_EQ(leadingNumber(fractionBeforeADigit), mpq_class(3, 2));
    // Nothing before the first character is read: under AddressSanitizer a read before the
    // start of a text of its own would stop the test.
    const std::u16string ownText(40, u'5');
    EXPECT_FALSE(isNumber(std::u16string_view(ownText.data(), 0)));
}

// What a field keeps of pasted or typed text: the part before the first line break or tab,
// whichever the clipboard brought.
TEST(OneLine, EndsAtTheFirstBreakOrTab)
{
    const struct {
        std::u16string pasted, kept;
    } cases[] = {{u"20000", u"20000"},
                 {u"20000\n", u"20000"},
                 {u"12.5\r\n13", u"12.5"},
                 {u"7.3\r", u"7.3"},
                 {u"3000\t4000", u"3000"},
                 {u"\n1.5", u""},
                 {u"", u""},
                 {u"1 2", u"1 2"},
                 {u"😀\n", u"😀"},
                 {u"1\v2\f3", u"1\v2\f3"}};
    for (const auto &c : cases)
        EXPECT_EQ(oneLineOf(c.pasted), c.kept);
}

} // namespace

namespace {

struct MoneyCase {
    mpq_class value;
    unsigned places;
    const char16_t *fixed;   // rounded halves away from zero
    const char16_t *decimal; // exact, at least `places`
};

class MoneyText : public testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyText, FixedAndExactDecimals)
{
    using namespace ostrel::numbers;
    const MoneyCase &c = GetParam();
    EXPECT_EQ(fixedText(c.value, c.places), c.fixed);
    EXPECT_EQ(decimalText(c.value, c.places), c.decimal);
}

INSTANTIATE_TEST_SUITE_P(Values, MoneyText,
                         testing::Values(MoneyCase{mpq_class(10), 2, u"10.00", u"10.00"},
                                         MoneyCase{mpq_class(12345, 1000), 2, u"12.35", u"12.345"},
                                         MoneyCase{mpq_class(-12345, 1000), 2, u"-12.35",
                                                   u"-12.345"},
                                         MoneyCase{mpq_class(5, 1000), 2, u"0.01", u"0.005"},
                                         // A value that rounds to nothing has no minus sign.
                                         MoneyCase{mpq_class(-4, 1000), 2, u"0.00", u"-0.004"},
                                         MoneyCase{mpq_class(-5, 1000), 2, u"-0.01", u"-0.005"},
                                         MoneyCase{mpq_class(1, 100000), 2, u"0.00", u"0.00001"},
                                         MoneyCase{mpq_class(20005, 2500), 3, u"8.002", u"8.002"},
                                         MoneyCase{mpq_class(1, 8), 2, u"0.13", u"0.125"},
                                         MoneyCase{mpq_class(0), 0, u"0", u"0"}));

TEST(MoneyText, RoundedHalfAwayAndCeiling)
{
    using namespace ostrel::numbers;
    EXPECT_EQ(roundedHalfAway(mpq_class(-25, 1000), 2), mpq_class(-3, 100));
    EXPECT_EQ(roundedHalfAway(mpq_class(249, 10000), 2), mpq_class(1, 50));
    EXPECT_EQ(ceilingOf(mpq_class(-5, 2)), -2);
    EXPECT_EQ(ceilingOf(mpq_class(5, 2)), 3);
    EXPECT_EQ(ceilingOf(mpq_class(4)), 4);
}

} // namespace

namespace {

// Only what ASCII holds passes through; anything from U+0080 on is a question mark.
TEST(Utf16, ToAsciiKeepsOnlyAscii)
{
    EXPECT_EQ(ostrel::numbers::toAscii(u"a1\u007F\u0080\u00E9\u4E00"), std::string("a1\x7F???"));
}

} // namespace
