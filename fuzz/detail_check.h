// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "expect.h"

#include <gmpxx.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The detail window's rows checked against the fuzzer's own working of the answer, with its
// own formatting of money and its own search for the break-even price.
namespace ostrel::fuzz {

using Rows = std::vector<std::vector<std::u16string>>;

// The rows of a copied detail: one per line, cells separated by tabs.
Rows rowsOfText(std::u16string_view copied);

// The answer the result line shows, as the fuzzer worked it out: its trades and the shares the
// line says to sell.
struct Answer {
    Trades trades;
    mpz_class sold;
};

// What is wrong with the rows, if anything. With no answer on the screen they are the one row
// "无". Otherwise: the sale and the purchase (side, shares, price, amount, commission, stamp
// duty, transfer fee), the total of the fees, the remainder, and the cost price with the
// break-even price ("—" for both when nothing is bought).
// A heading row stands first and the fees charged, in words, last.
std::optional<std::string> detailFault(const std::optional<Answer> &answer, const Rows &rows);

// The row and column of the copied detail where an item of the detail window stands.
struct Cell {
    std::size_t row;
    std::size_t column;
};
Cell cellOf(DetailItem item);

} // namespace ostrel::fuzz
