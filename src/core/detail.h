// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fee_schedule.h"
#include "field_texts.h"

#include <string>
#include <vector>

namespace ostrel::core {

struct Transfer;

// The calculation behind an answer, item by item, as the detail window shows it and its copy
// button copies it: rows of cells, each cell's text final. The rows are the sale and the
// purchase (卖出/买入, shares, price, amount, commission, stamp duty, transfer fee), the total
// fees (合计费用), the remainder (余额), and the new shares' cost price and break-even price
// (成本价, 保本价). Money reads with exactly two decimals, a price with its exact decimals but
// at least two, the cost price with three; "—" stands where there are no new shares.
struct Detail {
    std::vector<std::vector<std::u16string>> rows;
    std::u16string note; // which fees were charged, in words

    bool operator==(const Detail &) const = default;
};

// The detail of a calculation that passed every check.
Detail detailOf(const FieldTexts &texts, const Transfer &transfer, const FeeSettings &settings);

// What the detail window shows before any calculation and after a reset.
Detail noDetail();

// The rows as plain text: one line per row, cells separated by tabs.
std::u16string detailText(const Detail &detail);

// The caption that tells which model the answers use.
std::u16string_view feeModelCaption(FeeModel model);

} // namespace ostrel::core
