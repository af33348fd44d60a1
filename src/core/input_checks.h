// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_texts.h"

#include <gmpxx.h>

#include <optional>
#include <string_view>
#include <variant>

namespace ostrel::core {

inline constexpr std::u16string_view inputErrorTitle = u"输入错误";

// The input checks, in the order they run.
enum class Check {
    oldPriceIsNumber,
    oldPriceAboveZero,
    sharesHeldIsNumber,
    sharesHeldAtLeastALot,
    newPriceIsNumber,
    newPriceAboveZero,
    plannedSharesIsNumber,
    moneyToSpendIsNumber,
    moneyToSpendNotNegative,
    plannedSharesOrMoneyGiven,
    feeIsNumber,
    feeAtMostEighteen,
    balanceIsNumber,
};

// The first check the texts fail; none when every input passes. Only one fault is ever
// reported per calculation.
// The per-mille field's two checks run only where its fee is charged.
enum class FeeFieldChecks { run, skip };
std::optional<Check> firstFailingCheck(const FieldTexts &texts,
                                       FeeFieldChecks feeField = FeeFieldChecks::run);

// The body of the message box that reports a failed check.
std::u16string_view faultMessage(Check check);

// The number a text holds; none when it is not a plain decimal number.
std::optional<mpq_class> numberIn(std::u16string_view text);
// A holding counted in whole shares, halves to even.
mpz_class wholeShares(const mpq_class &shares);

// The inputs of a calculation, taken out of the texts once.
struct Inputs {
    mpq_class oldPrice;
    mpz_class holding; // whole shares
    mpq_class newPrice;
    mpq_class plannedShares;
    mpq_class feePerMille;
    mpq_class balance;
    mpq_class moneyToSpend;
};

// The inputs of texts that pass every check, or the first check they fail.
std::variant<Inputs, Check> checkedInputs(const FieldTexts &texts,
                                          FeeFieldChecks feeField = FeeFieldChecks::run);

} // namespace ostrel::core
