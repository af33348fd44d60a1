// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "boards.h"
#include "settings_store.h"

#include <gmpxx.h>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostrel::core {

// The fee settings as the user last confirmed them: the model, and the itemised rates as the
// user typed them (rates in 万分之, the minimum commission in yuan). The defaults are what a
// typical broker charged in 2026: commission 万2.5 with a 5-yuan minimum, stamp duty 万5 on the
// sale only (since 2023-08-28), transfer fee 万0.1 on both trades (since 2022-04-29).
struct FeeSettings {
    static constexpr std::array<std::u16string_view, allFeeEntries.size()> defaultTexts{
        u"2.5", u"5", u"5", u"0.1"};

    FeeModel model = FeeModel::perMille;
    std::array<std::u16string, allFeeEntries.size()> texts{
        std::u16string(defaultTexts[0]), std::u16string(defaultTexts[1]),
        std::u16string(defaultTexts[2]), std::u16string(defaultTexts[3])};
    bool minimumWaived = false; // 免五: no minimum commission

    const std::u16string &text(FeeEntry entry) const
    {
        return texts[static_cast<std::size_t>(entry)];
    }
    std::u16string &text(FeeEntry entry) { return texts[static_cast<std::size_t>(entry)]; }
    bool operator==(const FeeSettings &) const = default;
};

// A fault of the itemised rates: the message box that names the field, and the field to mend
// (for rates that are too high together, the first of them).
struct RateFault {
    FeeEntry entry;
    std::u16string_view message;
};

// The first fault of the itemised rates; none when every rate is sound.
std::optional<RateFault> firstRateFault(const FeeSettings &settings);

// The settings as the store keeps them, and back. A store that cannot be read gives the
// defaults; a value that is missing, unknown or unsound gives that value's default and leaves
// the others as stored (rates that are too high together all give their defaults).
SettingsStore::Values storedValues(const FeeSettings &settings);
FeeSettings settingsFrom(const std::optional<SettingsStore::Values> &stored);

// The itemised schedule in exact figures: rates as fractions of a trade's amount.
struct ItemisedRates {
    mpq_class commission;
    mpq_class minimumCommission; // yuan a trade pays at least; 0 when waived
    mpq_class stampDuty;         // on the sale only
    mpq_class transferFee;       // on both trades
};

// Only for settings that pass `firstRateFault`.
ItemisedRates ratesOf(const FeeSettings &settings);

enum class Side { sale, purchase };

// The fees of one trade. In the per-mille model the one per-mille fee stands as the
// commission, exact; in the itemised model each fee is to the fen.
struct TradeFees {
    mpq_class commission;
    mpq_class stampDuty;
    mpq_class transferFee;
    mpq_class total() const { return commission + stampDuty + transferFee; }
};

// A fee to the fen, halves away from zero.
mpq_class toFen(const mpq_class &amount);

// The itemised fees of a trade of the exact amount; a trade of amount 0 costs nothing.
TradeFees itemisedFees(const ItemisedRates &rates, const mpq_class &amount, Side side);

// The least count k, from `from` (at least 1) up to `to` (no bound when none), for which selling k
// units of `unit` yuan each, less that sale's itemised fees, brings at least `need`; none when no
// count within the bound does. The money a sale brings is not monotonic in k: the minimum
// commission and the rounding of each fee to the fen make it step back now and then, so the
// search walks from one change of the fees to the next, never unit by unit. It needs
// `unit` > 0 and the sale's rates together below 1; `firstRateFault` keeps them below a half,
// where the walk takes a few steps at most.
std::optional<mpz_class> leastPayingCount(const ItemisedRates &rates, const mpq_class &unit,
                                          const mpq_class &need, const mpz_class &from,
                                          const std::optional<mpz_class> &to);

// What the sale has to pay for: the purchase, its fees and the balance beside it.
struct SaleNeed {
    mpq_class oldPrice;
    mpz_class holding;    // whole shares
    mpq_class cost;       // of the purchase
    mpq_class balance;    // the account's balance
    mpq_class leftBefore; // what is left without a sale: balance − cost − the purchase's fees
    OrderRule rule = orderRuleOf(Board::main); // the orders the old stock's board takes
};

// How the fees of a trade are charged, and what follows from it: the fees of one trade, the
// sale that pays for a purchase, and the price at which a purchase is won back.
class FeeSchedule {
public:
    virtual ~FeeSchedule() = default;

    // The fees of a trade of the exact amount.
    virtual TradeFees fees(const mpq_class &amount, Side side) const = 0;
    // The old shares to sell so that what is left after both trades and their fees is not
    // negative: the least order the old stock's board takes that pays, within the holding, or
    // the whole holding when none pays.
    virtual mpz_class sharesToSell(const SaleNeed &need) const = 0;
    // The lowest price on the 0.01 tick at which selling `shares` (more than 0), less that
    // sale's fees, brings back `paid`.
    virtual mpq_class breakEvenPrice(const mpz_class &shares, const mpq_class &paid) const = 0;
    // Which fees are charged, in words: phrases that each keep to one line of the detail
    // window, and read as one line when copied.
    virtual std::vector<std::u16string> note() const = 0;

protected:
    FeeSchedule() = default;
    FeeSchedule(const FeeSchedule &) = default;
    FeeSchedule &operator=(const FeeSchedule &) = default;
};

// The schedule of `settings` (which pass `firstRateFault`), with the per-mille fee of the
// window's own field for the per-mille model.
std::unique_ptr<FeeSchedule> scheduleOf(const FeeSettings &settings, const mpq_class &feePerMille);

} // namespace ostrel::core
