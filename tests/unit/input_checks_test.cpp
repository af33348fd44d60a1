// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input_checks.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using ostrel::Field;
using ostrel::core::Check;
using ostrel::core::faultMessage;
using ostrel::core::FieldTexts;
using ostrel::core::firstFailingCheck;

// Inputs that pass every check; each case changes a few of them.
FieldTexts goodTexts()
{
    FieldTexts texts;
    texts[Field::oldPrice] = u"10";
    texts[Field::sharesHeld] = u"1000";
    texts[Field::newPrice] = u"8";
    texts[Field::plannedShares] = u"0";
    texts[Field::feePerMille] = u"1";
    texts[Field::balance] = u"0";
    texts[Field::moneyToSpend] = u"5000";
    return texts;
}

struct CheckCase {
    std::vector<std::pair<Field, std::u16string>> changes;
    std::optional<Check> failing; // none: every check passes
};

class InputChecks : public testing::TestWithParam<CheckCase> {};

TEST_P(InputChecks, FirstFaultInOrderIsTheOnlyOneReported)
{
    FieldTexts texts = goodTexts();
    for (const auto &[field, text] : GetParam().changes)
        texts[field] = text;
    EXPECT_EQ(firstFailingCheck(texts), GetParam().failing);
}

INSTANTIATE_TEST_SUITE_P(
    Chain, InputChecks,
    testing::Values(
        CheckCase{{}, std::nullopt},
        // start-up texts: the old price 0 is the first fault
        CheckCase{{{Field::oldPrice, u"0"},
                   {Field::sharesHeld, u"0"},
                   {Field::newPrice, u"0"},
                   {Field::moneyToSpend, u"0"}},
                  Check::oldPriceAboveZero},
        CheckCase{{{Field::oldPrice, u"abc"}, {Field::sharesHeld, u""}}, Check::oldPriceIsNumber},
        CheckCase{{{Field::oldPrice, u"-1"}}, Check::oldPriceAboveZero},
        CheckCase{{{Field::oldPrice, u"0.001"}}, std::nullopt},
        CheckCase{{{Field::sharesHeld, u"100"}}, std::nullopt},
        CheckCase{{{Field::sharesHeld, u"99.5"}}, Check::sharesHeldAtLeastALot},
        CheckCase{{{Field::sharesHeld, u"1,000"}}, Check::sharesHeldIsNumber},
        CheckCase{{{Field::newPrice, u"0.01"}}, std::nullopt},
        CheckCase{{{Field::newPrice, u"0"}}, Check::newPriceAboveZero},
        CheckCase{{{Field::newPrice, u"-0.5"}}, Check::newPriceAboveZero},
        CheckCase{{{Field::newPrice, u"５"}}, Check::newPriceIsNumber},
        CheckCase{{{Field::plannedShares, u""}}, Check::plannedSharesIsNumber},
        CheckCase{{{Field::plannedShares, u"x"}, {Field::moneyToSpend, u"-5"}},
                  Check::plannedSharesIsNumber},
        CheckCase{{{Field::moneyToSpend, u"00"}}, Check::plannedSharesOrMoneyGiven},
        CheckCase{{{Field::moneyToSpend, u"-5"}}, Check::moneyToSpendNotNegative},
        CheckCase{{{Field::moneyToSpend, u"1e5"}}, Check::moneyToSpendIsNumber},
        CheckCase{{{Field::moneyToSpend, u"0.0"}}, Check::plannedSharesOrMoneyGiven},
        CheckCase{{{Field::moneyToSpend, u"0.01"}}, std::nullopt},
        CheckCase{{{Field::plannedShares, u"100"}, {Field::moneyToSpend, u"0"}}, std::nullopt},
        CheckCase{{{Field::plannedShares, u"99.9"}, {Field::moneyToSpend, u"0"}},
                  Check::plannedSharesOrMoneyGiven},
        CheckCase{{{Field::feePerMille, u"18"}}, std::nullopt},
        CheckCase{{{Field::feePerMille, u"18.5"}}, Check::feeAtMostEighteen},
        CheckCase{{{Field::feePerMille, u"0"}}, std::nullopt},
        CheckCase{{{Field::feePerMille, u"-2"}}, std::nullopt},
        CheckCase{{{Field::feePerMille, u""}}, Check::feeIsNumber},
        CheckCase{{{Field::balance, u"-1000"}}, std::nullopt},
        CheckCase{{{Field::balance, u"abc"}}, Check::balanceIsNumber},
        CheckCase{{{Field::balance, u"abc"}, {Field::feePerMille, u"99"}},
                  Check::feeAtMostEighteen}));

// Each message names the field by the caption the user sees, whole.
TEST(InputChecks, EveryFaultHasItsOwnMessage)
{
    const std::map<Check, std::u16string_view> messages = {
        {Check::oldPriceIsNumber,
         u"系统提示：旧股票的“当前股价”的值不是数字，您必须把带*号的项目全部"
         u"用半角英文状态下的数字填写哟！"},
        {Check::oldPriceAboveZero, u"系统提示：旧股票的“当前股价”的值必须大于零！"},
        {Check::sharesHeldIsNumber, u"系统提示：旧股票的“持股总数”的值不是数字，您必须把带*号的项目"
                                    u"全部用半角英文状态下的数字填写哟！"},
        {Check::sharesHeldAtLeastALot, u"系统提示：旧股票的“持股总数”的值必须大于100！"},
        {Check::newPriceIsNumber,
         u"系统提示：新股票的“当前股价”的值不是数字，您必须把带*号的项目全部"
         u"用半角英文状态下的数字填写哟！"},
        {Check::newPriceAboveZero, u"系统提示：新股票的“当前股价”的值必须大于零！"},
        {Check::plannedSharesIsNumber,
         u"系统提示：新股票的“持股总数”的值不是数字，请填写零或者正整数！"},
        {Check::moneyToSpendIsNumber,
         u"系统提示：“大概花多少钱在新股上”的值不是数字，请填写零或者正整数！"},
        {Check::moneyToSpendNotNegative,
         u"系统提示：“大概花多少钱在新股上”的值不能小于零，请填写零或者正整数！"},
        {Check::plannedSharesOrMoneyGiven,
         u"系统提示：新股票的“打算购股”或者“大概花多少钱在新股上”这两项必须选填一项，如果都填，以前"
         u"项数据进行计算！"},
        {Check::feeIsNumber, u"系统提示：“单向 印花税+手续费”的值不是数字，您必须把带*号的项目全部"
                             u"用半角英文状态下的数字填写哟，默认值为1！"},
        {Check::feeAtMostEighteen,
         u"系统提示：“单向 印花税+手续费”的值为千分之几，您填写的值在地球上"
         u"所有股市里都不存在，默认值为1！"},
        {Check::balanceIsNumber,
         u"系统提示：“资金账户可用资金余额”的值不是数字，您必须把带*号的项目"
         u"全部用半角英文状态下的数字填写哟！"},
    };
    for (const auto &[check, message] : messages)
        EXPECT_EQ(faultMessage(check), message) << static_cast<int>(check);
}

} // namespace
