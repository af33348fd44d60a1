// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "detail.h"
#include "fee_schedule.h"
#include "field_texts.h"
#include "state.h"

#include <gmpxx.h>

#include <optional>
#include <string>

namespace ostrel::core {

// The money that selling the whole holding would bring plus the account balance, in whole
// yuan toward minus infinity: shares held, rounded to whole shares (halves to even), times the
// exact old price, plus the exact balance. None when one of the three texts is not a number, or
// when the total has more digits than a text box holds; the caller then leaves the money to spend
// as it was.
std::optional<std::u16string> fullFundsFill(const std::u16string &oldPrice,
                                            const std::u16string &sharesHeld,
                                            const std::u16string &balance);

// Runs the fill on the window's texts and writes the total into the money to spend.
void fillMoneyToSpend(Window &window);

// What one calculation works out from texts that passed every input check.
struct Transfer {
    mpz_class lotsToBuy;    // whole 100-share lots of the new stock that the money buys
    mpz_class sharesToSell; // old shares to sell: whole lots, never below 0 nor above the holding
    mpq_class moneyLeft;    // after the sale, the purchase and both fees
};

// With one per-mille fee on both trades, the window's own fee field.
Transfer computeTransfer(const FieldTexts &texts);

// With the itemised schedule: the purchase is the same whole lots; the sale is the fewest
// whole lots, from none up to the holding, whose remainder after both trades and all their
// fees is not negative, or the whole holding when no such lots exist.
Transfer computeItemisedTransfer(const FieldTexts &texts, const ItemisedRates &rates);

// "请卖出…股旧股票，才能买到…00股新股。转仓后还有余额…元。"
std::u16string resultLine(const Transfer &transfer);

// What an answer was worked out from, and what it found: enough to tell its detail later.
struct Answer {
    FieldTexts texts;
    Transfer transfer;
    FeeSettings settings;
};

// The start-calculation button: the fill, the input checks, the gate, the computation and the
// result line, with the fees of `settings`. A failed check shows its one message box and
// leaves the result line as it was. The answer shown; none when the result line was left as
// it was.
std::optional<Answer> calculate(Window &window, const FeeSettings &settings);

} // namespace ostrel::core
