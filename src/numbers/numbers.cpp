// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbers.h"

#include "utf16.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace ostrel::numbers {
namespace {

constexpr char16_t blank = u' ';

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The number found at `pos`: sign, whole digits and fraction digits, as positions in the text.
struct Scan {
    bool negative = false;
    std::u16string_view whole;
    std::u16string_view fraction;
    std::size_t end = 0; // one past the last character of the number
    bool found = false;  // at least one digit
};

Scan scanNumber(std::u16string_view text, std::size_t pos)
{
    Scan scan;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        scan.negative = text[pos] == u'-';
        ++pos;
    }
    const std::size_t wholeStart = pos;
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    scan.whole = text.substr(wholeStart, pos - wholeStart);
    if (pos < text.size() && text[pos] == u'.') {
        const std::size_t fractionStart = pos + 1;
        std::size_t fractionEnd = fractionStart;
        while (fractionEnd < text.size() && isDigit(text[fractionEnd]))
            ++fractionEnd;
        scan.fraction = text.substr(fractionStart, fractionEnd - fractionStart);
        // A point belongs to the number only next to at least one digit.
        if (!scan.whole.empty() || !scan.fraction.empty())
            pos = fractionEnd;
    }
    scan.found = !scan.whole.empty() || !scan.fraction.empty();
    scan.end = pos;
    return scan;
}

mpz_class digitsValue(std::u16string_view digits)
{
    if (digits.empty())
        return 0;
    return mpz_class(toAscii(digits), 10);
}

std::size_t skipBlanks(std::u16string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == blank)
        ++pos;
    return pos;
}

} // namespace

bool isNumber(std::u16string_view text)
{
    const std::size_t start = skipBlanks(text);
    std::size_t stop = text.size();
    while (stop > start && text[stop - 1] == blank)
        --stop;
    const std::u16string_view core = text.substr(start, stop - start);
    const Scan scan = scanNumber(core, 0);
    return scan.found && scan.end == core.size();
}

mpq_class leadingNumber(std::u16string_view text)
{
    const Scan scan = scanNumber(text, skipBlanks(text));
    if (!scan.found)
        return 0;
    mpz_class numerator = digitsValue(scan.whole);
    mpz_class denominator = 1;
    if (!scan.fraction.empty()) {
        mpz_ui_pow_ui(denominator.get_mpz_t(), 10,
                      static_cast<unsigned long>(scan.fraction.size()));
        numerator = numerator * denominator + digitsValue(scan.fraction);
    }
    if (scan.negative)
        numerator = -numerator;
    mpq_class value(numerator, denominator);
    value.canonicalize();
    return value;
}

mpz_class floorOf(const mpq_class &value)
{
    mpz_class result;
    mpz_fdiv_q(result.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return result;
}

mpz_class roundHalfEven(const mpq_class &value)
{
    const mpz_class down = floorOf(value);
    const mpq_class rest = value - down; // 0 <= rest < 1
    const int half = cmp(rest, mpq_class(1, 2));
    if (half > 0 || (half == 0 && mpz_odd_p(down.get_mpz_t())))
        return down + 1;
    return down;
}

std::u16string integerText(const mpz_class &value)
{
    return fromAscii(value.get_str(10));
}

namespace {

mpz_class powerOfTen(unsigned exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, exponent);
    return power;
}

// |value| × 10^decimals rounded halves away from zero, with the value's sign.
mpz_class scaledHalfAway(const mpq_class &value, unsigned decimals)
{
    const mpq_class scaled = abs(value) * powerOfTen(decimals);
    mpz_class whole = floorOf(scaled + mpq_class(1, 2));
    return sgn(value) < 0 ? mpz_class(-whole) : whole;
}

// "-12345" with 2 places: "-123.45".
std::u16string withPoint(const mpz_class &scaled, unsigned decimals)
{
    std::string digits = mpz_class(abs(scaled)).get_str(10);
    if (decimals > 0) {
        if (digits.size() <= decimals)
            digits.insert(0, decimals + 1 - digits.size(), '0');
        digits.insert(digits.size() - decimals, 1, '.');
    }
    if (sgn(scaled) < 0)
        digits.insert(0, 1, '-');
    return fromAscii(digits);
}

} // namespace

mpq_class roundedHalfAway(const mpq_class &value, unsigned decimals)
{
    mpq_class rounded(scaledHalfAway(value, decimals), powerOfTen(decimals));
    rounded.canonicalize();
    return rounded;
}

mpz_class ceilingOf(const mpq_class &value)
{
    mpz_class result;
    mpz_cdiv_q(result.get_mpz_t(), value.get_num_mpz_t(), value.get_den_mpz_t());
    return result;
}

std::u16string fixedText(const mpq_class &value, unsigned decimals)
{
    return withPoint(scaledHalfAway(value, decimals), decimals);
}

std::u16string decimalText(const mpq_class &value, unsigned minDecimals, unsigned maxDecimals)
{
    // A fraction ends after as many places as the larger power of 2 or 5 in its denominator.
    mpq_class exact = value;
    exact.canonicalize();
    mpz_class rest = exact.get_den();
    const unsigned twos = static_cast<unsigned>(
        mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(2).get_mpz_t()));
    const unsigned fives = static_cast<unsigned>(
        mpz_remove(rest.get_mpz_t(), rest.get_mpz_t(), mpz_class(5).get_mpz_t()));
    const unsigned places = std::max(twos, fives);
    if (rest != 1 || places > maxDecimals)
        return fixedText(value, maxDecimals);
    return fixedText(value, std::max(places, minDecimals));
}

} // namespace ostrel::numbers
