// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "settings_store.h"

#include <gmpxx.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ostrel::core {

// The fee settings as the user last confirmed them: the model, and the itemised rates as the
// user typed them (rates in 万分之, the minimum commission in yuan). The defaults are what a
// typical broker charged in 2026: commission 万2.5 with a 5-yuan minimum, stamp duty 万5 on the
// sale only (since 2023-08-28), transfer fee 万0.1 on both trades (since 2022-04-29).
struct FeeSettings {
    FeeModel model = FeeModel::perMille;
    std::array<std::u16string, allFeeEntries.size()> texts{u"2.5", u"5", u"5", u"0.1"};
    bool minimumWaived = false; // 免五: no minimum commission

    const std::u16string &text(FeeEntry entry) const
    {
        return texts[static_cast<std::size_t>(entry)];
    }
    std::u16string &text(FeeEntry entry) { return texts[static_cast<std::size_t>(entry)]; }
    bool operator==(const FeeSettings &) const = default;
};

// The first fault of the itemised rates, as the message box that names the field says it;
// none when every rate is sound.
std::optional<std::u16string_view> firstRateFault(const FeeSettings &settings);

// The settings as the store keeps them, and back. A store that cannot be read, or that holds
// anything missing, unknown or unsound, gives the defaults; so does an empty one.
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

// The fees of one trade, each to the fen.
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

} // namespace ostrel::core
