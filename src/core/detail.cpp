// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "detail.h"

#include "numbers.h"
#include "transfer.h"

namespace ostrel::core {
namespace {

using numbers::ceilingOf;
using numbers::decimalText;
using numbers::fixedText;
using numbers::integerText;
using numbers::leadingNumber;

constexpr int lot = 100;
constexpr int perMille = 1000;
constexpr int fenPerYuan = 100; // prices move on a tick of 0.01 yuan
constexpr unsigned moneyPlaces = 2;
constexpr unsigned costPricePlaces = 3;
constexpr std::u16string_view none = u"—";

struct Trade {
    mpz_class shares;
    mpq_class price;
    mpq_class amount;
    TradeFees fees;
};

std::vector<std::u16string> tradeRow(std::u16string_view side, const Trade &trade)
{
    return {std::u16string(side),
            integerText(trade.shares),
            decimalText(trade.price, moneyPlaces),
            fixedText(trade.amount, moneyPlaces),
            fixedText(trade.fees.commission, moneyPlaces),
            fixedText(trade.fees.stampDuty, moneyPlaces),
            fixedText(trade.fees.transferFee, moneyPlaces)};
}

// The lowest price on the 0.01 tick at which selling every new share, less that sale's fees,
// brings back what the shares cost with their fees.
mpq_class breakEvenPrice(const Trade &purchase, const FeeSettings &settings, const mpq_class &fee)
{
    const mpq_class paid = purchase.amount + purchase.fees.total();
    mpz_class ticks;
    if (settings.model == FeeModel::perMille) {
        ticks = ceilingOf(paid * fenPerYuan / (purchase.shares * (1 - fee)));
    } else {
        const mpq_class tick(purchase.shares, fenPerYuan);
        ticks = *leastPayingCount(ratesOf(settings), tick, paid, 1, std::nullopt);
    }
    return mpq_class(ticks, fenPerYuan);
}

std::u16string noteOf(const FeeSettings &settings, const mpq_class &fee)
{
    if (settings.model == FeeModel::perMille)
        return u"按千分比计费：买入和卖出各按千分之" + decimalText(fee * perMille, 0) +
               u"收取印花税与手续费。";
    std::u16string note = u"分项计费：佣金万分之" + settings.text(FeeEntry::commissionRate);
    note += settings.minimumWaived
                ? std::u16string(u"（免五）")
                : u"，每笔最低" + settings.text(FeeEntry::minimumCommission) + u"元";
    note += u"；印花税万分之" + settings.text(FeeEntry::stampDutyRate) + u"，仅卖出；过户费万分之" +
            settings.text(FeeEntry::transferFeeRate) + u"，买卖双向。";
    return note;
}

} // namespace

Detail detailOf(const FieldTexts &texts, const Transfer &transfer, const FeeSettings &settings)
{
    const mpq_class fee = leadingNumber(texts[Field::feePerMille]) / perMille;
    Trade sale{transfer.sharesToSell, leadingNumber(texts[Field::oldPrice]), 0, {}};
    Trade purchase{transfer.lotsToBuy * lot, leadingNumber(texts[Field::newPrice]), 0, {}};
    sale.amount = sale.shares * sale.price;
    purchase.amount = purchase.shares * purchase.price;
    if (settings.model == FeeModel::perMille) {
        sale.fees.commission = sale.amount * fee;
        purchase.fees.commission = purchase.amount * fee;
    } else {
        const ItemisedRates rates = ratesOf(settings);
        sale.fees = itemisedFees(rates, sale.amount, Side::sale);
        purchase.fees = itemisedFees(rates, purchase.amount, Side::purchase);
    }
    // The total is the exact sum, rounded once.
    const mpq_class totalFees = sale.fees.total() + purchase.fees.total();

    Detail detail;
    detail.rows.push_back(tradeRow(u"卖出", sale));
    detail.rows.push_back(tradeRow(u"买入", purchase));
    detail.rows.push_back({u"合计费用", fixedText(totalFees, moneyPlaces)});
    detail.rows.push_back({u"余额", fixedText(transfer.moneyLeft, moneyPlaces)});
    if (sgn(purchase.shares) > 0) {
        const mpq_class cost = (purchase.amount + purchase.fees.total()) / purchase.shares;
        detail.rows.push_back({u"成本价", fixedText(cost, costPricePlaces), u"保本价",
                               decimalText(breakEvenPrice(purchase, settings, fee), moneyPlaces)});
    } else {
        detail.rows.push_back({u"成本价", std::u16string(none), u"保本价", std::u16string(none)});
    }
    detail.note = noteOf(settings, fee);
    return detail;
}

Detail noDetail()
{
    return {{{u"无"}}, u"还没有可显示的计算结果：填好数据后点“开始计算”，这里会逐项列出那次计算。"};
}

std::u16string detailText(const Detail &detail)
{
    std::u16string text;
    for (const auto &row : detail.rows) {
        for (std::size_t cell = 0; cell < row.size(); ++cell)
            text += (cell == 0 ? u"" : u"\t") + row[cell];
        text += u'\n';
    }
    return text;
}

std::u16string_view feeModelCaption(FeeModel model)
{
    return model == FeeModel::itemised ? u"计费：分项" : u"计费：按千分比";
}

} // namespace ostrel::core
