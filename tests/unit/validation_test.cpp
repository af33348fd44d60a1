#include "calc/validation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using ostrel::Field;
using ostrel::calc::firstInputFault;
using ostrel::calc::Texts;

// Inputs that pass every check; each case changes a few of them.
Texts goodTexts()
{
    Texts texts;
    texts[Field::oldprice] = u"10";
    texts[Field::buy6] = u"1000";
    texts[Field::newprice] = u"8";
    texts[Field::ybuy] = u"0";
    texts[Field::souxufei] = u"1";
    texts[Field::savemoney] = u"0";
    texts[Field::buymoney] = u"5000";
    return texts;
}

struct CheckCase {
    std::vector<std::pair<Field, std::u16string>> changes;
    int failingCheck; // 0: every check passes
};

// The first words of each check's message, by the check's number.
const std::u16string_view messageStarts[] = {
    u"",
    u"系统提示：旧股票的“当前股价”的值不是数字",
    u"系统提示：旧股票的“当前股价”的值必须大于零！",
    u"系统提示：旧股票的“持股总数”的值不是数字",
    u"系统提示：旧股票的“持股总数”的值必须大于100！",
    u"系统提示：新股票的“当前股价”的值不是数字",
    u"系统提示：新股票的“当前股价”的值必须大于零！",
    u"系统提示：新股票的“持股总数”的值不是数字",
    u"系统提示：“大概花多少钱在新股上”的值不是数字",
    u"系统提示：“大概花多少钱在新股上”的值不能小于零",
    u"系统提示：新股票的“打算购股”或者",
    u"系统提示：“单向 印花税+手续费”的值不是数字",
    u"系统提示：“单向 印花税+手续费”的值为千分之几",
    u"系统提示：“资金账户可用资金余额”的值不是数字",
};

class InputChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, FirstFaultInOrderIsTheOnlyOneReported)
{
    Texts texts = goodTexts();
    for (const auto &[field, text] : GetParam().changes)
        texts[field] = text;
    const auto fault = firstInputFault(texts);
    const int expected = GetParam().failingCheck;
    if (expected == 0) {
        EXPECT_FALSE(fault.has_value());
        return;
    }
    ASSERT_TRUE(fault.has_value());
    EXPECT_TRUE(fault->starts_with(messageStarts[expected])) << "check " << expected;
}

INSTANTIATE_TEST_SUITE_P(
    Chain, InputChecks,
    testing::Values(
        CheckCase{{}, 0},
        // start-up texts: the old price 0 is the first fault
        CheckCase{{{Field::oldprice, u"0"},
                   {Field::buy6, u"0"},
                   {Field::newprice, u"0"},
                   {Field::buymoney, u"0"}},
                  2},
        CheckCase{{{Field::oldprice, u"abc"}, {Field::buy6, u""}, {Field::buymoney, u"5000"}}, 1},
        CheckCase{{{Field::oldprice, u"-1"}}, 2}, CheckCase{{{Field::buy6, u"100"}}, 0},
        CheckCase{{{Field::buy6, u"99.5"}}, 4}, CheckCase{{{Field::buy6, u"1,000"}}, 3},
        CheckCase{{{Field::newprice, u"0.01"}}, 0}, CheckCase{{{Field::newprice, u"0"}}, 6},
        CheckCase{{{Field::newprice, u"５"}}, 5}, CheckCase{{{Field::ybuy, u""}}, 7},
        CheckCase{{{Field::ybuy, u"x"}, {Field::buymoney, u"-5"}}, 7},
        CheckCase{{{Field::buymoney, u"00"}}, 10}, CheckCase{{{Field::buymoney, u"-5"}}, 9},
        CheckCase{{{Field::buymoney, u"1e5"}}, 8}, CheckCase{{{Field::buymoney, u"0.0"}}, 10},
        CheckCase{{{Field::ybuy, u"100"}, {Field::buymoney, u"0"}}, 0},
        CheckCase{{{Field::souxufei, u"18"}}, 0}, CheckCase{{{Field::souxufei, u"18.5"}}, 12},
        CheckCase{{{Field::souxufei, u"0"}}, 0}, CheckCase{{{Field::souxufei, u"-2"}}, 0},
        CheckCase{{{Field::souxufei, u""}}, 11}, CheckCase{{{Field::savemoney, u"-1000"}}, 0},
        CheckCase{{{Field::savemoney, u"abc"}}, 13},
        CheckCase{{{Field::savemoney, u"abc"}, {Field::souxufei, u"99"}}, 12}));

} // namespace
