// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fee_schedule.h"

#include "numbers.h"

#include <algorithm>

namespace ostrel::core {
namespace {

using numbers::ceilingOf;
using numbers::floorOf;
using numbers::isNumber;
using numbers::leadingNumber;

constexpr int perTenThousand = 10000; // rates are given in 万分之 (‱)
const mpq_class fen(1, 100);
const mpq_class halfFen(1, 200);
// Each of the three fees of a sale is rounded to the fen, so together they stand at most
// 1.5 fen from their exact value.
const mpq_class roundingSlack(3, 200);

struct EntryRule {
    FeeEntry entry;
    std::string_view key;
    bool isRate; // a rate below 10000‱; otherwise an amount in yuan
    std::u16string_view notANumber;
    std::u16string_view tooHigh;
};

constexpr EntryRule entryRules[] = {
    {FeeEntry::commissionRate, "commissionRate", true,
     u"系统提示：“佣金 万分之”的值必须是不小于零的数字！",
     u"系统提示：“佣金 万分之”的值必须小于 10000！"},
    {FeeEntry::minimumCommission,
     "minimumCommission",
     false,
     u"系统提示：“最低佣金”的值必须是不小于零的数字！",
     {}},
    {FeeEntry::stampDutyRate, "stampDutyRate", true,
     u"系统提示：“印花税 万分之”的值必须是不小于零的数字！",
     u"系统提示：“印花税 万分之”的值必须小于 10000！"},
    {FeeEntry::transferFeeRate, "transferFeeRate", true,
     u"系统提示：“过户费 万分之”的值必须是不小于零的数字！",
     u"系统提示：“过户费 万分之”的值必须小于 10000！"},
};

// No market charges a seller anything near half of the amount, and a sale whose fees come
// close to all of it could not be sized in good time: the search for the least sale that pays
// takes about 3 × (the rates) / (1 − the rates) steps.
constexpr int highestSaleRates = 5000;
constexpr std::u16string_view saleRatesTooHigh = u"系统提示：佣金、印花税和过户费的万分之数合计必须"
                                                 u"小于 5000，卖出时的费用不能达到卖出金额的一半！";

constexpr std::string_view modelKey = "feeModel";
constexpr std::string_view waivedKey = "minimumWaived";
constexpr std::u16string_view perMilleWord = u"perMille";
constexpr std::u16string_view itemisedWord = u"itemised";
constexpr std::u16string_view yes = u"true";
constexpr std::u16string_view no = u"false";

// The message that refuses the text of one entry; none when it is sound on its own.
std::optional<std::u16string_view> faultOf(const EntryRule &rule, const std::u16string &text)
{
    if (!isNumber(text) || sgn(leadingNumber(text)) < 0)
        return rule.notANumber;
    if (rule.isRate && leadingNumber(text) >= perTenThousand)
        return rule.tooHigh;
    return std::nullopt;
}

bool saleRatesTooHighIn(const FeeSettings &settings)
{
    return leadingNumber(settings.text(FeeEntry::commissionRate)) +
               leadingNumber(settings.text(FeeEntry::stampDutyRate)) +
               leadingNumber(settings.text(FeeEntry::transferFeeRate)) >=
           highestSaleRates;
}

mpq_class rateOf(const FeeSettings &settings, FeeEntry entry)
{
    return leadingNumber(settings.text(entry)) / perTenThousand;
}

// The least fen value above `value` (value >= 0).
mpq_class nextFen(const mpq_class &value)
{
    return mpq_class(floorOf(value / fen) + 1) * fen;
}

} // namespace

std::optional<RateFault> firstRateFault(const FeeSettings &settings)
{
    for (const EntryRule &rule : entryRules) {
        if (const auto message = faultOf(rule, settings.text(rule.entry)))
            return RateFault{rule.entry, *message};
    }
    if (saleRatesTooHighIn(settings))
        return RateFault{FeeEntry::commissionRate, saleRatesTooHigh};
    return std::nullopt;
}

SettingsStore::Values storedValues(const FeeSettings &settings)
{
    SettingsStore::Values values;
    values.emplace(modelKey, settings.model == FeeModel::itemised ? itemisedWord : perMilleWord);
    values.emplace(waivedKey, settings.minimumWaived ? yes : no);
    for (const EntryRule &rule : entryRules)
        values.emplace(rule.key, settings.text(rule.entry));
    return values;
}

FeeSettings settingsFrom(const std::optional<SettingsStore::Values> &stored)
{
    FeeSettings settings;
    if (!stored)
        return settings;
    const auto valueOf = [&](std::string_view key) -> const std::u16string * {
        const auto found = stored->find(key);
        return found == stored->end() ? nullptr : &found->second;
    };
    // Each value that cannot be taken as it is keeps its default; the others count.
    if (const std::u16string *model = valueOf(modelKey); model && *model == itemisedWord)
        settings.model = FeeModel::itemised;
    if (const std::u16string *waived = valueOf(waivedKey); waived && *waived == yes)
        settings.minimumWaived = true;
    for (const EntryRule &rule : entryRules) {
        const std::u16string *text = valueOf(rule.key);
        if (text && !faultOf(rule, *text))
            settings.text(rule.entry) = *text;
    }
    // Rates that are each sound but together too high for a sale: which one is wrong cannot be
    // told, so the sale's three rates go back to their defaults together.
    if (saleRatesTooHighIn(settings)) {
        for (const FeeEntry entry :
             {FeeEntry::commissionRate, FeeEntry::stampDutyRate, FeeEntry::transferFeeRate})
            settings.text(entry) = FeeSettings::defaultTexts[static_cast<std::size_t>(entry)];
    }
    return settings;
}

ItemisedRates ratesOf(const FeeSettings &settings)
{
    return {rateOf(settings, FeeEntry::commissionRate),
            settings.minimumWaived ? mpq_class(0)
                                   : leadingNumber(settings.text(FeeEntry::minimumCommission)),
            rateOf(settings, FeeEntry::stampDutyRate), rateOf(settings, FeeEntry::transferFeeRate)};
}

mpq_class toFen(const mpq_class &amount)
{
    return numbers::roundedHalfAway(amount, 2);
}

TradeFees itemisedFees(const ItemisedRates &rates, const mpq_class &amount, Side side)
{
    if (sgn(amount) == 0)
        return {};
    TradeFees fees;
    fees.commission = std::max(toFen(amount * rates.commission), rates.minimumCommission);
    fees.stampDuty = side == Side::sale ? toFen(amount * rates.stampDuty) : mpq_class(0);
    fees.transferFee = toFen(amount * rates.transferFee);
    return fees;
}

std::optional<mpz_class> leastPayingCount(const ItemisedRates &rates, const mpq_class &unit,
                                          const mpq_class &need, const mpz_class &from,
                                          const std::optional<mpz_class> &to)
{
    // Without rounding, a sale of amount A brings A − max(A × c, m) − A × (s + t): the lesser
    // of two rising lines. Rounded, it stands within 1.5 fen of that, so no count brings
    // `need` before both lines reach `need` − 1.5 fen; start there.
    const mpq_class onMinimum = unit * (1 - rates.stampDuty - rates.transferFee);
    const mpq_class onRate = unit * (1 - rates.commission - rates.stampDuty - rates.transferFee);
    mpz_class count =
        std::max({from, mpz_class(1),
                  ceilingOf((need - roundingSlack + rates.minimumCommission) / onMinimum),
                  ceilingOf((need - roundingSlack) / onRate)});
    // Between two changes of the fees, each more unit brings `unit` more; each change adds a
    // fen or more to one fee. The walk goes from one change to the next.
    while (!to || count <= *to) {
        const mpq_class amount = count * unit;
        const TradeFees fees = itemisedFees(rates, amount, Side::sale);
        const mpq_class fixedFees = fees.total();
        // The first count from here whose money covers `need` while the fees stay as they are.
        const mpz_class covering = std::max(count, ceilingOf((need + fixedFees) / unit));
        // The first count at which one of the fees grows.
        std::optional<mpz_class> change;
        const auto changesAt = [&](const mpq_class &rate, const mpq_class &fee) {
            if (sgn(rate) == 0)
                return;
            // A fee reaches the next fen once the exact amount is half a fen below it.
            const mpz_class at = ceilingOf((nextFen(fee) - halfFen) / (unit * rate));
            if (!change || at < *change)
                change = at;
        };
        changesAt(rates.commission, fees.commission);
        changesAt(rates.stampDuty, fees.stampDuty);
        changesAt(rates.transferFee, fees.transferFee);
        if (!change || covering < *change) {
            if (to && covering > *to)
                return std::nullopt;
            return covering;
        }
        count = *change;
    }
    return std::nullopt;
}

namespace {

constexpr int lot = 100;        // shares to a lot
constexpr int perMille = 1000;  // the per-mille fee is given in ‰ of a trade's amount
constexpr int fenPerYuan = 100; // prices move on a tick of 0.01 yuan

// One fee, F per mille of each trade, the window's own field.
class PerMilleSchedule final : public FeeSchedule {
public:
    explicit PerMilleSchedule(const mpq_class &feePerMille)
        : m_perMille(feePerMille)
        , m_rate(feePerMille / perMille)
    {
    }

    TradeFees fees(const mpq_class &amount, Side) const override { return {amount * m_rate, 0, 0}; }

    mpz_class sharesToSell(const SaleNeed &need) const override
    {
        return need.rule.step == lot ? lotsToSell(need) : sharesInStepsToSell(need);
    }

    mpq_class breakEvenPrice(const mpz_class &shares, const mpq_class &paid) const override
    {
        // A rebate larger than the purchase (a fee below −1000‰) is won back at any price:
        // the lowest tick, never a price of 0 or less.
        const mpz_class ticks = ceilingOf(paid * fenPerYuan / (shares * (1 - m_rate)));
        return mpq_class(ticks < 1 ? mpz_class(1) : ticks, fenPerYuan);
    }

    std::vector<std::u16string> note() const override
    {
        return {u"按千分比计费：买入和卖出各按千分之" + numbers::decimalText(m_perMille, 0) +
                u"收取印花税与手续费。"};
    }

private:
    mpz_class lotsToSell(const SaleNeed &need) const
    {
        // The shortfall counted in old-stock lots, with a fraction; one lot more than its
        // whole part is the least that is sold. A balance that covers the purchase needs no
        // sale.
        const mpq_class shortfallLots = (need.cost - need.balance) / need.oldPrice / lot;
        mpz_class shares = (floorOf(shortfallLots) + 1) * lot;
        if (sgn(shares) < 0)
            shares = 0;
        // That least sale must also pay both fees, or the investor ends up short at the
        // broker: sell more whole lots until it does. Each share sold adds its net price to
        // what is left, so the fewest lots that pay come straight from what is left without
        // a sale; when no sale can pay, the whole holding is sold.
        const mpq_class netPerShare = need.oldPrice * (1 - m_rate);
        if (sgn(shares * netPerShare + need.leftBefore) < 0)
            shares = sgn(netPerShare) > 0
                         ? mpz_class(-floorOf(need.leftBefore / netPerShare / lot) * lot)
                         : need.holding;
        // No more can be sold than is held: when no whole lots within the holding pay for the
        // purchase, the whole holding is sold, odd shares and all.
        return shares > need.holding ? need.holding : shares;
    }

    // On a board that takes any number of shares above its least order, the fewest shares
    // that pay: each share sold adds its net price to what is left.
    mpz_class sharesInStepsToSell(const SaleNeed &need) const
    {
        if (sgn(need.leftBefore) >= 0)
            return 0;
        const mpq_class netPerShare = need.oldPrice * (1 - m_rate);
        if (sgn(netPerShare) <= 0)
            return need.holding;
        const mpz_class shares = std::max(mpz_class(ceilingOf(-need.leftBefore / netPerShare)),
                                          mpz_class(need.rule.least));
        // A holding below the least order, or a sale that only more than the holding would
        // pay: the whole holding, in one order.
        return shares > need.holding ? need.holding : shares;
    }

    mpq_class m_perMille;
    mpq_class m_rate;
};

// A broker's itemised fees, each to the fen.
class ItemisedSchedule final : public FeeSchedule {
public:
    explicit ItemisedSchedule(const FeeSettings &settings)
        : m_settings(settings)
        , m_rates(ratesOf(settings))
    {
    }

    TradeFees fees(const mpq_class &amount, Side side) const override
    {
        return itemisedFees(m_rates, amount, side);
    }

    mpz_class sharesToSell(const SaleNeed &need) const override
    {
        if (sgn(need.leftBefore) >= 0)
            return 0;
        // Counted in the board's steps (lots of 100, or single shares above the least order),
        // from its least order up to the holding; none pays, or the holding is below the
        // least order: the whole holding, in one order.
        const OrderRule rule = need.rule;
        const auto steps = leastPayingCount(m_rates, need.oldPrice * rule.step, -need.leftBefore,
                                            (rule.least + rule.step - 1) / rule.step,
                                            mpz_class(need.holding / rule.step));
        return steps ? mpz_class(*steps * rule.step) : need.holding;
    }

    mpq_class breakEvenPrice(const mpz_class &shares, const mpq_class &paid) const override
    {
        const mpq_class tick(shares, fenPerYuan);
        return mpq_class(*leastPayingCount(m_rates, tick, paid, 1, std::nullopt), fenPerYuan);
    }

    std::vector<std::u16string> note() const override
    {
        // The commission on one line, the two taxes on the next: too long for one line, the
        // note would otherwise wrap where its width runs out, a few characters on their own.
        std::u16string commission = u"分项计费：佣金万分之" + text(FeeEntry::commissionRate);
        commission += m_settings.minimumWaived
                          ? std::u16string(u"（免五）；")
                          : u"，每笔最低" + text(FeeEntry::minimumCommission) + u"元；";
        return {commission, u"印花税万分之" + text(FeeEntry::stampDutyRate) +
                                u"，仅卖出；过户费万分之" + text(FeeEntry::transferFeeRate) +
                                u"，买卖双向。"};
    }

private:
    const std::u16string &text(FeeEntry entry) const { return m_settings.text(entry); }

    FeeSettings m_settings;
    ItemisedRates m_rates;
};

} // namespace

std::unique_ptr<FeeSchedule> scheduleOf(const FeeSettings &settings, const mpq_class &feePerMille)
{
    switch (settings.model) {
    case FeeModel::perMille:
        return std::make_unique<PerMilleSchedule>(feePerMille);
    case FeeModel::itemised:
        return std::make_unique<ItemisedSchedule>(settings);
    }
    return nullptr;
}

} // namespace ostrel::core
