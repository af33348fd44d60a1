// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "resets.h"

#include <span>
#include <string_view>
#include <utility>

namespace ostrel::core {
namespace {

using Write = std::pair<Field, std::u16string_view>;

constexpr Write allWrites[] = {
    {Field::oldPrice, u"0"},      {Field::newPrice, u"0"},    {Field::sharesHeld, u"0"},
    {Field::plannedShares, u"0"}, {Field::feePerMille, u"1"}, {Field::balance, u"0"},
    {Field::moneyToSpend, u"0"},
};
// The old stock's holding goes back to 100, the smallest that passes the checks.
constexpr Write oldStockWrites[] = {{Field::oldPrice, u"0"}, {Field::sharesHeld, u"100"}};
constexpr Write newStockWrites[] = {{Field::newPrice, u"0"}, {Field::plannedShares, u"0"}};

struct Group {
    std::u16string_view confirmation;
    std::span<const Write> writes;
};

Group groupOf(ResetGroup group)
{
    switch (group) {
    case ResetGroup::oldStock:
        return {u"OK，旧股票数据已重置!", oldStockWrites};
    case ResetGroup::newStock:
        return {u"OK，新股票数据已重置!", newStockWrites};
    case ResetGroup::all:
        break;
    }
    return {u"OK，已全部重置!", allWrites};
}

} // namespace

void reset(Window &window, ResetGroup group)
{
    const Group chosen = groupOf(group);
    window.setResult(chosen.confirmation);
    for (const auto &[field, text] : chosen.writes)
        window.setText(field, text);
}

} // namespace ostrel::core
