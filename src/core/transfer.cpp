// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "transfer.h"

#include "numbers.h"
#include "window_description.h"

#include <variant>

namespace ostrel::core {
namespace {

using numbers::floorOf;
using numbers::integerText;

constexpr int lot = 100;           // shares to a lot
constexpr int plannedFilled = 100; // the planned-shares field counts as filled from 100 up

Trade tradeOf(const mpz_class &shares, const mpq_class &price, const FeeSchedule &schedule,
              Side side)
{
    Trade trade{shares, price, shares * price, {}};
    trade.fees = schedule.fees(trade.amount, side);
    return trade;
}

} // namespace

std::optional<std::u16string> fullFundsFill(const std::u16string &oldPrice,
                                            const std::u16string &sharesHeld,
                                            const std::u16string &balance)
{
    const auto price = numberIn(oldPrice);
    const auto shares = numberIn(sharesHeld);
    const auto cash = numberIn(balance);
    if (!price || !shares || !cash)
        return std::nullopt;
    // The holding is counted in whole shares, as the cap on the sale counts it; the price and
    // the balance are taken as typed, so that the amount is what the holding is truly worth.
    std::u16string text = integerText(floorOf(wholeShares(*shares) * *price + *cash));
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

Transfer transferOf(const Inputs &inputs, const FeeSchedule &schedule, const Boards &boards)
{
    Transfer t;
    t.boards = boards;
    t.purchase = tradeOf(sharesBought(inputs.moneyToSpend, inputs.newPrice, boards.newStock),
                         inputs.newPrice, schedule, Side::purchase);
    const SaleNeed need{inputs.oldPrice,
                        inputs.holding,
                        t.purchase.amount,
                        inputs.balance,
                        inputs.balance - t.purchase.amount - t.purchase.fees.total(),
                        orderRuleOf(boards.oldStock)};
    t.sale = tradeOf(schedule.sharesToSell(need), inputs.oldPrice, schedule, Side::sale);
    t.moneyLeft = need.leftBefore + t.sale.amount - t.sale.fees.total();
    return t;
}

std::u16string resultLine(const Transfer &transfer)
{
    // A board that trades in lots has always been answered in lots, "00" written after their
    // count, so that nothing bought reads "000".
    const mpz_class &bought = transfer.purchase.shares;
    const std::u16string newShares = orderRuleOf(transfer.boards.newStock).step == lot
                                         ? integerText(bought / lot) + u"00"
                                         : integerText(bought);
    return u"请卖出" + integerText(transfer.sale.shares) + u"股旧股票，才能买到" + newShares +
           u"股新股。转仓后还有余额" + integerText(floorOf(transfer.moneyLeft)) + u"元。";
}

std::optional<Answer> calculate(Window &window, const FeeSettings &settings, const Boards &boards)
{
    if (window.text(Field::moneyToSpend) == u"0")
        fillMoneyToSpend(window);

    // The itemised schedule does not use the per-mille field, so its checks do not stand in
    // the way.
    const auto checked = checkedInputs(FieldTexts::read(window),
                                       settings.model == FeeModel::perMille ? FeeFieldChecks::run
                                                                            : FeeFieldChecks::skip);
    if (const Check *failed = std::get_if<Check>(&checked)) {
        window.messageBox(inputErrorTitle, faultMessage(*failed));
        return std::nullopt;
    }
    const Inputs &inputs = std::get<Inputs>(checked);
    // No calculation from a planned number of shares exists: with the hidden planned-shares
    // field filled the press ends here, as it does after a failed check.
    if (inputs.plannedShares >= plannedFilled)
        return std::nullopt;
    std::shared_ptr<const FeeSchedule> schedule = scheduleOf(settings, inputs.feePerMille);
    Transfer transfer = transferOf(inputs, *schedule, boards);
    window.setResult(resultLine(transfer));
    // The detail is worked out only when it is asked for: as long again as the answer with
    // amounts of the text box's full length, it would double the time of every press.
    return Answer{std::move(transfer), std::move(schedule)};
}

} // namespace ostrel::core
