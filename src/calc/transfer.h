#pragma once

#include "calc/texts.h"
#include "form/state.h"

#include <gmpxx.h>

#include <optional>
#include <string>

namespace ostrel::calc {

// The money that selling the whole holding would bring plus the account balance: shares held
// times the old price, each rounded to a whole number (halves to even), plus the balance
// rounded the same way. None when one of the three texts is not a number, or when the total
// has more digits than a text box holds; the caller then leaves `buymoney` as it was.
std::optional<std::u16string> fullFundsFill(const std::u16string &oldprice,
                                            const std::u16string &buy6,
                                            const std::u16string &savemoney);

// Runs the fill on the window's texts and writes the total into `buymoney`.
void fillBuymoney(Window &window);

// What one calculation works out from texts that passed every input check.
struct Transfer {
    mpz_class newlots;    // whole 100-share lots of the new stock that the money buys
    mpq_class needmoney;  // price of those lots less the balance
    mpz_class sellshares; // old shares to sell: whole lots, never below 0 nor above the holding
    mpq_class leftmoney;  // money left after the sale, the purchase and both fees
};

Transfer computeTransfer(const Texts &texts);

// "请卖出…股旧股票，才能买到…00股新股。转仓后还有余额…元。"
std::u16string resultLine(const Transfer &transfer);

// The start-calculation button: fill, clearing, input checks, gate, computation, result line.
void startCalculation(form::State &state, Window &window);

} // namespace ostrel::calc
