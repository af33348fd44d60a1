// SPDX-FileCopyrightText: 2026 the QZ Ostrel authors
//
// SPDX-License-Identifier: GPL-3.0-or-later

// ostrel-bench: how long the heaviest handlers take, through the window's test double.
// A field holds at most 32,767 characters; every handler must stay well inside the 100 ms
// in which a click still feels immediate, even with every amount that long.
#include "calculator.h"
#include "fake_window.h"
#include "long_amounts.h"
#include "window_table.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using ostrel::Field;
using ostrel::Key;
using ostrel::core::Calculator;
using ostrel::testing::FakeWindow;

using ostrel::bench::Amounts;
using ostrel::bench::digits;
using ostrel::bench::limit;

void runCalculation(benchmark::State &state, const Amounts &amounts)
{
    FakeWindow window;
    Calculator calculator(window);
    calculator.startUp();
    ostrel::bench::typeInto(window, amounts);
    calculator.calculate();
    if (!window.messages().empty() || window.result().empty()) {
        state.SkipWithError("the amounts do not pass the input checks");
        return;
    }
    for (auto _ : state) {
        calculator.calculate();
        benchmark::DoNotOptimize(window.result().data());
    }
}

void calculationOrdinary(benchmark::State &state)
{
    runCalculation(state, Amounts{});
}

// Both prices with 32,767 digits and a point in the middle: exact fractions with
// denominators of some 16,000 digits.
void calculationLongPrices(benchmark::State &state)
{
    Amounts amounts;
    amounts.oldPrice = digits(limit, u"123456789", limit / 2);
    amounts.newPrice = digits(limit, u"98765", limit / 2);
    runCalculation(state, amounts);
}

// The money to spend and the balance with 32,767 digits each.
void calculationLongMoney(benchmark::State &state)
{
    Amounts amounts;
    amounts.money = digits(limit, u"8613", limit);
    amounts.balance = digits(limit, u"5027", limit);
    runCalculation(state, amounts);
}

// A holding of 32,767 digits with a tiny old price, so the sale is capped by the holding.
void calculationLongHolding(benchmark::State &state)
{
    Amounts amounts;
    amounts.sharesHeld = digits(limit, u"73", limit);
    amounts.oldPrice = u"0." + std::u16string(limit - 3, u'0') + u"1";
    runCalculation(state, amounts);
}

// Every amount at the limit.
void calculationAllLong(benchmark::State &state)
{
    Amounts amounts;
    amounts.oldPrice = digits(limit, u"123456789", 7);
    amounts.sharesHeld = digits(limit, u"73", limit);
    amounts.newPrice = digits(limit, u"98765", limit / 2);
    amounts.balance = digits(limit, u"5027", limit - 2);
    amounts.money = digits(limit, u"8613", limit);
    runCalculation(state, amounts);
}

// Every amount at the limit and every one a fraction, the fee included: the slowest
// calculation a user can set up.
void calculationAllLongFractions(benchmark::State &state)
{
    runCalculation(state, ostrel::bench::slowestAmounts());
}

// One keypad press on a field that holds 32,767 characters, alternating backspace and a
// digit so that the field stays at and just under the limit.
void keypadPressLongField(benchmark::State &state)
{
    FakeWindow window;
    Calculator calculator(window);
    calculator.startUp();
    window.setText(Field::oldPrice, digits(limit, u"31415926", limit / 3));
    Key key = Key::backspace;
    for (auto _ : state) {
        calculator.perform(ostrel::PressKey{key});
        key = key == Key::backspace ? Key::digit5 : Key::backspace;
    }
    benchmark::DoNotOptimize(window.text(Field::oldPrice).size());
}

} // namespace

BENCHMARK(calculationOrdinary)->Unit(benchmark::kMicrosecond);
BENCHMARK(calculationLongPrices)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationLongMoney)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationLongHolding)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationAllLong)->Unit(benchmark::kMillisecond);
BENCHMARK(calculationAllLongFractions)->Unit(benchmark::kMillisecond);
BENCHMARK(keypadPressLongField)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
