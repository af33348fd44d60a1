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

std::optional<std::u16string_view> firstRateFault(const FeeSettings &settings)
{
    for (const EntryRule &rule : entryRules) {
        const std::u16string &text = settings.text(rule.entry);
        if (!isNumber(text) || sgn(leadingNumber(text)) < 0)
            return rule.notANumber;
        if (rule.isRate && leadingNumber(text) >= perTenThousand)
            return rule.tooHigh;
    }
    const mpq_class saleRates = leadingNumber(settings.text(FeeEntry::commissionRate)) +
                                leadingNumber(settings.text(FeeEntry::stampDutyRate)) +
                                leadingNumber(settings.text(FeeEntry::transferFeeRate));
    if (saleRates >= highestSaleRates)
        return saleRatesTooHigh;
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
    const FeeSettings defaults;
    if (!stored)
        return defaults;
    const auto valueOf = [&](std::string_view key) -> const std::u16string * {
        const auto found = stored->find(key);
        return found == stored->end() ? nullptr : &found->second;
    };
    FeeSettings settings;
    const std::u16string *model = valueOf(modelKey);
    const std::u16string *waived = valueOf(waivedKey);
    if (!model || (*model != perMilleWord && *model != itemisedWord))
        return defaults;
    if (!waived || (*waived != yes && *waived != no))
        return defaults;
    settings.model = *model == itemisedWord ? FeeModel::itemised : FeeModel::perMille;
    settings.minimumWaived = *waived == yes;
    for (const EntryRule &rule : entryRules) {
        const std::u16string *text = valueOf(rule.key);
        if (!text)
            return defaults;
        settings.text(rule.entry) = *text;
    }
    if (firstRateFault(settings))
        return defaults;
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

} // namespace ostrel::core
