// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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

Transfer computeTransfer(const FieldTexts &texts);

// "请卖出…股旧股票，才能买到…00股新股。转仓后还有余额…元。"
std::u16string resultLine(const Transfer &transfer);

// The start-calculation button: the fill, the input checks, the gate, the computation and the
// result line. A failed check shows its one message box and leaves the result line as it was.
void calculate(Window &window);

} // namespace ostrel::core
