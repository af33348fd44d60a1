// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fee_schedule.h"
#include "input_checks.h"
#include "window.h"

#include <gmpxx.h>

#include <memory>
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

// One trade of a transfer: its shares, their price, the amount and the fees charged on it.
struct Trade {
    mpz_class shares;
    mpq_class price;
    mpq_class amount;
    TradeFees fees;
};

// What one calculation works out: the sale of old shares (never below 0 nor above the
// holding), the purchase of the new stock that the money buys in an order its board takes, and
// what is left after both trades and their fees.
struct Transfer {
    Boards boards;
    Trade sale;
    Trade purchase;
    mpq_class moneyLeft;
};

// The purchase is the most the money to spend buys on the new stock's board; the sale is the
// one the schedule finds for it on the old stock's board.
Transfer transferOf(const Inputs &inputs, const FeeSchedule &schedule, const Boards &boards = {});

// "请卖出…股旧股票，才能买到…00股新股。转仓后还有余额…元。"; on a board that takes single
// shares the new shares are written as their count.
std::u16string resultLine(const Transfer &transfer);

// An answer and the fees it was worked out with: enough to tell its detail later.
struct Answer {
    Transfer transfer;
    std::shared_ptr<const FeeSchedule> schedule;
};

// The start-calculation button: the fill, the input checks, the gate, the computation and the
// result line, with the fees of `settings`. A failed check shows its one message box and
// leaves the result line as it was. The answer shown; none when the result line was left as
// it was.
std::optional<Answer> calculate(Window &window, const FeeSettings &settings,
                                const Boards &boards = {});

} // namespace ostrel::core
