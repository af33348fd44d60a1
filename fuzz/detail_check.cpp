// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "detail_check.h"

#include "utf8.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace ostrel::fuzz {
namespace {

constexpr int ticksPerYuan = 100; // prices move on a tick of 0.01 yuan
constexpr unsigned moneyPlaces = 2;
constexpr unsigned costPricePlaces = 3;
constexpr std::u16string_view none = u"—";

enum Row : std::size_t {
    headingRow,
    saleRow,
    purchaseRow,
    totalRow,
    remainderRow,
    priceRow,
    noteRow,
    rowCount
};
constexpr std::array<std::size_t, rowCount> cellsInRow{7, 7, 7, 2, 2, 4, 1};
enum TradeCell : std::size_t {
    sharesCell = 1,
    priceCell,
    amountCell,
    commissionCell,
    stampCell,
    transferCell
};

mpz_class powerOfTen(unsigned exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, exponent);
    return power;
}

// The value with exactly `places` decimals, halves away from zero; no minus sign on a value
// that rounds to zero.
std::u16string fixed(const mpq_class &value, unsigned places)
{
    const mpq_class scaled = abs(value) * powerOfTen(places);
    const mpz_class whole = floorOf(scaled + mpq_class(1, 2));
    std::string digits = whole.get_str();
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    if (places > 0)
        digits.insert(digits.size() - places, 1, '.');
    if (sgn(value) < 0 && sgn(whole) != 0)
        digits.insert(0, 1, '-');
    return std::u16string(digits.begin(), digits.end());
}

std::string quoted(std::u16string_view text)
{
    return "\"" + play::toUtf8(text) + "\"";
}

// A price as the detail writes it: its exact value, with at least two decimals and no
// trailing zero beyond them.
bool isExactPrice(std::u16string_view cell, const mpq_class &price)
{
    const std::size_t point = cell.find(u'.');
    if (point == std::u16string_view::npos || point == 0)
        return false;
    const std::size_t decimals = cell.size() - point - 1;
    if (decimals < moneyPlaces || (decimals > moneyPlaces && cell.back() == u'0'))
        return false;
    if (!std::all_of(cell.begin(), cell.end(),
                     [](char16_t c) { return c == u'.' || (c >= u'0' && c <= u'9'); }))
        return false;
    const auto value = numberValue(cell);
    return value && *value == price;
}

std::optional<std::string> tradeFault(std::string_view name, const std::vector<std::u16string> &row,
                                      std::u16string_view side, const mpz_class &shares,
                                      const mpq_class &price, const TradeCost &fees)
{
    const mpq_class amount = mpq_class(shares) * price;
    const std::u16string expected[] = {std::u16string(side),
                                       {},
                                       {},
                                       fixed(amount, moneyPlaces),
                                       fixed(fees.commission, moneyPlaces),
                                       fixed(fees.stampDuty, moneyPlaces),
                                       fixed(fees.transferFee, moneyPlaces)};
    const std::string sharesText = shares.get_str();
    for (std::size_t cell = 0; cell < row.size(); ++cell) {
        bool right = false;
        if (cell == sharesCell)
            right = row[cell] == std::u16string(sharesText.begin(), sharesText.end());
        else if (cell == priceCell)
            right = isExactPrice(row[cell], price);
        else
            right = row[cell] == expected[cell];
        if (!right) {
            const std::string want = cell == sharesCell ? sharesText
                                     : cell == priceCell
                                         ? "the exact price " + mpq_class(price).get_str()
                                         : quoted(expected[cell]);
            return std::string(name) + " cell " + std::to_string(cell) + " is " +
                   quoted(row[cell]) + ", expected " + want;
        }
    }
    return std::nullopt;
}

// The break-even price: the lowest tick at which selling every new share, less that sale's
// fees, brings back what the shares cost with their fees.
std::optional<std::string> breakEvenFault(const Trades &trades, std::u16string_view cell)
{
    const auto price = numberValue(cell);
    const std::size_t point = cell.find(u'.');
    if (!price || sgn(*price) <= 0 || point == std::u16string_view::npos ||
        cell.size() - point - 1 < moneyPlaces)
        return "the break-even price " + quoted(cell) + " is not a price";
    const mpq_class ticksExact = *price * ticksPerYuan;
    if (ticksExact.get_den() != 1)
        return "the break-even price " + quoted(cell) + " is not on the 0.01 tick";
    const mpz_class ticks = ticksExact.get_num();
    const mpz_class &shares = trades.bought;
    const mpq_class paid = trades.cost() + trades.purchaseCost().total();
    const mpq_class tick(shares, ticksPerYuan);
    const auto pays = [&](const mpz_class &count) {
        const mpq_class amount = count * tick;
        return amount - trades.saleCost(amount).total() >= paid;
    };
    if (!pays(ticks))
        return "selling at the break-even price " + quoted(cell) + " does not pay";
    // The money a sale brings rises with the price under one per-mille rate; the itemised fees
    // make it step back now and then, so lower ticks are tried too, as far as affordable.
    const mpz_class first =
        trades.schedule.itemised ? firstCountThatMayPay(trades.schedule, tick, paid) : ticks - 1;
    const mpz_class last =
        std::max({first, mpz_class(1), mpz_class(ticks - affordableTries(trades))});
    for (mpz_class count = ticks - 1; count >= last; --count) {
        if (pays(count))
            return "the break-even price " + quoted(cell) +
                   " is not the lowest: " + mpq_class(count, ticksPerYuan).get_str() +
                   " already pays";
    }
    return std::nullopt;
}

} // namespace

Rows rowsOfText(std::u16string_view copied)
{
    Rows rows;
    while (!copied.empty()) {
        const std::size_t end = copied.find(u'\n');
        std::u16string_view line = copied.substr(0, end);
        copied.remove_prefix(end == std::u16string_view::npos ? copied.size() : end + 1);
        std::vector<std::u16string> cells;
        while (true) {
            const std::size_t tab = line.find(u'\t');
            cells.emplace_back(line.substr(0, tab));
            if (tab == std::u16string_view::npos)
                break;
            line.remove_prefix(tab + 1);
        }
        rows.push_back(std::move(cells));
    }
    return rows;
}

Cell cellOf(DetailItem item)
{
    const auto index = static_cast<std::size_t>(item);
    constexpr std::size_t tradeCells = transferCell;
    if (index < 2 * tradeCells)
        return {saleRow + index / tradeCells, sharesCell + index % tradeCells};
    switch (item) {
    case DetailItem::totalFees:
        return {totalRow, 1};
    case DetailItem::remainder:
        return {remainderRow, 1};
    case DetailItem::costPrice:
        return {priceRow, 1};
    default:
        break;
    }
    return {priceRow, 3};
}

std::optional<std::string> detailFault(const std::optional<Answer> &answer, const Rows &rows)
{
    if (!answer) {
        if (rows.size() != 2 || rows[0] != std::vector<std::u16string>{u"无"} ||
            rows[1].size() != 1 || rows[1][0].find(u"还没有可显示的计算结果") != 0)
            return "with no answer on the screen the detail is not 无 and its note";
        return std::nullopt;
    }
    if (rows.size() != rowCount)
        return "the detail has " + std::to_string(rows.size()) + " rows";
    for (std::size_t row = 0; row < rowCount; ++row) {
        if (rows[row].size() != cellsInRow[row])
            return "detail row " + std::to_string(row) + " has " +
                   std::to_string(rows[row].size()) + " cells";
    }
    if (rows[headingRow] != std::vector<std::u16string>{u"项目", u"股数", u"价格", u"金额", u"佣金",
                                                        u"印花税", u"过户费"})
        return "the detail does not start with its heading row";
    // The fees the answer was worked out with, whatever has been chosen since.
    if (rows[noteRow][0].find(answer->trades.schedule.itemised ? u"分项计费："
                                                               : u"按千分比计费：") != 0)
        return "the detail's last line does not name the fees charged";
    const Trades &trades = answer->trades;
    const mpq_class proceeds = mpq_class(answer->sold) * trades.oldPrice;
    const TradeCost saleFees = trades.saleCost(proceeds);
    const TradeCost purchaseFees = trades.purchaseCost();
    if (auto fault =
            tradeFault("the sale", rows[saleRow], u"卖出", answer->sold, trades.oldPrice, saleFees))
        return fault;
    if (auto fault = tradeFault("the purchase", rows[purchaseRow], u"买入", trades.bought,
                                trades.newPrice, purchaseFees))
        return fault;

    const std::vector<std::u16string> &total = rows[totalRow];
    const std::u16string wantTotal = fixed(saleFees.total() + purchaseFees.total(), moneyPlaces);
    if (total[0] != u"合计费用" || total[1] != wantTotal)
        return "the total of the fees is " + quoted(total[1]) + ", expected " + quoted(wantTotal);
    if (trades.schedule.itemised) {
        // Every itemised fee is whole fen, so the total is the sum of the cells as shown.
        mpq_class shown;
        for (const Row row : {saleRow, purchaseRow}) {
            for (std::size_t cell = commissionCell; cell <= transferCell; ++cell)
                shown += numberValue(rows[row][cell]).value_or(0);
        }
        if (numberValue(total[1]) != std::optional<mpq_class>(shown))
            return "the total of the fees " + quoted(total[1]) + " is not the sum of the fees";
    }

    const std::vector<std::u16string> &left = rows[remainderRow];
    // Toward minus infinity to the fen, as the result line takes it to the yuan.
    const mpq_class leftFen(floorOf(trades.remainder(answer->sold) * ticksPerYuan), ticksPerYuan);
    const std::u16string wantLeft = fixed(leftFen, moneyPlaces);
    if (left[0] != u"余额" || left[1] != wantLeft)
        return "the remainder is " + quoted(left[1]) + ", expected " + quoted(wantLeft);

    const std::vector<std::u16string> &prices = rows[priceRow];
    if (prices[0] != u"成本价" || prices[2] != u"保本价")
        return "the price row is not headed 成本价 and 保本价";
    if (sgn(trades.bought) == 0) {
        if (prices[1] != none || prices[3] != none)
            return "with nothing bought the prices are not —";
        return std::nullopt;
    }
    const mpq_class costPrice = (trades.cost() + purchaseFees.total()) / mpq_class(trades.bought);
    const std::u16string wantCost = fixed(costPrice, costPricePlaces);
    if (prices[1] != wantCost)
        return "the cost price is " + quoted(prices[1]) + ", expected " + quoted(wantCost);
    return breakEvenFault(trades, prices[3]);
}

} // namespace ostrel::fuzz
