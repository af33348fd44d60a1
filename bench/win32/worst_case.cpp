// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-worst-case: the slowest calculation a user can set up, timed on Windows, where Debian
// has no Google Benchmark for the target. Every amount at 32,767 characters and a fraction,
// the fee included, as ostrel-bench's calculationAllLongFractions; prints the median of the
// runs in milliseconds.
#include "calculator.h"
#include "fake_window.h"
#include "window_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using ostrel::Field;
constexpr std::size_t limit = ostrel::layout::maxTextLength;
constexpr int runs = 15;

// `count` digits cycling through `pattern`, with a decimal point after `whole` digits when
// `whole` is below `count`.
std::u16string digits(std::size_t count, std::u16string_view pattern, std::size_t whole)
{
    std::u16string text;
    for (std::size_t i = 0; text.size() < count; ++i) {
        if (i == whole && whole > 0)
            text += u'.';
        text += pattern[i % pattern.size()];
    }
    return text.substr(0, count);
}

} // namespace

int main()
{
    ostrel::testing::FakeWindow window;
    ostrel::core::Calculator calculator(window);
    calculator.startUp();
    window.setText(Field::oldPrice, digits(limit, u"123456789", 7));
    window.setText(Field::sharesHeld, digits(limit, u"73", limit - 1));
    window.setText(Field::newPrice, digits(limit, u"98765", limit / 2));
    window.setText(Field::feePerMille, u"1." + digits(limit - 2, u"2357", limit));
    window.setText(Field::balance, digits(limit, u"5027", limit / 3));
    window.setText(Field::moneyToSpend, digits(limit, u"8613", limit - 5));
    calculator.calculate();
    if (!window.messages().empty() || window.result().empty()) {
        std::fputs("ostrel-worst-case: the amounts do not pass the input checks\n", stderr);
        return 1;
    }
    std::vector<double> milliseconds;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        calculator.calculate();
        const std::chrono::duration<double, std::milli> taken =
            std::chrono::steady_clock::now() - start;
        milliseconds.push_back(taken.count());
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("every field 32,767 characters, all fractions: median %.2f ms over %d runs "
                "(fastest %.2f, slowest %.2f)\n",
                milliseconds[milliseconds.size() / 2], runs, milliseconds.front(),
                milliseconds.back());
    return 0;
}
