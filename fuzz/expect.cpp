// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expect.h"

#include <cstddef>

namespace ostrel::fuzz {
namespace {

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

mpz_class powerOfTen(std::size_t exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

// The run of an optional minus and digits at the start of `text`, consumed.
std::string takeDigitRun(std::u16string_view &text)
{
    std::string run;
    std::size_t pos = 0;
    if (!text.empty() && text[0] == u'-')
        run.push_back(static_cast<char>(text[pos++]));
    while (pos < text.size() && isAsciiDigit(text[pos]))
        run.push_back(static_cast<char>(text[pos++]));
    text.remove_prefix(pos);
    return run;
}

// A whole number in plain decimal: an optional minus, then digits with no leading zero
// (a lone 0 aside), and never "-0".
std::optional<mpz_class> wholeNumber(std::string_view run)
{
    const bool negative = run.starts_with('-');
    const std::string_view digits = run.substr(negative ? 1 : 0);
    if (digits.empty() || (digits.size() > 1 && digits[0] == '0') || (negative && digits == "0"))
        return std::nullopt;
    return mpz_class(std::string(run), 10);
}

bool takeWord(std::u16string_view &text, std::u16string_view word)
{
    if (!text.starts_with(word))
        return false;
    text.remove_prefix(word.size());
    return true;
}

mpz_class floorOf(const mpq_class &value)
{
    mpz_class down;
    mpz_fdiv_q(down.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return down;
}

} // namespace

std::optional<mpq_class> numberValue(std::u16string_view text)
{
    while (!text.empty() && text.front() == u' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ')
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    std::string digits;
    std::size_t points = 0;
    std::size_t decimals = 0;
    for (const char16_t c : text) {
        if (c == u'.') {
            if (++points > 1)
                return std::nullopt;
        } else if (isAsciiDigit(c)) {
            digits.push_back(static_cast<char>(c));
            decimals += points;
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty())
        return std::nullopt;
    mpq_class value(mpz_class(digits, 10), powerOfTen(decimals));
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

mpz_class nearestWhole(const mpq_class &value)
{
    mpz_class down, rest;
    mpz_fdiv_qr(down.get_mpz_t(), rest.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    const mpz_class twice = rest * 2;
    const int twiceRest = mpz_cmp(twice.get_mpz_t(), value.get_den_mpz_t());
    if (twiceRest > 0 || (twiceRest == 0 && mpz_odd_p(down.get_mpz_t())))
        ++down;
    return down;
}

Press expectedPress(const FieldTexts &before, std::size_t maxTextLength)
{
    Press press;
    press.fields = before;
    FieldTexts &texts = press.fields;
    const auto value = [&](Field field) { return numberValue(texts[slot(field)]); };

    // The full-funds fill comes first, whatever the checks then find.
    if (texts[slot(Field::moneyToSpend)] == u"0") {
        const auto price = value(Field::oldPrice);
        const auto held = value(Field::sharesHeld);
        const auto balance = value(Field::balance);
        if (price && held && balance) {
            // Whole shares times the price as typed, plus the balance as typed, then the
            // whole yuan below.
            const mpz_class total = floorOf(mpq_class(nearestWhole(*held)) * *price + *balance);
            // A total longer than a text box holds is not written at all: cut short it
            // would be a wrong amount.
            const std::string digits = total.get_str(10);
            if (digits.size() <= maxTextLength)
                texts[slot(Field::moneyToSpend)] = std::u16string(digits.begin(), digits.end());
        }
    }

    const auto oldPrice = value(Field::oldPrice);
    const auto held = value(Field::sharesHeld);
    const auto newPrice = value(Field::newPrice);
    const auto planned = value(Field::plannedShares);
    const auto money = value(Field::moneyToSpend);
    const auto fee = value(Field::feePerMille);
    const auto balance = value(Field::balance);
    const bool passes = oldPrice && sgn(*oldPrice) > 0 && held && *held >= 100 && newPrice &&
                        sgn(*newPrice) > 0 && planned && money && sgn(*money) >= 0 &&
                        !(*planned < 100 && sgn(*money) == 0) && fee && *fee <= 18 && balance;
    press.messageBox = !passes;
    if (!passes || *planned >= 100)
        return press;

    Transfer t;
    t.holding = nearestWhole(*held);
    t.lots = floorOf(*money / *newPrice / 100);
    const mpq_class cost = mpq_class(t.lots * 100) * *newPrice;
    const mpq_class shortfallLots = (cost - *balance) / *oldPrice / 100;
    const mpq_class rate = *fee / 1000;
    const auto remainder = [&](const mpz_class &sold) {
        const mpq_class proceeds = mpq_class(sold) * *oldPrice;
        return mpq_class(proceeds + *balance - cost - proceeds * rate - cost * rate);
    };
    // The least sale is one lot beyond the shortfall, never below nothing; when it leaves the
    // investor short of the fees, the deficit is made up in whole lots, each bringing its
    // price less its fee.
    t.sell = (floorOf(shortfallLots) + 1) * 100;
    if (sgn(t.sell) < 0)
        t.sell = 0;
    if (t.sell <= t.holding) {
        const mpq_class deficit = -remainder(t.sell);
        if (sgn(deficit) > 0) {
            const mpq_class perLot = *oldPrice * 100 * (1 - rate);
            const mpz_class lotsMore = -floorOf(-deficit / perLot);
            t.sell += lotsMore * 100;
        }
    }
    if (t.sell > t.holding)
        t.sell = t.holding;
    t.left = floorOf(remainder(t.sell));
    press.transfer = t;
    return press;
}

std::optional<ResultLine> parseResultLine(std::u16string_view line)
{
    if (!takeWord(line, u"请卖出"))
        return std::nullopt;
    const auto sell = wholeNumber(takeDigitRun(line));
    if (!sell || !takeWord(line, u"股旧股票，才能买到"))
        return std::nullopt;
    // The lots are written as a number of shares: N followed by "00".
    const std::string shares = takeDigitRun(line);
    if (!shares.ends_with("00"))
        return std::nullopt;
    const auto lots = wholeNumber(std::string_view(shares).substr(0, shares.size() - 2));
    if (!lots || !takeWord(line, u"股新股。转仓后还有余额"))
        return std::nullopt;
    const auto left = wholeNumber(takeDigitRun(line));
    if (!left || !takeWord(line, u"元。") || !line.empty())
        return std::nullopt;
    return ResultLine{*sell, *lots, *left};
}

} // namespace ostrel::fuzz
