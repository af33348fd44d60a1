// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transfer.h"

#include "input_checks.h"
#include "numbers.h"
#include "window_description.h"

namespace ostrel::core {
namespace {

using numbers::floorOf;
using numbers::integerText;
using numbers::isNumber;
using numbers::leadingNumber;
using numbers::roundHalfEven;

constexpr int lot = 100;           // shares to a lot
constexpr int perMille = 1000;     // fees are given in per mille of a trade's amount
constexpr int plannedFilled = 100; // the planned-shares field counts as filled from 100 up

} // namespace

std::optional<std::u16string> fullFundsFill(const std::u16string &oldPrice,
                                            const std::u16string &sharesHeld,
                                            const std::u16string &balance)
{
    if (!isNumber(oldPrice) || !isNumber(sharesHeld) || !isNumber(balance))
        return std::nullopt;
    // The holding is counted in whole shares, as the cap on the sale counts it; the price and
    // the balance are taken as typed, so that the amount is what the holding is truly worth.
    const mpq_class total =
        roundHalfEven(leadingNumber(sharesHeld)) * leadingNumber(oldPrice) + leadingNumber(balance);
    std::u16string text = integerText(floorOf(total));
    // A total that the text box could not hold whole would be shown cut short, a wrong
    // amount; such a fill is left undone like one from texts that are not numbers.
    if (text.size() > layout::maxTextLength)
        return std::nullopt;
    return text;
}

void fillMoneyToSpend(Window &window)
{
    const auto total = fullFundsFill(window.text(Field::oldPrice), window.text(Field::sharesHeld),
                                     window.text(Field::balance));
    if (total)
        window.setText(Field::moneyToSpend, *total);
}

Transfer computeItemisedTransfer(const FieldTexts &texts, const ItemisedRates &rates)
{
    const mpq_class oldPrice = leadingNumber(texts[Field::oldPrice]);
    const mpq_class newPrice = leadingNumber(texts[Field::newPrice]);
    const mpq_class money = leadingNumber(texts[Field::moneyToSpend]);
    const mpq_class balance = leadingNumber(texts[Field::balance]);
    const mpz_class holding = roundHalfEven(leadingNumber(texts[Field::sharesHeld]));

    Transfer t;
    t.lotsToBuy = floorOf(money / newPrice / lot);
    const mpq_class cost = t.lotsToBuy * lot * newPrice;
    const mpq_class leftWithoutSale =
        balance - cost - itemisedFees(rates, cost, Side::purchase).total();
    const auto moneyLeftAfter = [&](const mpz_class &shares) -> mpq_class {
        const mpq_class amount = shares * oldPrice;
        return leftWithoutSale + amount - itemisedFees(rates, amount, Side::sale).total();
    };
    if (sgn(leftWithoutSale) >= 0) {
        t.sharesToSell = 0;
    } else {
        const auto lots =
            leastPayingCount(rates, oldPrice * lot, -leftWithoutSale, 1, mpz_class(holding / lot));
        t.sharesToSell = lots ? mpz_class(*lots * lot) : holding;
    }
    t.moneyLeft = moneyLeftAfter(t.sharesToSell);
    return t;
}

Transfer computeTransfer(const FieldTexts &texts)
{
    const mpq_class oldPrice = leadingNumber(texts[Field::oldPrice]);
    const mpq_class newPrice = leadingNumber(texts[Field::newPrice]);
    const mpq_class money = leadingNumber(texts[Field::moneyToSpend]);
    const mpq_class fee = leadingNumber(texts[Field::feePerMille]);
    const mpq_class balance = leadingNumber(texts[Field::balance]);
    const mpz_class holding = roundHalfEven(leadingNumber(texts[Field::sharesHeld]));

    Transfer t;
    t.lotsToBuy = floorOf(money / newPrice / lot);
    const mpq_class cost = t.lotsToBuy * lot * newPrice;
    const mpq_class feeRate = fee / perMille;
    // What is left after selling S shares, buying the lots and paying both fees is
    // S × (the price less the sale's fee) + (the balance less the purchase and its fee).
    const mpq_class netPerShare = oldPrice * (1 - feeRate);
    const mpq_class leftWithoutSale = balance - cost * (1 + feeRate);
    const auto moneyLeftAfter = [&](const mpz_class &shares) -> mpq_class {
        return shares * netPerShare + leftWithoutSale;
    };

    // The shortfall counted in old-stock lots, with a fraction; one lot more than its whole
    // part is the least that is sold. A balance that covers the purchase needs no sale.
    const mpq_class shortfallLots = (cost - balance) / oldPrice / lot;
    mpz_class shares = (floorOf(shortfallLots) + 1) * lot;
    if (sgn(shares) < 0)
        shares = 0;
    // That least sale must also pay both fees, or the investor ends up short at the broker:
    // sell more whole lots until it does. Each share sold adds its net price to what is left,
    // so the fewest lots that pay come straight from what is left without a sale; when no
    // sale can pay, the whole holding is sold.
    mpq_class left = moneyLeftAfter(shares);
    if (sgn(left) < 0)
        shares = sgn(netPerShare) > 0
                     ? mpz_class(-floorOf(leftWithoutSale / netPerShare / lot) * lot)
                     : holding;
    // No more can be sold than is held: when no whole lots within the holding pay for the
    // purchase, the whole holding is sold, odd shares and all.
    if (shares > holding)
        shares = holding;
    if (sgn(left) < 0 || shares == holding)
        left = moneyLeftAfter(shares);
    t.sharesToSell = shares;
    t.moneyLeft = left;
    return t;
}

std::u16string resultLine(const Transfer &transfer)
{
    return u"请卖出" + integerText(transfer.sharesToSell) + u"股旧股票，才能买到" +
           integerText(transfer.lotsToBuy) + u"00股新股。转仓后还有余额" +
           integerText(floorOf(transfer.moneyLeft)) + u"元。";
}

std::optional<Answer> calculate(Window &window, const FeeSettings &settings)
{
    if (window.text(Field::moneyToSpend) == u"0")
        fillMoneyToSpend(window);

    const FieldTexts texts = FieldTexts::read(window);
    // The itemised schedule does not use the per-mille field, so its checks do not stand in
    // the way.
    const bool perMilleModel = settings.model == FeeModel::perMille;
    if (const auto failed =
            firstFailingCheck(texts, perMilleModel ? FeeFieldChecks::run : FeeFieldChecks::skip)) {
        window.messageBox(inputErrorTitle, faultMessage(*failed));
        return std::nullopt;
    }
    // No calculation from a planned number of shares exists: with the hidden planned-shares
    // field filled the press ends here, as it does after a failed check.
    if (leadingNumber(texts[Field::plannedShares]) >= plannedFilled)
        return std::nullopt;
    const Transfer transfer =
        perMilleModel ? computeTransfer(texts) : computeItemisedTransfer(texts, ratesOf(settings));
    window.setResult(resultLine(transfer));
    // The detail is worked out only when it is asked for: as long again as the answer with
    // amounts of the text box's full length, it would double the time of every press.
    return Answer{texts, transfer, settings};
}

} // namespace ostrel::core
