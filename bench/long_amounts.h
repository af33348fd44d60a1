// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "fake_window.h"
#include "window_table.h"

#include <cstddef>
#include <string>
#include <string_view>

// The amounts the timings of the calculation type in: ordinary ones, and texts as long as a
// field holds, which make the exact arithmetic work hardest.
namespace ostrel::bench {

inline constexpr std::size_t limit = layout::maxTextLength;

// `count` digits cycling through `pattern`, with a decimal point after `whole` digits when
// `whole` is below `count`.
inline std::u16string digits(std::size_t count, std::u16string_view pattern, std::size_t whole)
{
    std::u16string text;
    for (std::size_t i = 0; text.size() < count; ++i) {
        if (i == whole && whole > 0)
            text += u'.';
        text += pattern[i % pattern.size()];
    }
    return text.substr(0, count);
}

struct Amounts {
    std::u16string oldPrice = u"10";
    std::u16string sharesHeld = u"5000";
    std::u16string newPrice = u"8";
    std::u16string fee = u"1";
    std::u16string balance = u"2000";
    std::u16string money = u"20000";
};

// Every amount at the limit and every one a fraction, the fee included: the slowest
// calculation a user can set up.
inline Amounts slowestAmounts()
{
    Amounts amounts;
    amounts.oldPrice = digits(limit, u"123456789", 7);
    amounts.sharesHeld = digits(limit, u"73", limit - 1);
    amounts.newPrice = digits(limit, u"98765", limit / 2);
    amounts.fee = u"1." + digits(limit - 2, u"2357", limit);
    amounts.balance = digits(limit, u"5027", limit / 3);
    amounts.money = digits(limit, u"8613", limit - 5);
    return amounts;
}

// A share worth 0.00001 yuan and a holding of 32,767 digits, to buy 10,000 new shares at 10
// with nothing in the account.
inline Amounts tinyPriceAmounts()
{
    Amounts amounts;
    amounts.oldPrice = u"0.00001";
    amounts.sharesHeld = digits(limit, u"73", limit);
    amounts.newPrice = u"10";
    amounts.balance = u"0";
    amounts.money = u"100000";
    return amounts;
}

// A share worth 0.0001 yuan and a holding of a hundred trillion shares, to buy one lot at 8
// with nothing in the account: with fees that take nearly all of a sale, the sale that pays
// runs to some sixteen billion lots.
inline Amounts nearCapAmounts()
{
    Amounts amounts;
    amounts.oldPrice = u"0.0001";
    amounts.sharesHeld = u"100000000000000";
    amounts.newPrice = u"8";
    amounts.balance = u"0";
    amounts.money = u"800";
    return amounts;
}

inline void typeInto(testing::FakeWindow &window, const Amounts &amounts)
{
    window.setText(Field::oldPrice, amounts.oldPrice);
    window.setText(Field::sharesHeld, amounts.sharesHeld);
    window.setText(Field::newPrice, amounts.newPrice);
    window.setText(Field::feePerMille, amounts.fee);
    window.setText(Field::balance, amounts.balance);
    window.setText(Field::moneyToSpend, amounts.money);
}

} // namespace ostrel::bench
