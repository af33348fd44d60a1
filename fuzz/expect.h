// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"

#include <gmpxx.h>

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

// What a press of "开始计算" must do, worked out afresh from the field texts with GMP. This
// deliberately shares no code with the calculator: it has its own number reading, rounding
// and result-line reading, so that a fault in the calculator cannot hide behind the same
// fault here.
namespace ostrel::fuzz {

using FieldTexts = std::array<std::u16string, fieldCount>;

inline std::size_t slot(Field field)
{
    return static_cast<std::size_t>(field);
}

// The exact value of a text that is a number: blanks (U+0020) at both ends set aside, an
// optional sign, then ASCII digits with at most one point and at least one digit.
std::optional<mpq_class> numberValue(std::u16string_view text);

// The nearest whole number, a half going to the even neighbour.
mpz_class nearestWhole(const mpq_class &value);

struct Transfer {
    mpz_class sell;    // S: old shares to sell
    mpz_class lots;    // N: lots of 100 new shares
    mpz_class left;    // R: whole yuan left
    mpz_class holding; // H: the holding rounded
};

struct Press {
    FieldTexts fields;                // every field after the press
    bool messageBox = false;          // one input fault is reported
    std::optional<Transfer> transfer; // a result line is written
};

Press expectedPress(const FieldTexts &before, std::size_t maxTextLength);

struct ResultLine {
    mpz_class sell, lots, left;
};

// S, N and R of a line that reads exactly
// "请卖出S股旧股票，才能买到N00股新股。转仓后还有余额R元。", each a whole number in plain decimal;
// none for any other text.
std::optional<ResultLine> parseResultLine(std::u16string_view line);

} // namespace ostrel::fuzz
