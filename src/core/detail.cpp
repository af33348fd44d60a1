// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "detail.h"

#include "numbers.h"
#include "transfer.h"

#include <initializer_list>

namespace ostrel::core {
namespace {

using numbers::decimalText;
using numbers::fixedText;
using numbers::floorOf;
using numbers::integerText;

constexpr int fenPerYuan = 100;
constexpr unsigned moneyPlaces = 2;
constexpr unsigned costPricePlaces = 3;
constexpr std::u16string_view none = u"—";
constexpr std::u16string_view tab = u"\t";
constexpr std::u16string_view newline = u"\n";

DetailTrade tradeOf(const Trade &trade)
{
    return {integerText(trade.shares),
            decimalText(trade.price, moneyPlaces),
            fixedText(trade.amount, moneyPlaces),
            fixedText(trade.fees.commission, moneyPlaces),
            fixedText(trade.fees.stampDuty, moneyPlaces),
            fixedText(trade.fees.transferFee, moneyPlaces)};
}

std::u16string row(std::initializer_list<std::u16string_view> cells)
{
    std::u16string text;
    for (const std::u16string_view cell : cells) {
        if (!text.empty())
            text += tab;
        text += cell;
    }
    return text += newline;
}

std::u16string tradeRow(std::u16string_view side, const DetailTrade &trade)
{
    return row({side, trade.shares, trade.price, trade.amount, trade.commission, trade.stampDuty,
                trade.transferFee});
}

std::u16string oneLine(const std::vector<std::u16string> &note)
{
    std::u16string text;
    for (const std::u16string &part : note)
        text += part;
    return text += newline;
}

} // namespace

const std::u16string &Detail::item(DetailItem item) const
{
    switch (item) {
    case DetailItem::saleShares:
        return sale.shares;
    case DetailItem::salePrice:
        return sale.price;
    case DetailItem::saleAmount:
        return sale.amount;
    case DetailItem::saleCommission:
        return sale.commission;
    case DetailItem::saleStampDuty:
        return sale.stampDuty;
    case DetailItem::saleTransferFee:
        return sale.transferFee;
    case DetailItem::purchaseShares:
        return purchase.shares;
    case DetailItem::purchasePrice:
        return purchase.price;
    case DetailItem::purchaseAmount:
        return purchase.amount;
    case DetailItem::purchaseCommission:
        return purchase.commission;
    case DetailItem::purchaseStampDuty:
        return purchase.stampDuty;
    case DetailItem::purchaseTransferFee:
        return purchase.transferFee;
    case DetailItem::totalFees:
        return totalFees;
    case DetailItem::remainder:
        return remainder;
    case DetailItem::costPrice:
        return costPrice;
    case DetailItem::breakEvenPrice:
        break;
    }
    return breakEvenPrice;
}

Detail detailOf(const Transfer &transfer, const FeeSchedule &schedule)
{
    const Trade &purchase = transfer.purchase;
    Detail detail;
    detail.sale = tradeOf(transfer.sale);
    detail.purchase = tradeOf(purchase);
    // The total is the exact sum, rounded once.
    detail.totalFees = fixedText(transfer.sale.fees.total() + purchase.fees.total(), moneyPlaces);
    // To the fen toward minus infinity, as the result line takes it to the yuan: the two never
    // disagree on whether a yuan is left.
    detail.remainder =
        fixedText(mpq_class(floorOf(transfer.moneyLeft * fenPerYuan), fenPerYuan), moneyPlaces);
    if (sgn(purchase.shares) > 0) {
        const mpq_class paid = purchase.amount + purchase.fees.total();
        detail.costPrice = fixedText(paid / purchase.shares, costPricePlaces);
        detail.breakEvenPrice =
            decimalText(schedule.breakEvenPrice(purchase.shares, paid), moneyPlaces);
    } else {
        // Built, then moved in: GCC 12 warns of a false overlap when a view is assigned here.
        detail.costPrice = std::u16string(none);
        detail.breakEvenPrice = std::u16string(none);
    }
    detail.note = schedule.note();
    return detail;
}

std::vector<std::u16string> noDetailNote()
{
    return {u"还没有可显示的计算结果：填好数据后点“开始计算”，这里会逐项列出那次计算。"};
}

std::u16string detailText(const std::optional<Detail> &detail)
{
    if (!detail) {
        std::u16string text(u"无");
        text += newline;
        return text += oneLine(noDetailNote());
    }
    // A heading row, so that a pasted ticket says which number is which.
    std::u16string text = row({u"项目", u"股数", u"价格", u"金额", u"佣金", u"印花税", u"过户费"});
    text += tradeRow(u"卖出", detail->sale);
    text += tradeRow(u"买入", detail->purchase);
    text += row({u"合计费用", detail->totalFees});
    text += row({u"余额", detail->remainder});
    text += row({u"成本价", detail->costPrice, u"保本价", detail->breakEvenPrice});
    return text += oneLine(detail->note);
}

std::u16string_view feeModelCaption(FeeModel model)
{
    return model == FeeModel::itemised ? u"计费：分项" : u"计费：按千分比";
}

} // namespace ostrel::core
