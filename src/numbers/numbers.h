// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gmpxx.h>

#include <string>
#include <string_view>

// Numbers taken out of field texts. Every value is the exact decimal value of what the user
// typed, held as a GMP rational, so that a floor is always the floor of the true value.
namespace ostrel::numbers {

// True when the text, blanks at its start and end set aside, is an optional + or -, then
// half-width digits with at most one decimal point and at least one digit.
bool isNumber(std::u16string_view text);

// The exact value of the number at the start of the text (after leading blanks): the longest
// prefix of the form above. 0 when the text starts with no number.
mpq_class leadingNumber(std::u16string_view text);

// Nearest whole number; a half goes to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
mpz_class roundHalfEven(const mpq_class &value);

// Largest whole number not above the value (floor of -2.5 is -3).
mpz_class floorOf(const mpq_class &value);

// Decimal digits, with "-" before a negative value and no blanks.
std::u16string integerText(const mpz_class &value);

// The value rounded to `decimals` places, halves away from zero (money to the fen: 2).
mpq_class roundedHalfAway(const mpq_class &value, unsigned decimals);

// The smallest whole number not below the value.
mpz_class ceilingOf(const mpq_class &value);

// The value with exactly `decimals` places, rounded halves away from zero; a value that
// rounds to zero has no minus sign.
std::u16string fixedText(const mpq_class &value, unsigned decimals);

// The exact decimal value with at least `minDecimals` places (12.345 stays 12.345, 10 reads
// 10.00 with two). A value with no finite decimal expansion is rounded to `maxDecimals`.
std::u16string decimalText(const mpq_class &value, unsigned minDecimals,
                           unsigned maxDecimals = 65536);

} // namespace ostrel::numbers
