// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "input_checks.h"

#include "numbers.h"

#include <algorithm>

namespace ostrel::core {
namespace {

using numbers::isNumber;
using numbers::leadingNumber;

constexpr int lot = 100;
// The most a one-way stamp duty plus commission can be on any stock market, in per mille.
constexpr int highestFee = 18;

struct Rule {
    Check check;
    // True when the texts fail this check. A check only runs while every earlier one passed,
    // so a range check never sees a text that is not a number.
    bool (*fails)(const FieldTexts &texts);
    std::u16string_view message;
};

template<Field field> bool notNumber(const FieldTexts &texts)
{
    return !isNumber(texts[field]);
}
template<Field field> mpq_class value(const FieldTexts &texts)
{
    return leadingNumber(texts[field]);
}

constexpr Rule rules[] = {
    {Check::oldPriceIsNumber, notNumber<Field::oldPrice>,
     u"系统提示：旧股票的“当前股价”的值不是数字，您必须把带*"
     u"号的项目全部用半角英文状态下的数字填写哟！"},
    {Check::oldPriceAboveZero,
     [](const FieldTexts &t) { return sgn(value<Field::oldPrice>(t)) <= 0; },
     u"系统提示：旧股票的“当前股价”的值必须大于零！"},
    {Check::sharesHeldIsNumber, notNumber<Field::sharesHeld>,
     u"系统提示：旧股票的“持股总数”的值不是数字，您必须把带*"
     u"号的项目全部用半角英文状态下的数字填写哟！"},
    {Check::sharesHeldAtLeastALot,
     [](const FieldTexts &t) { return value<Field::sharesHeld>(t) < lot; },
     u"系统提示：旧股票的“持股总数”的值必须大于100！"},
    {Check::newPriceIsNumber, notNumber<Field::newPrice>,
     u"系统提示：新股票的“当前股价”的值不是数字，您必须把带*"
     u"号的项目全部用半角英文状态下的数字填写哟！"},
    {Check::newPriceAboveZero,
     [](const FieldTexts &t) { return sgn(value<Field::newPrice>(t)) <= 0; },
     u"系统提示：新股票的“当前股价”的值必须大于零！"},
    {Check::plannedSharesIsNumber, notNumber<Field::plannedShares>,
     u"系统提示：新股票的“持股总数”的值不是数字，请填写零或者正整数！"},
    {Check::moneyToSpendIsNumber, notNumber<Field::moneyToSpend>,
     u"系统提示：“大概花多少钱在新股上”的值不是数字，请填写零或者正整数！"},
    {Check::moneyToSpendNotNegative,
     [](const FieldTexts &t) { return sgn(value<Field::moneyToSpend>(t)) < 0; },
     u"系统提示：“大概花多少钱在新股上”的值不能小于零，请填写零或者正整数！"},
    {Check::plannedSharesOrMoneyGiven,
     [](const FieldTexts &t) {
         return value<Field::plannedShares>(t) < lot && sgn(value<Field::moneyToSpend>(t)) == 0;
     },
     u"系统提示：新股票的“打算购股”或者“大概花多少钱在新股上”这两项必须选填一项，如果都填，以前项数"
     u"据进行计算！"},
    {Check::feeIsNumber, notNumber<Field::feePerMille>,
     u"系统提示：“单向 印花税+手续费”的值不是数字，您必须把带*"
     u"号的项目全部用半角英文状态下的数字填写哟，默认值为1！"},
    {Check::feeAtMostEighteen,
     [](const FieldTexts &t) { return value<Field::feePerMille>(t) > highestFee; },
     u"系统提示：“单向 "
     u"印花税+手续费”的值为千分之几，您填写的值在地球上所有股市里都不存在，默认值为1！"},
    {Check::balanceIsNumber, notNumber<Field::balance>,
     u"系统提示：“资金账户可用资金余额”的值不是数字，您必须把带*"
     u"号的项目全部用半角英文状态下的数字填写哟！"},
};

} // namespace

std::optional<Check> firstFailingCheck(const FieldTexts &texts, FeeFieldChecks feeField)
{
    for (const Rule &rule : rules) {
        const bool ofFeeField =
            rule.check == Check::feeIsNumber || rule.check == Check::feeAtMostEighteen;
        if (ofFeeField && feeField == FeeFieldChecks::skip)
            continue;
        if (rule.fails(texts))
            return rule.check;
    }
    return std::nullopt;
}

std::u16string_view faultMessage(Check check)
{
    return std::find_if(std::begin(rules), std::end(rules),
                        [check](const Rule &rule) { return rule.check == check; })
        ->message;
}

std::optional<mpq_class> numberIn(std::u16string_view text)
{
    if (!isNumber(text))
        return std::nullopt;
    return leadingNumber(text);
}

mpz_class wholeShares(const mpq_class &shares)
{
    return numbers::roundHalfEven(shares);
}

std::variant<Inputs, Check> checkedInputs(const FieldTexts &texts, FeeFieldChecks feeField)
{
    if (const auto failed = firstFailingCheck(texts, feeField))
        return *failed;
    // The per-mille field may hold anything while its checks are skipped: the itemised
    // schedule never reads it.
    return Inputs{leadingNumber(texts[Field::oldPrice]),
                  wholeShares(leadingNumber(texts[Field::sharesHeld])),
                  leadingNumber(texts[Field::newPrice]),
                  leadingNumber(texts[Field::plannedShares]),
                  leadingNumber(texts[Field::feePerMille]),
                  leadingNumber(texts[Field::balance]),
                  leadingNumber(texts[Field::moneyToSpend])};
}

} // namespace ostrel::core
