// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-worst-case: the slowest calculation a user can set up, timed on Windows, where Debian
// has no Google Benchmark for the target. Every amount at 32,767 characters and a fraction,
// the fee included, as ostrel-bench's calculationAllLongFractions; prints the median of the
// runs in milliseconds.
#include "calculator.h"
#include "fake_window.h"
#include "long_amounts.h"
#include "memory_store.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int runs = 15;

} // namespace

int main()
{
    ostrel::testing::FakeWindow window;
    // Nothing stored: the per-mille fee of the window's own field, as on a new system.
    ostrel::testing::MemoryStore store;
    ostrel::core::Calculator calculator(window, store);
    calculator.startUp();
    ostrel::bench::typeInto(window, ostrel::bench::slowestAmounts());
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
