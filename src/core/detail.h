// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "actions.h"
#include "fee_schedule.h"

#include <optional>
#include <string>
#include <vector>

namespace ostrel::core {

struct Transfer;

// The figures of one trade as the detail shows them.
struct DetailTrade {
    std::u16string shares;
    std::u16string price;
    std::u16string amount;
    std::u16string commission;
    std::u16string stampDuty;
    std::u16string transferFee;
    bool operator==(const DetailTrade &) const = default;
};

// The calculation behind an answer, item by item, each text final: the sale and the purchase,
// the total fees, the remainder, and the new shares' cost price and break-even price. Money
// reads with exactly two decimals, a price with its exact decimals but at least two, the cost
// price with three; "—" stands where there are no new shares.
struct Detail {
    DetailTrade sale;
    DetailTrade purchase;
    std::u16string totalFees;
    std::u16string remainder;
    std::u16string costPrice;
    std::u16string breakEvenPrice;
    std::vector<std::u16string> note; // which fees were charged, a line of the window each

    const std::u16string &item(DetailItem item) const;
    bool operator==(const Detail &) const = default;
};

// The detail of a calculation.
Detail detailOf(const Transfer &transfer, const FeeSchedule &schedule);

// What the detail window's note says before any calculation and after a reset.
std::vector<std::u16string> noDetailNote();

// The detail as plain text, as 复制 copies it for notes and order tickets: a heading row, one
// line per row with the cells separated by tabs, and the fees charged on the last line. With
// no detail, "无" and the note that says so.
std::u16string detailText(const std::optional<Detail> &detail);

// The caption that tells which model the answers use.
std::u16string_view feeModelCaption(FeeModel model);

} // namespace ostrel::core
