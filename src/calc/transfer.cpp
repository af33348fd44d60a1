#include "calc/transfer.h"

#include "calc/validation.h"
#include "form/layout.h"
#include "runtime/numbers.h"

namespace ostrel::calc {
namespace {

using runtime::floorOf;
using runtime::integerText;
using runtime::isNumber;
using runtime::leadingNumber;
using runtime::roundHalfEven;

constexpr int lot = 100;           // shares to a lot
constexpr int perMille = 1000;     // fees are given in per mille of a trade's amount
constexpr int plannedFilled = 100; // the planned-shares field counts as filled from 100 up

} // namespace

std::optional<std::u16string> fullFundsFill(const std::u16string &oldprice,
                                            const std::u16string &buy6,
                                            const std::u16string &savemoney)
{
    if (!isNumber(oldprice) || !isNumber(buy6) || !isNumber(savemoney))
        return std::nullopt;
    const mpz_class total =
        roundHalfEven(leadingNumber(buy6)) * roundHalfEven(leadingNumber(oldprice)) +
        roundHalfEven(leadingNumber(savemoney));
    std::u16string text = integerText(total);
    // A total that the text box could not hold whole would be shown cut short, a wrong
    // amount; such a fill is left undone like one from texts that are not numbers.
    if (text.size() > form::maxTextLength)
        return std::nullopt;
    return text;
}

void fillBuymoney(Window &window)
{
    const std::u16string oldprice = window.text(Field::oldprice);
    const std::u16string buy6 = window.text(Field::buy6);
    const std::u16string savemoney = window.text(Field::savemoney);
    if (const auto total = fullFundsFill(oldprice, buy6, savemoney))
        window.setText(Field::buymoney, *total);
}

Transfer computeTransfer(const Texts &texts)
{
    const mpq_class oldPrice = leadingNumber(texts[Field::oldprice]);
    const mpq_class newPrice = leadingNumber(texts[Field::newprice]);
    const mpq_class money = leadingNumber(texts[Field::buymoney]);
    const mpq_class fee = leadingNumber(texts[Field::souxufei]);
    const mpq_class balance = leadingNumber(texts[Field::savemoney]);
    const mpz_class holding = roundHalfEven(leadingNumber(texts[Field::buy6]));

    Transfer t;
    t.newlots = floorOf(money / newPrice / lot);
    const mpq_class cost = t.newlots * lot * newPrice;
    t.needmoney = cost - balance;
    // The shortfall counted in old-stock lots, with a fraction; one lot more than its whole
    // part is sold, so that the sale always covers it.
    const mpq_class shortfallLots = t.needmoney / oldPrice / lot;
    t.sellshares = (floorOf(shortfallLots) + 1) * lot;
    // A balance that covers the purchase needs no sale, and no more can be sold than is held.
    if (t.sellshares > holding)
        t.sellshares = holding;
    if (sgn(t.sellshares) < 0)
        t.sellshares = 0;
    const mpq_class proceeds = t.sellshares * oldPrice;
    t.leftmoney = proceeds + balance - cost - proceeds * fee / perMille - cost * fee / perMille;
    return t;
}

std::u16string resultLine(const Transfer &transfer)
{
    return u"请卖出" + integerText(transfer.sellshares) + u"股旧股票，才能买到" +
           integerText(transfer.newlots) + u"00股新股。转仓后还有余额" +
           integerText(floorOf(transfer.leftmoney)) + u"元。";
}

void startCalculation(form::State &state, Window &window)
{
    if (window.text(Field::buymoney) == u"0")
        fillBuymoney(window);
    form::clearCalculation(state);

    const Texts texts = Texts::read(window);
    checkInputs(state, window, texts);
    // No calculation from a planned number of shares exists: with the hidden planned-shares
    // field filled the press ends here, as it does after a failed check.
    if (state.errflag || leadingNumber(texts[Field::ybuy]) >= plannedFilled)
        return;

    const Transfer transfer = computeTransfer(texts);
    state.newlots = transfer.newlots;
    state.needmoney = transfer.needmoney;
    state.sellshares = transfer.sellshares;
    state.leftmoney = transfer.leftmoney;
    window.setResult(resultLine(transfer));
}

} // namespace ostrel::calc
